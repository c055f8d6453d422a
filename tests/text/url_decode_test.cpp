#include "text/url_decode.h"

#include <gtest/gtest.h>

namespace trakvel {
namespace {

TEST(UrlDecode, DecodesEveryEscapeByTheDigitRule) {
  struct Case {
    Text in;
    bool convert;
    Text out;
  };
  const Case cases[] = {
      {"a%20b", false, "a b"},
      {"%41%62", false, "Ab"},
      {"%e4%b8%ad", false, "\xE4\xB8\xAD"},
      {"%e4%b8%ad", true, "\xD6\xD0"},
      {"100%", false, "100"},        // the escape at the end decodes to 0: dropped
      {"x%2", false, "x "},          // a missing second digit counts as 0
      {"a%00b", false, "ab"},        // %00 adds nothing, decoding goes on
      {"%zz", false, "\xDE"},        // 16 x -2 - 2 = -34, modulo 256
      {"50%;", false, "50\xE0"},     // -2 x 16 + 0
      {"a+b", false, "a+b"},         // a plus sign stays
      {"%\xD6\xD0", false, "\xDE"},  // bytes of 0x80 and above are not digits
      {"\xD6\xD0%41", false,
       "\xD6\xD0"
       "A"},
      {"%%41", false,
       "\xE4"
       "1"},  // "%%4" is one escape; "1" follows
      {"", true, ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(url_decode(c.in, c.convert), c.out) << testing::PrintToString(c.in);
  }
}

TEST(UrlDecode, ConvertsAWholeUtf8Page) {
  // The page arrives in UTF-8 with some parts escaped; both come out as GBK.
  EXPECT_EQ(url_decode("<b>\xE4\xB8\xAD</b>%E6%96%87", true), "<b>\xD6\xD0</b>\xCE\xC4");
}

}  // namespace
}  // namespace trakvel
