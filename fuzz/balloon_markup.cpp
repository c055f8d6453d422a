// The balloon tip's markup on any text.
#include <cstdint>
#include <string_view>

#include "gui/balloon_markup.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  trakvel::gui::parse_balloon_markup(std::string_view(reinterpret_cast<const char*>(data), size));
  return 0;
}
