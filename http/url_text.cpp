#include "http/url_text.h"

#include <limits>

namespace trakvel {
namespace {

Text with_quotes(std::string_view marker) {
  return replace_all(marker, kQuoteMacro, "\"");
}

}  // namespace

Text text_between(std::string_view text, std::string_view start_marker, std::string_view end_marker,
                  int start_position, bool fold_case) {
  const Text start = with_quotes(start_marker);
  const Text end = with_quotes(end_marker);
  const std::size_t from = start_position < 1 ? 0 : static_cast<std::size_t>(start_position) - 1;
  const std::size_t at = find_text(text, start, from, fold_case);
  if (at == npos) return {};
  const std::size_t begin = at + start.size();
  const std::size_t stop = find_text(text, end, begin, fold_case);
  if (stop == npos) return {};
  return Text(text.substr(begin, stop - begin));
}

Text header_value(std::string_view line) {
  const std::size_t colon = find_text(line, ":");
  if (colon == npos) return {};
  return Text(trim_text(line.substr(colon + 1)));
}

Text url_host(std::string_view url, bool keep_port) {
  Text address = to_lower_ascii(url);
  if (!address.ends_with('/')) address += '/';
  Text host;
  if (address.starts_with("https://")) {
    host = text_between(address, "https://", "/");
  } else {
    if (!address.starts_with("http://")) address.insert(0, "http://");
    host = text_between(address, "http://", "/");
  }
  if (!keep_port) host = host.substr(0, find_text(host, ":"));
  return host;
}

int url_port(std::string_view url) {
  const Text host = url_host(url, true);
  const std::size_t colon = host.rfind(':');
  if (colon == npos) return starts_with_fold(url, "https") ? 443 : 80;
  long long port = 0;
  for (std::size_t i = colon + 1; i < host.size() && host[i] >= '0' && host[i] <= '9'; ++i) {
    port = std::min(port * 10 + (host[i] - '0'),
                    static_cast<long long>(std::numeric_limits<int>::max()));
  }
  return static_cast<int>(port);
}

Text url_path(std::string_view url) {
  const std::size_t host_at = find_text(url, url_host(url), 0, true);
  const std::size_t slash = find_text(url, "/", host_at == npos ? 0 : host_at);
  if (slash == npos) return "/";
  return Text(url.substr(slash));
}

}  // namespace trakvel
