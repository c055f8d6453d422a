#include "text/codepage.h"

namespace trakvel {

WideText multibyte_to_wide(std::string_view text, unsigned code_page) {
  text = text.substr(0, text.find('\0'));
  WideText wide;
  codepage::to_wide(code_page, text, wide);
  wide.push_back(u'\0');
  return wide;
}

Text wide_to_multibyte(std::u16string_view wide, unsigned code_page) {
  wide = wide.substr(0, wide.find(u'\0'));
  Text text;
  codepage::from_wide(code_page, wide, text);
  return text;
}

Text utf8_to_ansi(std::string_view text) {
  Text direct;
  if (codepage::utf8_to_gbk(text.substr(0, text.find('\0')), direct)) return direct;
  return wide_to_multibyte(multibyte_to_wide(text, kCodePageUtf8), kCodePageGbk);
}

}  // namespace trakvel
