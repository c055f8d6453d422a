// The skin file of SkinH_EL.dll: ini-like text (see resources/skin/README.md).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace trakvel::skin {

using Rgb = std::uint32_t;  // 0xRRGGBB

struct Skin {
  Rgb window_background;
  Rgb group_background;
  Rgb group_border;
  Rgb group_text;
  Rgb button_face;
  Rgb button_pressed;
  Rgb button_disabled;
  Rgb button_border;
  Rgb button_text;
  Rgb label_text;
  Rgb edit_border;
  Rgb edit_background;
  Rgb edit_text;
  Rgb header_background;
  Rgb header_border;
  Rgb header_text;
  std::string header_font_face;  // bytes as in the file (code page 936)
  int header_font_height;
};

// The skin, or none when the text is not a complete skin of a known format version.
std::optional<Skin> parse_skin(std::string_view text);

}  // namespace trakvel::skin
