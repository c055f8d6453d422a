// Percent-decoding of any page, with and without the conversion from UTF-8.
#include <cstdint>
#include <string_view>

#include "text/url_decode.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  if (trakvel::url_decode(text).size() > size) __builtin_trap();  // decoding never grows
  trakvel::url_decode(text, true);
  return 0;
}
