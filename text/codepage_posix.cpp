// Code page conversions without the Windows functions: UTF-8 by hand, the other
// code pages through iconv, each failing byte or character replaced the way the
// Windows functions replace it when they are called without error checks.
#include <errno.h>
#include <iconv.h>

#include <array>

#include "text/codepage.h"

namespace trakvel::codepage {
namespace {

constexpr char16_t kReplacement = 0xFFFD;   // what a malformed UTF-8 sequence decodes to
constexpr char16_t kUnicodeDefault = u'?';  // what an undecodable byte of a code page becomes
constexpr char kDefaultChar = '?';          // what an unencodable character becomes

struct IconvName {
  unsigned code_page;
  const char* name;
};

// The system's ANSI code page is 936 on the systems this program serves.
constexpr std::array<IconvName, 8> kIconvNames{{
    {kCodePageAnsi, "CP936"},
    {936, "CP936"},
    {54936, "GB18030"},
    {950, "CP950"},
    {932, "CP932"},
    {949, "CP949"},
    {28591, "ISO-8859-1"},
    {1252, "CP1252"},
}};

const char* iconv_name(unsigned code_page) {
  for (const auto& entry : kIconvNames) {
    if (entry.code_page == code_page) return entry.name;
  }
  return nullptr;
}

void append_code_point(WideText& out, char32_t cp) {
  if (cp < 0x10000) {
    out.push_back(static_cast<char16_t>(cp));
  } else {
    cp -= 0x10000;
    out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
    out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
  }
}

// Sequence lengths after a lead byte 0x80..0xFF: 0 marks a byte that starts no sequence.
constexpr int utf8_trail_count(unsigned char lead) {
  if (lead >= 0xC2 && lead <= 0xDF) return 1;
  if (lead >= 0xE0 && lead <= 0xEF) return 2;
  if (lead >= 0xF0 && lead <= 0xF4) return 3;
  return 0;
}

// Decodes one sequence that starts with a byte of 0x80 or more at bytes[i]; advances i
// past what it consumed. Returns the code point, or 0xFFFFFFFF for an ill-formed part.
// The rules are those of the UTF-8 decoder of the Windows implementation we test on:
// continuation bytes are consumed until one is missing or the value is plainly wrong
// (overlong, surrogate, beyond U+10FFFF); a sequence cut off by the end swallows the rest.
char32_t decode_utf8_sequence(std::string_view bytes, std::size_t& i) {
  constexpr char32_t kBad = 0xFFFFFFFF;
  const auto lead = static_cast<unsigned char>(bytes[i++]);
  const int trail = utf8_trail_count(lead);
  if (trail == 0) return kBad;
  if (bytes.size() - i < static_cast<std::size_t>(trail)) {
    i = bytes.size();
    return kBad;
  }
  char32_t cp = lead & (0xFF >> (trail + 2));
  for (int k = trail; k > 0; --k) {
    const auto c = static_cast<unsigned char>(bytes[i] ^ 0x80);
    if (c >= 0x40) return kBad;
    cp = (cp << 6) | c;
    if (k == 2 && cp >= (0x110000 >> 6)) return kBad;
    ++i;
    if (k == 3 && cp < 0x10) return kBad;
    if (k == 2 && (cp < 0x20 || (cp >= (0xD800 >> 6) && cp <= (0xDFFF >> 6)))) return kBad;
    if (k == 1 && cp < 0x80) return kBad;
  }
  return cp;
}

void utf8_to_wide(std::string_view bytes, WideText& out) {
  out.reserve(bytes.size());
  for (std::size_t i = 0; i < bytes.size();) {
    const auto b = static_cast<unsigned char>(bytes[i]);
    if (b < 0x80) {
      out.push_back(b);
      ++i;
      continue;
    }
    const char32_t cp = decode_utf8_sequence(bytes, i);
    append_code_point(out, cp == 0xFFFFFFFF ? kReplacement : cp);
  }
}

// Encodes UTF-16 as UTF-8; a lone surrogate becomes U+FFFD.
void wide_to_utf8(std::u16string_view wide, Text& out) {
  out.reserve(wide.size());
  for (std::size_t i = 0; i < wide.size(); ++i) {
    char32_t cp = wide[i];
    if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < wide.size() && wide[i + 1] >= 0xDC00 &&
        wide[i + 1] <= 0xDFFF) {
      cp = 0x10000 + ((cp - 0xD800) << 10) + (wide[++i] - 0xDC00);
    } else if (cp >= 0xD800 && cp <= 0xDFFF) {
      cp = kReplacement;
    }
    if (cp < 0x80) {
      out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
      out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
      out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
      out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
      out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
      out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
      out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
  }
}

class Iconv {
 public:
  Iconv(const char* to, const char* from) : handle_(iconv_open(to, from)) {}
  ~Iconv() {
    if (ok()) iconv_close(handle_);
  }
  Iconv(const Iconv&) = delete;
  Iconv& operator=(const Iconv&) = delete;

  bool ok() const { return handle_ != reinterpret_cast<iconv_t>(-1); }
  iconv_t handle() const { return handle_; }

  // Converts all of in; at a unit that cannot be converted, on_error(out, rest)
  // appends a replacement and returns how many bytes of the rest to skip.
  template <typename OnError>
  void convert(const char* in, std::size_t in_left, std::string& out, OnError on_error) {
    std::array<char, 4096> buffer;
    while (in_left > 0) {
      char* dst = buffer.data();
      std::size_t dst_left = buffer.size();
      const std::size_t rc = iconv(handle_, const_cast<char**>(&in), &in_left, &dst, &dst_left);
      out.append(buffer.data(), dst - buffer.data());
      if (rc == static_cast<std::size_t>(-1) && errno != E2BIG) {
        const std::size_t skip = std::min(on_error(out, std::string_view(in, in_left)), in_left);
        in += skip, in_left -= skip;
        iconv(handle_, nullptr, nullptr, nullptr, nullptr);
      }
    }
  }

 private:
  iconv_t handle_;
};

// Code page 936 as Windows has it maps what GBK leaves open to private-use characters:
// 0xFF, and the three user-defined areas, which follow each other in U+E000..U+E765.
struct UserArea {
  unsigned char lead_first, lead_last, trail_first, trail_last;
  char16_t first;
};
constexpr std::array<UserArea, 3> kUserAreas{{
    {0xAA, 0xAF, 0xA1, 0xFE, 0xE000},
    {0xF8, 0xFE, 0xA1, 0xFE, 0xE234},
    {0xA1, 0xA7, 0x40, 0xA0, 0xE4C6},  // trail bytes skip 0x7F
}};
constexpr char16_t kPrivateFF = 0xF8F5;

int trail_index(const UserArea& area, unsigned char trail) {
  if (trail < area.trail_first || trail > area.trail_last || trail == 0x7F) return -1;
  return trail - area.trail_first - (area.trail_first < 0x7F && trail > 0x7F ? 1 : 0);
}

int trails_per_lead(const UserArea& area) {
  return trail_index(area, area.trail_last) + 1;
}

// The private-use character of a double-byte code in a user-defined area, or 0.
char16_t gbk_user_char(unsigned char lead, unsigned char trail) {
  for (const auto& area : kUserAreas) {
    const int t = trail_index(area, trail);
    if (lead >= area.lead_first && lead <= area.lead_last && t >= 0) {
      return static_cast<char16_t>(area.first + (lead - area.lead_first) * trails_per_lead(area) +
                                   t);
    }
  }
  return 0;
}

// The code 936 bytes of a private-use character, or an empty text.
Text gbk_user_bytes(char16_t unit) {
  if (unit == kPrivateFF) return "\xFF";
  for (const auto& area : kUserAreas) {
    const int per_lead = trails_per_lead(area);
    const int count = (area.lead_last - area.lead_first + 1) * per_lead;
    const int index = unit - area.first;
    if (index < 0 || index >= count) continue;
    int trail = area.trail_first + index % per_lead;
    if (area.trail_first < 0x7F && trail >= 0x7F) ++trail;
    return {static_cast<char>(area.lead_first + index / per_lead), static_cast<char>(trail)};
  }
  return {};
}

bool is_gbk(unsigned code_page) {
  return code_page == kCodePageGbk || code_page == kCodePageAnsi;
}

void append_unit(std::string& utf16le, char16_t unit) {
  utf16le.push_back(static_cast<char>(unit & 0xFF));
  utf16le.push_back(static_cast<char>(unit >> 8));
}

}  // namespace

bool to_wide(unsigned code_page, std::string_view bytes, WideText& out) {
  out.clear();
  if (code_page == kCodePageUtf8) return utf8_to_wide(bytes, out), true;
  const char* name = iconv_name(code_page);
  if (name == nullptr) return false;
  Iconv converter("UTF-16LE", name);
  if (!converter.ok()) return false;
  std::string utf16le;
  // A lead byte takes the byte after it along into the default character.
  converter.convert(bytes.data(), bytes.size(), utf16le,
                    [&](std::string& o, std::string_view rest) {
                      const auto lead = static_cast<unsigned char>(rest[0]);
                      const std::size_t length = char_length(rest, 0);
                      char16_t unit = kUnicodeDefault;
                      if (is_gbk(code_page) && lead == 0xFF) unit = kPrivateFF;
                      if (is_gbk(code_page) && length == 2) {
                        if (const char16_t user = gbk_user_char(lead, rest[1])) unit = user;
                      }
                      append_unit(o, unit);
                      return length;
                    });
  out.resize(utf16le.size() / 2);
  for (std::size_t i = 0; i < out.size(); ++i) {
    out[i] = static_cast<char16_t>(static_cast<unsigned char>(utf16le[2 * i]) |
                                   static_cast<unsigned char>(utf16le[2 * i + 1]) << 8);
  }
  return true;
}

// One iconv call for the whole text, for pages of megabytes. Any byte or character
// that iconv refuses sends the text the long way, which replaces it as Windows does;
// what iconv takes it converts by the same table as the long way.
bool utf8_to_gbk(std::string_view bytes, Text& out) {
  thread_local Iconv converter("CP936", "UTF-8");
  if (!converter.ok()) return false;
  iconv(converter.handle(), nullptr, nullptr, nullptr, nullptr);
  out.resize(bytes.size());  // GBK never takes more bytes than UTF-8 for a character
  char* in = const_cast<char*>(bytes.data());
  std::size_t in_left = bytes.size();
  char* dst = out.data();
  std::size_t dst_left = out.size();
  if (iconv(converter.handle(), &in, &in_left, &dst, &dst_left) != 0) return false;
  out.resize(out.size() - dst_left);
  return true;
}

bool from_wide(unsigned code_page, std::u16string_view wide, Text& out, bool) {
  out.clear();
  if (code_page == kCodePageUtf8) return wide_to_utf8(wide, out), true;
  const char* name = iconv_name(code_page);
  if (name == nullptr) return false;
  Iconv converter(name, "UTF-16LE");
  if (!converter.ok()) return false;
  std::string utf16le;
  utf16le.reserve(wide.size() * 2);
  for (char16_t unit : wide) append_unit(utf16le, unit);
  // One code unit at a time: a surrogate pair gives two default characters.
  converter.convert(
      utf16le.data(), utf16le.size(), out, [&](std::string& o, std::string_view rest) {
        const auto unit = static_cast<char16_t>(static_cast<unsigned char>(rest[0]) |
                                                static_cast<unsigned char>(rest[1]) << 8);
        const Text user = is_gbk(code_page) ? gbk_user_bytes(unit) : Text();
        o.append(user.empty() ? Text(1, kDefaultChar) : user);
        return std::size_t{2};
      });
  return true;
}

}  // namespace trakvel::codepage
