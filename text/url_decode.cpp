#include "text/url_decode.h"

#include <cstring>

#include "text/codepage.h"

namespace trakvel {
namespace {

int digit_value(std::string_view text, std::size_t pos) {
  if (pos >= text.size()) return 0;
  char c = text[pos];
  if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  const char* digits = "0123456789ABCDEF";
  const char* found = c != '\0' ? std::strchr(digits, c) : nullptr;
  return found != nullptr ? static_cast<int>(found - digits) : -2;
}

}  // namespace

Text url_decode(std::string_view text, bool convert_utf8) {
  text = text.substr(0, text.find('\0'));
  // Most pages hold no escape: then there is nothing to copy before converting.
  if (convert_utf8 && text.find('%') == npos) return utf8_to_ansi(text);
  Text result;
  result.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    const std::size_t percent = text.find('%', i);
    result.append(text.substr(i, percent - i));  // everything up to the escape, unchanged
    if (percent == npos) break;
    const int value = 16 * digit_value(text, percent + 1) + digit_value(text, percent + 2);
    const auto byte = static_cast<unsigned char>(value & 0xFF);
    if (byte != 0) result.push_back(static_cast<char>(byte));
    i = percent + 3;
  }
  return convert_utf8 ? utf8_to_ansi(result) : result;
}

}  // namespace trakvel
