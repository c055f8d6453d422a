// The URL helpers and the header-line value on any address.
#include <cstdint>
#include <string_view>

#include "http/url_text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view url(reinterpret_cast<const char*>(data), size);
  trakvel::url_host(url);
  trakvel::url_host(url, true);
  trakvel::url_port(url);
  trakvel::url_path(url);
  trakvel::header_value(url);
  return 0;
}
