// trakvel http: one call of a request engine with exactly the arguments given, and
// the raw bytes of one of its results.
#include <cstdio>
#include <string_view>

#include "cli/args.h"
#include "cli/commands.h"
#include "http/page_fetch.h"
#include "http/request_engine.h"

namespace trakvel::cli {
namespace {

constexpr OptionSpec kOptions[] = {
    {"--engine", true},  {"-X", true},      {"-d", true},     {"-H", true},
    {"--cookies", true}, {"--proxy", true}, {"--show", true}, {"--no-redirect", false},
};

constexpr std::string_view kShows[] = {"body",        "sent",    "raw-headers",
                                       "new-cookies", "cookies", "location"};

std::optional<int> method_of(std::string_view verb, bool bytes_engine) {
  if (verb == "GET") return 0;
  if (verb == "POST") return 1;
  if (verb == "HEAD" && bytes_engine) return 2;
  return std::nullopt;
}

bool is_known_show(std::string_view show, bool bytes_engine, bool cookies_given) {
  if (show == "location") return !bytes_engine;
  if (show == "cookies") return cookies_given;
  for (std::string_view known : kShows) {
    if (known == show) return true;
  }
  return false;
}

Text joined_lines(const std::vector<std::string>& lines) {
  Text block;
  for (const auto& line : lines) block.append(block.empty() ? "" : "\r\n").append(line);
  return block;
}

Text result_to_show(std::string_view show, const HttpArgs& args, const Text& body) {
  if (show == "sent") return args.headers;
  if (show == "raw-headers") return args.raw_headers;
  if (show == "new-cookies") return args.new_cookies;
  if (show == "cookies") return args.cookies.value_or("");
  if (show == "location") return args.location;
  return body;
}

}  // namespace

int run_http_command(std::span<char* const> args) {
  const Args parsed(args, kOptions);
  const std::string engine = parsed.value("--engine").value_or("text");
  const bool bytes_engine = engine == "bytes";
  const auto method = method_of(parsed.value("-X").value_or("GET"), bytes_engine);
  const std::string show = parsed.value("--show").value_or("body");
  if (!parsed.error().empty() || parsed.positional().size() != 1 ||
      (engine != "text" && !bytes_engine) || !method ||
      !is_known_show(show, bytes_engine, parsed.has("--cookies"))) {
    std::fprintf(stderr, "trakvel http: %s\n",
                 parsed.error().empty() ? "bad arguments" : parsed.error().c_str());
    return 2;
  }

  HttpArgs call;
  call.url = parsed.positional()[0];
  call.method = *method;
  call.post_text = parsed.value("-d").value_or("");
  call.headers = joined_lines(parsed.values("-H"));
  call.cookies = parsed.value("--cookies");
  call.proxy = parsed.value("--proxy");
  call.no_redirect = parsed.has("--no-redirect");
  Text body;
  if (bytes_engine) {
    const Bytes bytes = http_request_bytes(call);
    body.assign(bytes.begin(), bytes.end());  // the bytes as they came, zero bytes and all
  } else {
    body = http_request(call);
  }
  const Text result = result_to_show(show, call, body);
  std::fwrite(result.data(), 1, result.size(), stdout);
  return 0;
}

}  // namespace trakvel::cli
