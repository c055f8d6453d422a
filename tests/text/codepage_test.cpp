#include "text/codepage.h"

#include <gtest/gtest.h>

namespace trakvel {
namespace {

// Both builds must agree on these byte for byte: the Windows build gets them from
// the system, the Linux build from its own conversions.
TEST(MultibyteToWide, DecodesLikeTheSystem) {
  struct Case {
    unsigned code_page;
    Text bytes;
    WideText wide;  // without the terminating zero unit
  };
  const Case cases[] = {
      {65001, "", u""},
      {65001, "a\xE4\xB8\xAD", u"a\u4E2D"},
      {65001, "\xF0\x9F\x98\x80", u"\U0001F600"},
      // Ill-formed UTF-8: each broken part becomes one U+FFFD.
      {65001, "\xC0\x80", u"\uFFFD\uFFFD"},
      {65001,
       "\xE4\xB8"
       "A",
       u"\uFFFD"
       "A"},
      {65001, "\xE0\x80\x80", u"\uFFFD\uFFFD"},
      {65001, "\xED\xA0\x80", u"\uFFFD\uFFFD"},
      {65001, "\xF0\x9F\x98", u"\uFFFD"},
      {65001, "\x80\x80", u"\uFFFD\uFFFD"},
      {65001, "\xF5\x80", u"\uFFFD\uFFFD"},
      // Code page 936: the euro sign at 0x80, Windows' private-use characters for
      // 0xFF and the user-defined areas, "?" for a broken pair (both bytes).
      {936, "\xD6\xD0\xA1\xA1", u"\u4E2D\u3000"},
      {936, "\x80", u"\u20AC"},
      {936, "\xFF", u"\uF8F5"},
      {936, "\xA2\xA0\xAA\xA1\xF8\xA1", u"\uE585\uE000\uE234"},
      {936, "\x81 ", u"?"},
      {936, "a\x81", u"a?"},
  };
  for (const auto& c : cases) {
    WideText expected = c.wide;
    expected.push_back(u'\0');
    EXPECT_EQ(multibyte_to_wide(c.bytes, c.code_page), expected)
        << c.code_page << " " << testing::PrintToString(c.bytes);
  }
}

TEST(WideToMultibyte, EncodesLikeTheSystem) {
  struct Case {
    unsigned code_page;
    WideText wide;
    Text bytes;
  };
  const Case cases[] = {
      {936, u"\u4E2D\u6587", "\xD6\xD0\xCE\xC4"},
      {936, u"\u20AC", "\x80"},
      {936, u"\uF8F5\uE585", "\xFF\xA2\xA0"},
      {936, u"\u00E9\u00B7", "\xA8\xA6\xA1\xA4"},
      // Outside GBK: Hangul, an emoji (a surrogate pair: one "?" per unit), a lone surrogate.
      {936, u"\uD55C", "?"},
      {936, u"\U0001F600", "??"},
      {936, WideText(1, char16_t(0xD800)), "?"},
      {65001, WideText(1, char16_t(0xD800)), "\xEF\xBF\xBD"},
      {65001, u"\U0001F600", "\xF0\x9F\x98\x80"},
      // The conversion stops at the first zero unit.
      {936, WideText(u"ab\0cd", 5), "ab"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(wide_to_multibyte(c.wide, c.code_page), c.bytes) << c.code_page;
  }
}

TEST(MultibyteToWide, EmptyTextGivesOneZeroUnit) {
  EXPECT_EQ(multibyte_to_wide(""), WideText(1, u'\0'));
  EXPECT_EQ(multibyte_to_wide(Text("ab\0c", 4)), WideText(u"ab\0", 3));
}

TEST(Utf8ToAnsi, ConvertsToCodePage936) {
  EXPECT_EQ(utf8_to_ansi("\xE4\xB8\xAD\xE6\x96\x87"), "\xD6\xD0\xCE\xC4");
  EXPECT_EQ(utf8_to_ansi("plain ascii"), "plain ascii");
  EXPECT_EQ(utf8_to_ansi("\xED\x95\x9C"), "?");  // Hangul is not in GBK
  EXPECT_EQ(utf8_to_ansi(""), "");
}

}  // namespace
}  // namespace trakvel
