// The page reading of a lookup on any decoded page.
#include <cstdint>
#include <string_view>

#include "app/lookup_page.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  trakvel::read_detail_page(std::string_view(reinterpret_cast<const char*>(data), size));
  return 0;
}
