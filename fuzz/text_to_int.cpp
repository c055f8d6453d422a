// The text-to-integer rule on any bytes.
#include <cstdint>
#include <string_view>

#include "text/text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  trakvel::text_to_int(std::string_view(reinterpret_cast<const char*>(data), size));
  return 0;
}
