// Conversions between code pages and UTF-16, as the system's
// MultiByteToWideChar and WideCharToMultiByte make them without error checks.
#pragma once

#include <string>
#include <string_view>

#include "text/text.h"

namespace trakvel {

// UTF-16 code units. What multibyte_to_wide returns ends in one zero code unit.
using WideText = std::u16string;

inline constexpr unsigned kCodePageAnsi = 0;  // the system's ANSI code page (936 here)
inline constexpr unsigned kCodePageGbk = 936;
inline constexpr unsigned kCodePageUtf8 = 65001;

// The whole text up to its terminating zero, and that zero, as UTF-16.
WideText multibyte_to_wide(std::string_view text, unsigned code_page = kCodePageUtf8);

// The code units up to the first zero unit, converted; unrepresentable characters
// become the code page's default character.
Text wide_to_multibyte(std::u16string_view wide, unsigned code_page = kCodePageAnsi);

// UTF-8 text as code page 936 text.
Text utf8_to_ansi(std::string_view text);

// Platform layer under the functions above: the conversion of a whole byte run,
// zero bytes included. False when the code page is not available.
namespace codepage {
bool to_wide(unsigned code_page, std::string_view bytes, WideText& out);
// composite_check asks for WC_COMPOSITECHECK, which composes base + combining pairs first.
bool from_wide(unsigned code_page, std::u16string_view wide, Text& out,
               bool composite_check = false);
// UTF-8 straight to code page 936 where that gives what the way through UTF-16
// gives; false, with out unspecified, where it cannot.
bool utf8_to_gbk(std::string_view bytes, Text& out);
}  // namespace codepage

}  // namespace trakvel
