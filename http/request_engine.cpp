#include "http/request_engine.h"

#include "http/request_core.h"
#include "http/url_text.h"
#include "text/charset.h"

namespace trakvel {
namespace {

constexpr std::string_view kVerbs[] = {"GET", "POST"};

constexpr EngineRules kRules{
    .default_agent =
        "Mozilla/4.0 (compatible; MSIE 9.0; Windows NT 6.1; 884QT; .NET CLR 2.0.50727; "
        ".NET CLR 3.0.04506.648; .NET CLR 3.5.21022)",
    .verbs = kVerbs,
    .clamp_method = false,
    .accept_first = false,
    .proxy = ProxyRule::when_supplied,
};

// The name=value part of a Set-Cookie line: from "Set-Cookie:" to the next ";" or
// the end of the line; empty when the line lacks "Set-Cookie:".
Text cookie_item(std::string_view line) {
  constexpr std::string_view kName = "Set-Cookie:";
  const std::size_t at = find_text(line, kName);
  if (at == npos) return {};
  const std::string_view rest = line.substr(at + kName.size());
  return Text(trim_text(rest.substr(0, find_text(rest, ";"))));
}

// The Location value (a later line wins) and the cookies the response sets.
void scan_raw_headers(HttpArgs& args) {
  std::vector<Text> items;
  for (std::string_view line : split_text(args.raw_headers, "\r\n")) {
    if (contains_text(line, "Location:")) args.location = header_value(line);
    if (contains_text(line, "Set-Cookie")) items.push_back(cookie_item(line));
  }
  args.new_cookies = join_cookie_items(items);
}

}  // namespace

Text http_request(HttpArgs& args, transport::Transport& transport) {
  std::optional<Bytes> body = exchange(transport, kRules, args);
  if (!body) return {};
  scan_raw_headers(args);
  merge_supplied_cookies(args);
  if (args.location.empty()) args.location = args.raw_headers;
  if (contains_text(args.raw_headers, "utf-8", true)) *body = convert_charset(*body);
  return text_from_bytes(*body);
}

Text http_request(HttpArgs& args) {
  return http_request(args, transport::system_transport());
}

Text http_request(std::string_view url) {
  HttpArgs args;
  args.url = url;
  return http_request(args);
}

}  // namespace trakvel
