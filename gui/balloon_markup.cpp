#include "gui/balloon_markup.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <optional>
#include <string>
#include <utility>

#include "text/codepage.h"

namespace trakvel::gui {
namespace {

struct Tag {
  Text name;  // lower case, "/" in front for a closing tag
  std::vector<std::pair<Text, Text>> attributes;
};

// The tag at text[0] == '<' and its length, or none when it is no tag.
std::optional<std::pair<Tag, std::size_t>> read_tag(std::string_view text) {
  const std::size_t end = text.find('>');
  if (end == npos) return std::nullopt;
  std::string_view inside = text.substr(1, end - 1);
  std::size_t pos = 0;
  auto skip_blanks = [&] {
    while (pos < inside.size() && isspace(static_cast<unsigned char>(inside[pos]))) ++pos;
  };
  auto read_word = [&] {
    const std::size_t start = pos;
    while (pos < inside.size() && !isspace(static_cast<unsigned char>(inside[pos])) &&
           inside[pos] != '=' && inside[pos] != '>')
      ++pos;
    return to_lower_ascii(inside.substr(start, pos - start));
  };
  Tag tag;
  tag.name = read_word();
  const std::string_view bare = std::string_view(tag.name).substr(tag.name.starts_with('/'));
  if (bare.empty() || !isalpha(static_cast<unsigned char>(bare[0]))) return std::nullopt;
  while (skip_blanks(), pos < inside.size()) {
    Text name = read_word();
    if (name.empty()) {
      ++pos;  // a stray character such as "/" of "<br/>"
      continue;
    }
    Text value;
    skip_blanks();
    if (pos < inside.size() && inside[pos] == '=') {
      ++pos;
      skip_blanks();
      if (pos < inside.size() && (inside[pos] == '"' || inside[pos] == '\'')) {
        const char quote = inside[pos++];
        const std::size_t close = inside.find(quote, pos);
        const std::size_t stop = close == npos ? inside.size() : close;
        value = Text(inside.substr(pos, stop - pos));
        pos = close == npos ? stop : close + 1;
      } else {
        const std::size_t start = pos;
        while (pos < inside.size() && !isspace(static_cast<unsigned char>(inside[pos]))) ++pos;
        value = Text(inside.substr(start, pos - start));
      }
    }
    tag.attributes.emplace_back(std::move(name), std::move(value));
  }
  return std::pair{std::move(tag), end + 1};
}

// The entity at text[0] == '&' as text and its length, or none.
std::optional<std::pair<Text, std::size_t>> read_entity(std::string_view text) {
  const std::size_t end = text.find(';');
  if (end == npos || end > 10) return std::nullopt;
  const Text name = to_lower_ascii(text.substr(1, end - 1));
  static const std::pair<const char*, const char*> named[] = {
      {"amp", "&"}, {"lt", "<"}, {"gt", ">"}, {"quot", "\""}, {"nbsp", " "}, {"apos", "'"}};
  for (const auto& [entity, value] : named)
    if (name == entity) return std::pair{Text(value), end + 1};
  if (name.size() < 2 || name[0] != '#') return std::nullopt;
  const bool hex = name[1] == 'x';
  const std::string digits = name.substr(hex ? 2 : 1);
  if (digits.empty() || digits.size() > 6) return std::nullopt;
  char* stop = nullptr;
  const unsigned long code = std::strtoul(digits.c_str(), &stop, hex ? 16 : 10);
  if (*stop != '\0' || code == 0 || code > 0xFFFF) return std::nullopt;
  if (code < 0x80) return std::pair{Text(1, static_cast<char>(code)), end + 1};
  return std::pair{wide_to_multibyte(std::u16string(1, static_cast<char16_t>(code)), kCodePageGbk),
                   end + 1};
}

std::optional<std::uint32_t> parse_color(std::string_view value) {
  static const std::pair<const char*, std::uint32_t> named[] = {
      {"black", 0x000000},  {"white", 0xFFFFFF},  {"red", 0xFF0000},  {"green", 0x008000},
      {"blue", 0x0000FF},   {"gray", 0x808080},   {"grey", 0x808080}, {"orange", 0xFFA500},
      {"yellow", 0xFFFF00}, {"purple", 0x800080}, {"navy", 0x000080}, {"maroon", 0x800000}};
  const Text lower = to_lower_ascii(value);
  for (const auto& [name, rgb] : named)
    if (lower == name) return rgb;
  std::string_view hex = lower;
  if (hex.starts_with('#')) hex.remove_prefix(1);
  if (hex.size() != 6 || hex.find_first_not_of("0123456789abcdef") != npos) return std::nullopt;
  return static_cast<std::uint32_t>(std::stoul(std::string(hex), nullptr, 16));
}

// HTML font sizes 1 to 7, absolute or relative to 3, in points.
std::optional<int> parse_size(std::string_view value) {
  static constexpr int kPoints[] = {8, 10, 12, 14, 18, 24, 36};
  if (value.empty()) return std::nullopt;
  const bool relative = value[0] == '+' || value[0] == '-';
  const int number = text_to_int(value);
  if (!relative && number == 0) return std::nullopt;
  // Clamp the number before adding to it: text_to_int gives up to 2^31 - 1.
  const int size = std::clamp(relative ? 3 + std::clamp(number, -7, 7) : number, 1, 7);
  return kPoints[size - 1];
}

class Parser {
 public:
  std::vector<MarkupLine> parse(std::string_view markup) {
    for (std::size_t pos = 0; pos < markup.size();) {
      const std::string_view rest = markup.substr(pos);
      if (rest.starts_with("\r\n")) {
        new_line();
        pos += 2;
      } else if (rest[0] == '\n') {
        new_line();
        ++pos;
      } else if (rest[0] == '<') {
        auto tag = read_tag(rest);
        if (tag)
          apply(tag->first);
        else
          add_text("<");
        pos += tag ? tag->second : 1;
      } else if (rest[0] == '&') {
        auto entity = read_entity(rest);
        add_text(entity ? std::string_view(entity->first) : "&");
        pos += entity ? entity->second : 1;
      } else {
        const std::size_t length = char_length(markup, pos);
        add_text(markup.substr(pos, length));
        pos += length;
      }
    }
    while (!lines_.empty() && lines_.back().empty() && lines_.size() > 1) lines_.pop_back();
    return std::move(lines_);
  }

 private:
  void new_line() { lines_.emplace_back(); }

  void add_text(std::string_view text) {
    auto& line = lines_.back();
    const RunStyle& style = stack_.back().second;
    if (line.empty() || !(line.back().style == style)) line.push_back({"", style});
    line.back().text += text;
  }

  void apply(const Tag& tag) {
    const Text& name = tag.name;
    if (name == "br" || name == "br/") return new_line();
    if (name == "p" || name == "/p") {
      if (!lines_.back().empty()) new_line();
      return;
    }
    if (name.starts_with('/')) return close(name.substr(1));
    RunStyle style = stack_.back().second;
    if (name == "b" || name == "strong")
      style.bold = true;
    else if (name == "i" || name == "em")
      style.italic = true;
    else if (name == "u")
      style.underline = true;
    else if (name == "font")
      apply_font(tag, style);
    else
      return;  // any other tag is dropped
    stack_.emplace_back(name, style);
  }

  void apply_font(const Tag& tag, RunStyle& style) {
    for (const auto& [attribute, value] : tag.attributes) {
      if (attribute == "color") style.color = parse_color(value).value_or(style.color);
      if (attribute == "size") style.points = parse_size(value).value_or(style.points);
      if (attribute == "face" && !value.empty()) style.face = value;
    }
  }

  // Closes the innermost open tag of that name, and any opened inside it.
  void close(const Text& name) {
    for (std::size_t i = stack_.size(); i-- > 1;) {
      if (stack_[i].first == name) {
        stack_.resize(i);
        return;
      }
    }
  }

  std::vector<MarkupLine> lines_{1};
  std::vector<std::pair<Text, RunStyle>> stack_{{"", RunStyle{}}};
};

}  // namespace

std::vector<MarkupLine> parse_balloon_markup(std::string_view markup) {
  return Parser().parse(markup);
}

}  // namespace trakvel::gui
