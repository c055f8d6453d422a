// Code page conversions through the system's own functions.
#include <windows.h>

#include <climits>

#include "text/codepage.h"

namespace trakvel::codepage {

bool to_wide(unsigned code_page, std::string_view bytes, WideText& out) {
  out.clear();
  if (bytes.empty()) return true;
  if (bytes.size() > INT_MAX) return false;
  const int length = static_cast<int>(bytes.size());
  const int units = MultiByteToWideChar(code_page, 0, bytes.data(), length, nullptr, 0);
  if (units <= 0) return false;
  out.resize(units);
  MultiByteToWideChar(code_page, 0, bytes.data(), length, reinterpret_cast<wchar_t*>(out.data()),
                      units);
  return true;
}

// The system's own conversions are quick enough through UTF-16.
bool utf8_to_gbk(std::string_view, Text&) {
  return false;
}

bool from_wide(unsigned code_page, std::u16string_view wide, Text& out, bool composite_check) {
  out.clear();
  if (wide.empty()) return true;
  if (wide.size() > INT_MAX) return false;
  // The UTF-8 conversion refuses every flag.
  const DWORD flags = composite_check && code_page != CP_UTF8 ? WC_COMPOSITECHECK : 0;
  const auto* units = reinterpret_cast<const wchar_t*>(wide.data());
  const int length = static_cast<int>(wide.size());
  const int bytes =
      WideCharToMultiByte(code_page, flags, units, length, nullptr, 0, nullptr, nullptr);
  if (bytes <= 0) return false;
  out.resize(bytes);
  WideCharToMultiByte(code_page, flags, units, length, out.data(), bytes, nullptr, nullptr);
  return true;
}

}  // namespace trakvel::codepage
