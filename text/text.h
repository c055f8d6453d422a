// Text primitives shared by every subsystem.
//
// Text is a byte string in code page 936 (GBK): a lead byte 0x81..0xFE and the
// byte after it form one double-byte character. Searches step over such a
// character as a whole, so a match never starts on its second byte.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace trakvel {

using Text = std::string;
// A length-counted byte array (request and response bodies, whole files); may hold zero bytes.
using Bytes = std::vector<std::uint8_t>;

inline constexpr std::size_t npos = std::string_view::npos;

// "#引号" in code page 936: callers write it in markers and patterns for a double quote.
inline constexpr std::string_view kQuoteMacro = "#\xD2\xFD\xBA\xC5";

// The text a byte array holds: it ends at the first zero byte.
Text text_from_bytes(const Bytes& bytes);
Bytes bytes_from_text(std::string_view text);

inline bool is_lead_byte(unsigned char c) {
  return c >= 0x81 && c <= 0xFE;
}

// Length in bytes of the character that starts at pos: 2 for a complete double-byte character.
inline std::size_t char_length(std::string_view text, std::size_t pos) {
  return is_lead_byte(static_cast<unsigned char>(text[pos])) && pos + 1 < text.size() ? 2 : 1;
}

// 0-based offset of the first occurrence of needle at or after from (taken as a
// character boundary), or npos. fold_case compares ASCII letters without case.
std::size_t find_text(std::string_view text, std::string_view needle, std::size_t from = 0,
                      bool fold_case = false);

inline bool contains_text(std::string_view text, std::string_view needle, bool fold_case = false) {
  return find_text(text, needle, 0, fold_case) != npos;
}

// Pieces between separators, in order. An empty piece between two separators and an
// empty first piece count; an empty remainder after the last separator does not; the
// empty text gives no piece.
std::vector<std::string_view> split_text(std::string_view text, std::string_view separator);

// Removes ASCII spaces and ideographic spaces (A1 A1) at both ends; tabs and line breaks stay.
std::string_view trim_text(std::string_view text);

// Every occurrence of from replaced by to, left to right, replacements not rescanned.
Text replace_all(std::string_view text, std::string_view from, std::string_view to);

// ASCII letters lower-cased; bytes of double-byte characters are left alone.
Text to_lower_ascii(std::string_view text);

bool starts_with_fold(std::string_view text, std::string_view prefix);

// The leading integer of a text, as typed into a number box: full-width digits, signs
// and spaces count as their ASCII counterparts; leading spaces are skipped; a sign and
// the digits after it are read up to the first other character. No number gives 0;
// values beyond 32 bits are clamped.
std::int32_t text_to_int(std::string_view text);

}  // namespace trakvel
