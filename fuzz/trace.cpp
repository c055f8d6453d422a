// The trace extraction of the detail view on any decoded page.
#include <cstdint>
#include <string_view>

#include "app/trace.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static trakvel::RegexObject regex;
  trakvel::trace_entries(regex, std::string_view(reinterpret_cast<const char*>(data), size));
  return 0;
}
