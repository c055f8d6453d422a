#include "text/charset.h"

#include <array>

#include "text/codepage.h"

namespace trakvel {
namespace {

struct CharsetName {
  std::string_view name;
  unsigned code_page;
};

// Names as web pages and the stream component spell them.
constexpr std::array<CharsetName, 14> kCharsets{{
    {"utf-8", kCodePageUtf8},
    {"utf8", kCodePageUtf8},
    {"gbk", kCodePageGbk},
    {"gb2312", kCodePageGbk},
    {"cp936", kCodePageGbk},
    {"windows-936", kCodePageGbk},
    {"x-gbk", kCodePageGbk},
    {"gb18030", 54936},
    {"big5", 950},
    {"shift_jis", 932},
    {"euc-kr", 949},
    {"iso-8859-1", 28591},
    {"latin1", 28591},
    {"windows-1252", 1252},
}};

}  // namespace

unsigned charset_code_page(std::string_view name) {
  const Text lower = to_lower_ascii(name);
  for (const auto& entry : kCharsets) {
    if (entry.name == lower) return entry.code_page;
  }
  return 0;
}

Bytes convert_charset(const Bytes& data, std::string_view source, std::string_view target) {
  const unsigned from = charset_code_page(source.empty() ? "UTF-8" : source);
  const unsigned to = charset_code_page(target.empty() ? "GBK" : target);
  if (from == 0 || to == 0) return {};
  WideText wide;
  Text ansi;
  const std::string_view bytes(reinterpret_cast<const char*>(data.data()), data.size());
  if (!codepage::to_wide(from, bytes, wide)) return {};
  if (!codepage::from_wide(kCodePageAnsi, wide, ansi)) return {};
  ansi.resize(ansi.find('\0') == npos ? ansi.size() : ansi.find('\0'));
  if (!codepage::to_wide(kCodePageAnsi, ansi, wide)) return {};
  Text result;
  if (!codepage::from_wide(to, wide, result)) return {};
  return bytes_from_text(result);
}

}  // namespace trakvel
