#include "text/text.h"

#include <gtest/gtest.h>

#include "test_text.h"

namespace trakvel {
namespace {

using test::gbk;

TEST(FindText, NeverStartsOnTheSecondByteOfACharacter) {
  // "丁" is B6 A1, "中" is D6 D0: the A1 of the first must not start a match of A1 A1.
  const Text text = "\xB6\xA1\xA1\xA1x";  // "丁", then the ideographic space, then x
  EXPECT_EQ(find_text(text, "\xA1\xA1"), 2u);
  EXPECT_EQ(find_text("\xD6\xD0"
                      "A",
                      "\xD0"
                      "A"),
            npos);
  EXPECT_EQ(find_text(gbk("中文中"), gbk("中"), 2), 4u);
}

TEST(FindText, AgreesWithAWalkFromTheStartAfterRunsOfLeadBytes) {
  // Every split of a run of lead-range bytes, after ASCII, a trail byte below 0x81
  // or the start, with the needle's bytes both as a character and as a trail.
  const auto walked = [](std::string_view text, std::string_view needle, std::size_t from) {
    for (std::size_t pos = from; pos < text.size(); pos += char_length(text, pos)) {
      if (text.substr(pos, needle.size()) == needle) return pos;
    }
    return npos;
  };
  for (std::string_view before : {"", "a", "\x81\x40"}) {
    for (int run = 0; run < 6; ++run) {
      const Text text = Text(before) + Text(run, '\xB0') + "\xA1\xA1x\xA1\xA1";
      for (std::size_t from : {std::size_t{0}, before.size()}) {
        EXPECT_EQ(find_text(text, "\xA1\xA1", from), walked(text, "\xA1\xA1", from))
            << run << " " << from;
      }
    }
  }
}

TEST(FindText, FoldsAsciiLettersOnly) {
  EXPECT_EQ(find_text("xx USER-agent: y", "User-Agent:", 0, true), 3u);
  EXPECT_EQ(find_text("User-Agent:", "user-agent:"), npos);
  // A trail byte that happens to be an ASCII letter is compared exactly.
  EXPECT_EQ(find_text("\x81"
                      "a",
                      "\x81"
                      "A",
                      0, true),
            npos);
  EXPECT_EQ(find_text("abc", "", 1, true), 1u);
}

TEST(SplitText, FollowsTheSeparatorRule) {
  struct Case {
    Text text, separator;
    std::vector<std::string_view> pieces;
  };
  const Case cases[] = {
      {"a\r\n\r\nb", "\r\n", {"a", "", "b"}},
      {"a\r\n", "\r\n", {"a"}},
      {"\r\na", "\r\n", {"", "a"}},
      {"\r\n", "\r\n", {""}},
      {"----", "----", {""}},
      {"123----abc", "----", {"123", "abc"}},
      {"", ";", {}},
      {"a;;", ";", {"a", ""}},
      // The separator never matches inside a double-byte character (D6 A1 is "丁").
      {"x\xB6\xA1\xA1y", "\xA1\xA1", {"x\xB6\xA1\xA1y"}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(split_text(c.text, c.separator), c.pieces) << testing::PrintToString(c.text);
  }
}

TEST(TrimText, RemovesAsciiAndIdeographicSpacesOnly) {
  EXPECT_EQ(trim_text("  a b  "), "a b");
  EXPECT_EQ(trim_text("\xA1\xA1 a\xA1\xA1"), "a");
  EXPECT_EQ(trim_text("\ta\r\n"), "\ta\r\n");
  EXPECT_EQ(trim_text("   "), "");
  // B6 A1 A1 ends in the second byte of "丁" followed by a lone A1, not a space.
  EXPECT_EQ(trim_text("\xB6\xA1\xA1"), "\xB6\xA1\xA1");
}

TEST(ToLowerAscii, LeavesDoubleByteCharactersAlone) {
  EXPECT_EQ(to_lower_ascii("WWW.Example.COM"), "www.example.com");
  EXPECT_EQ(to_lower_ascii("\x81"
                           "A"
                           "B"),
            "\x81"
            "Ab");
}

TEST(ReplaceAll, DoesNotRescanReplacements) {
  EXPECT_EQ(replace_all("aaa", "a", "aa"), "aaaaaa");
  EXPECT_EQ(replace_all(Text("x") + Text(kQuoteMacro) + "y", kQuoteMacro, "\""), "x\"y");
}

TEST(TextToInt, ReadsTheLeadingNumber) {
  struct Case {
    Text text;
    std::int32_t value;
  };
  const Case cases[] = {
      {"300", 300},
      {"  42abc", 42},
      {"abc", 0},
      {"", 0},
      {"-5", -5},
      {"+7", 7},
      {"- 5", 0},
      {gbk("３００"), 300},
      {gbk("－１２"), -12},
      {gbk("　３"), 3},
      {gbk("３０毫秒"), 30},
      {"99999999999", 2147483647},
      {"-99999999999", -2147483647 - 1},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(text_to_int(c.text), c.value) << testing::PrintToString(c.text);
  }
}

TEST(TextFromBytes, EndsAtTheFirstZeroByte) {
  EXPECT_EQ(text_from_bytes(Bytes{'a', 'b', 0, 'c'}), "ab");
  EXPECT_EQ(text_from_bytes(Bytes{}), "");
}

}  // namespace
}  // namespace trakvel
