#include "skin/skin_file.h"

#include <charconv>
#include <map>
#include <utility>

namespace trakvel::skin {
namespace {

std::string_view trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r'))
    s.remove_suffix(1);
  return s;
}

// "section.key" -> value, or none when a line is neither blank, comment, section nor key.
std::optional<std::map<std::string, std::string>> read_keys(std::string_view text) {
  std::map<std::string, std::string> keys;
  std::string section;
  while (!text.empty()) {
    const auto end = text.find('\n');
    const std::string_view line = trim(text.substr(0, end));
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    if (line.empty() || line[0] == ';' || line[0] == '#') continue;
    if (line.front() == '[' && line.back() == ']') {
      section = std::string(trim(line.substr(1, line.size() - 2)));
      continue;
    }
    const auto equals = line.find('=');
    if (equals == std::string_view::npos) return std::nullopt;
    keys[section + "." + std::string(trim(line.substr(0, equals)))] =
        std::string(trim(line.substr(equals + 1)));
  }
  return keys;
}

std::optional<Rgb> parse_rgb(const std::string& value) {
  if (value.size() != 7 || value[0] != '#') return std::nullopt;
  Rgb rgb = 0;
  for (char c : value.substr(1)) {
    const int digit = c >= '0' && c <= '9'   ? c - '0'
                      : c >= 'a' && c <= 'f' ? c - 'a' + 10
                      : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                             : -1;
    if (digit < 0) return std::nullopt;
    rgb = rgb * 16 + digit;
  }
  return rgb;
}

}  // namespace

std::optional<Skin> parse_skin(std::string_view text) {
  const auto keys = read_keys(text);
  if (!keys) return std::nullopt;
  auto value = [&](const char* key) -> const std::string* {
    auto found = keys->find(key);
    return found == keys->end() ? nullptr : &found->second;
  };
  if (const auto* version = value("skin.format"); !version || *version != "1") return std::nullopt;

  Skin skin{};
  const std::pair<const char*, Rgb Skin::*> colours[] = {
      {"window.background", &Skin::window_background},
      {"group.background", &Skin::group_background},
      {"group.border", &Skin::group_border},
      {"group.text", &Skin::group_text},
      {"button.face", &Skin::button_face},
      {"button.pressed", &Skin::button_pressed},
      {"button.disabled", &Skin::button_disabled},
      {"button.border", &Skin::button_border},
      {"button.text", &Skin::button_text},
      {"label.text", &Skin::label_text},
      {"edit.border", &Skin::edit_border},
      {"edit.background", &Skin::edit_background},
      {"edit.text", &Skin::edit_text},
      {"header.background", &Skin::header_background},
      {"header.border", &Skin::header_border},
      {"header.text", &Skin::header_text},
  };
  for (const auto& [key, member] : colours) {
    const auto* text_value = value(key);
    const auto rgb = text_value ? parse_rgb(*text_value) : std::nullopt;
    if (!rgb) return std::nullopt;
    skin.*member = *rgb;
  }
  const auto* face = value("header.font_face");
  const auto* height = value("header.font_height");
  if (!face || !height) return std::nullopt;
  skin.header_font_face = *face;
  const char* end = height->data() + height->size();
  if (std::from_chars(height->data(), end, skin.header_font_height).ptr != end || height->empty())
    return std::nullopt;
  return skin;
}

}  // namespace trakvel::skin
