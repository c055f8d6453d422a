#include "http/page_fetch.h"

#include "http/request_core.h"
#include "http/url_text.h"

namespace trakvel {
namespace {

constexpr std::string_view kVerbs[] = {"GET", "POST", "HEAD"};

constexpr EngineRules kRules{
    .default_agent = "Mozilla/4.0 (compatible; MSIE 9.0; Windows NT 6.1)",
    .verbs = kVerbs,
    .clamp_method = true,
    .accept_first = true,
    .proxy = ProxyRule::when_not_empty,
};

constexpr std::string_view kSetCookie = "Set-Cookie";

// Every "Set-Cookie", in whatever letter case, spelled "Set-Cookie".
Text with_set_cookie_spelled(std::string_view raw) {
  Text spelled;
  std::size_t from = 0;
  for (std::size_t at; (at = find_text(raw, kSetCookie, from, true)) != npos;) {
    spelled.append(raw.substr(from, at - from)).append(kSetCookie);
    from = at + kSetCookie.size();
  }
  return spelled.append(raw.substr(from));
}

// The name=value part of a Set-Cookie line: without any ";" the line less its
// "Set-Cookie:" (the spelling is settled by now), else what lies between
// "Set-Cookie:" and the next ";".
Text cookie_item(std::string_view line) {
  if (!contains_text(line, ";")) return Text(trim_text(replace_all(line, "Set-Cookie:", "")));
  return Text(trim_text(text_between(line, "Set-Cookie:", ";")));
}

void scan_cookies(HttpArgs& args) {
  std::vector<Text> items;
  for (std::string_view line : split_text(args.raw_headers, "\r\n")) {
    if (contains_text(line, kSetCookie)) items.push_back(cookie_item(line));
  }
  args.new_cookies = join_cookie_items(items);
}

}  // namespace

Bytes http_request_bytes(HttpArgs& args, transport::Transport& transport) {
  std::optional<Bytes> body = exchange(transport, kRules, args);
  if (!body) return {};
  args.raw_headers = with_set_cookie_spelled(args.raw_headers);
  scan_cookies(args);
  merge_supplied_cookies(args);
  return *body;
}

Bytes http_request_bytes(HttpArgs& args) {
  return http_request_bytes(args, transport::system_transport());
}

Text fetch_page_text(std::string_view url) {
  HttpArgs args;
  args.url = url;
  return text_from_bytes(http_request_bytes(args));
}

}  // namespace trakvel
