#include "text/charset.h"

#include <gtest/gtest.h>

namespace trakvel {
namespace {

Bytes bytes(std::string_view text) {
  return bytes_from_text(text);
}

TEST(ConvertCharset, ReencodesThroughTheAnsiCodePage) {
  struct Case {
    Text source, target;
    Text in, out;
  };
  const Case cases[] = {
      {"", "", "\xE4\xB8\xAD\xE6\x96\x87", "\xD6\xD0\xCE\xC4"},  // UTF-8 to GBK by default
      {"UTF-8", "GBK", "abc", "abc"},
      {"utf-8", "gb2312", "\xE2\x82\xAC", "\x80"},  // the euro sign
      {"", "", "\xED\x95\x9C", "?"},                // not in GBK
      {"", "", "\xF0\x9F\x98\x80", "??"},           // outside the BMP: one "?" per unit
      {"gbk", "utf-8", "\xD6\xD0", "\xE4\xB8\xAD"},
      // Passing through GBK loses what GBK cannot hold, also between two other sets.
      {"utf-8", "utf-8", "\xED\x95\x9C!", "?!"},
      // The decoded text ends at its first zero character.
      {"", "", Text("ab\0cd", 5), "ab"},
      {"", "", "", ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(convert_charset(bytes(c.in), c.source, c.target), bytes(c.out))
        << c.source << " -> " << c.target << " " << testing::PrintToString(c.in);
  }
}

TEST(ConvertCharset, UnknownCharsetGivesEmptyBytes) {
  EXPECT_TRUE(convert_charset(bytes("abc"), "no-such-charset").empty());
  EXPECT_TRUE(convert_charset(bytes("abc"), "", "klingon").empty());
}

TEST(ComInitialize, CanBeNestedOnOneThread) {
  com_initialize();
  com_initialize();
  com_uninitialize();
  com_uninitialize();
}

}  // namespace
}  // namespace trakvel
