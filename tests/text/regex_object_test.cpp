#include "text/regex_object.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "test_text.h"

#ifdef _WIN32
#include <windows.h>

#include <objbase.h>
#endif

namespace trakvel {
namespace {

using test::gbk;

// The system's engine (VBScript's RegExp on Windows, the built-in one elsewhere), or
// the built-in one forced where VBScript exists.
enum class Engine { kSystem, kBuiltin };

std::ostream& operator<<(std::ostream& out, Engine engine) {
  return out << (engine == Engine::kBuiltin ? "Builtin" : "Component");
}

void use_engine(Engine engine) {
  const bool builtin = engine == Engine::kBuiltin;
#ifdef _WIN32
  _putenv_s("TRAKVEL_REGEX_ENGINE", builtin ? "builtin" : "");
#else
  if (builtin) {
    setenv("TRAKVEL_REGEX_ENGINE", "builtin", 1);
  } else {
    unsetenv("TRAKVEL_REGEX_ENGINE");
  }
#endif
}

bool running_under_wine() {
#ifdef _WIN32
  return GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
#else
  return false;
#endif
}

std::vector<Text> matches_of(const RegexObject& regex) {
  std::vector<Text> matches;
  for (std::int32_t n = 1; n <= regex.match_count(); ++n) matches.push_back(regex.match_text(n));
  return matches;
}

class RegexObjectTest : public ::testing::TestWithParam<Engine> {
 protected:
  void SetUp() override { use_engine(GetParam()); }
  void TearDown() override { use_engine(Engine::kSystem); }

  RegexObject regex;
};

struct OptionCase {
  const char* pattern;
  const char* subject;
  bool case_sensitive;
  bool multiline;
  bool global;
  std::vector<Text> matches;
};

TEST_P(RegexObjectTest, OptionsDecideWhatMatches) {
  const OptionCase cases[] = {
      // The defaults: letter case ignored, ^ and $ at line breaks, every match.
      {"ABC", "xabcx", false, true, true, {"abc"}},
      {"^b", "a\nb", false, true, true, {"b"}},
      {"^b", "a\rb", false, true, true, {"b"}},
      {"a$", "a\nb", false, true, true, {"a"}},
      {"a", "aXa", false, true, true, {"a", "a"}},
      // Each option changes that.
      {"ABC", "xabcx", true, true, true, {}},
      {"^b", "a\nb", false, false, true, {}},
      {"b$", "ab\n", false, false, true, {}},
      {"^a", "ab", false, false, true, {"a"}},
      {"a", "aXa", false, true, false, {"a"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.pattern);
    ASSERT_TRUE(regex.search(c.pattern, c.subject, c.case_sensitive, c.multiline, c.global));
    EXPECT_EQ(matches_of(regex), c.matches);
  }
}

TEST_P(RegexObjectTest, FollowsTheVbscriptDialect) {
  struct Case {
    const char* pattern;
    Text subject;
    std::optional<Text> first_match;
    // Wine's copy of the component follows ECMAScript here where Windows' own does
    // not; under Wine such a case is for the built-in engine only.
    bool windows_only = false;
  };
  const Case cases[] = {
      {"a.b", "a\nb", std::nullopt},
      {"a.b", "a\rb", "a\rb", true},
      {"\\s\\S", gbk("a　b c"), " c", true},
      {"[\\u4e00-\\u9fa5]+", gbk("单号：中通"), gbk("单号")},
      {"\\w+", gbk("中文abc_1"), "abc_1"},
      {"\\d+", gbk("１２3"), "3"},
      {"\\bab", gbk("中ab"), "ab"},
      {"(a)?b\\1", "b", "b"},
      {"x{y}", "x{y}", "x{y}"},
  };
  for (const auto& c : cases) {
    if (c.windows_only && GetParam() == Engine::kSystem && running_under_wine()) continue;
    SCOPED_TRACE(c.pattern);
    ASSERT_TRUE(regex.search(c.pattern, c.subject));
    if (c.first_match) {
      EXPECT_EQ(regex.match_text(1), *c.first_match);
    } else {
      EXPECT_EQ(regex.match_count(), 0);
    }
  }
}

TEST_P(RegexObjectTest, QuoteMacroStandsForADoubleQuote) {
  const Text pattern = gbk("id=#引号(\\w+)#引号");
  ASSERT_TRUE(regex.search(pattern, "<a id=\"trace\">", false, true, true, true));
  EXPECT_EQ(regex.match_text(1), "id=\"trace\"");
  EXPECT_EQ(regex.submatch_text(1, 1), "trace");
  EXPECT_EQ(regex.pattern_text(), "id=\"(\\w+)\"");

  // Without the flag the five bytes are matched as they are.
  ASSERT_TRUE(regex.search(pattern, "<a id=\"trace\">"));
  EXPECT_EQ(regex.match_count(), 0);
  ASSERT_TRUE(regex.search(pattern, gbk("id=#引号trace#引号")));
  EXPECT_EQ(regex.match_text(1), gbk("id=#引号trace#引号"));
}

TEST_P(RegexObjectTest, ChineseTextComesBackAsGbk) {
  ASSERT_TRUE(regex.search(gbk("状态：(.+)。"), gbk("单号：YT123，状态：已签收。")));
  EXPECT_EQ(regex.match_text(1), gbk("状态：已签收。"));
  EXPECT_EQ(regex.submatch_text(1, 1), gbk("已签收"));
  EXPECT_EQ(regex.pattern_text(), gbk("状态：(.+)。"));
}

TEST_P(RegexObjectTest, GroupThatTookNoPartIsEmpty) {
  ASSERT_TRUE(regex.search("(a)(b)?", "ac"));
  EXPECT_EQ(regex.submatch_count(), 2);
  EXPECT_EQ(regex.submatch_text(1, 1), "a");
  EXPECT_EQ(regex.submatch_text(1, 2), "");
}

TEST_P(RegexObjectTest, SearchWithoutMatchesSucceeds) {
  ASSERT_TRUE(regex.search("(x)", "abc"));
  EXPECT_EQ(regex.match_count(), 0);
  EXPECT_EQ(regex.submatch_count(), 0);
  EXPECT_EQ(regex.match_text(1), "");
}

TEST_P(RegexObjectTest, RefusedPatternLeavesNothing) {
  ASSERT_TRUE(regex.search("(b)", "abc"));
  EXPECT_FALSE(regex.search("(", "abc"));
  EXPECT_EQ(regex.match_count(), 0);
  EXPECT_EQ(regex.submatch_count(), 0);
  EXPECT_EQ(regex.match_text(1), "");
  EXPECT_EQ(regex.replace_matches("x"), "");
  EXPECT_EQ(regex.pattern_text(), "(");
}

TEST_P(RegexObjectTest, IndexesOutOfRangeGiveEmptyText) {
  ASSERT_TRUE(regex.search("(a)(b)", "ab-ab"));
  EXPECT_EQ(regex.match_text(2), "ab");
  EXPECT_EQ(regex.submatch_text(2, 2), "b");
  for (const std::int32_t n : {-1, 0, 3}) EXPECT_EQ(regex.match_text(n), "") << n;
  const std::pair<std::int32_t, std::int32_t> groups[] = {{1, 0}, {1, 3}, {1, -1}, {0, 1}, {3, 1}};
  for (const auto& [n, k] : groups) EXPECT_EQ(regex.submatch_text(n, k), "") << n << "," << k;
}

TEST_P(RegexObjectTest, ReplacesMatchesOfTheLastSearch) {
  struct Case {
    const char* pattern;
    bool global;
    Text replacement;
    Text result;
  };
  const Case cases[] = {
      {"(\\d)(\\d+)", true, "[$2$1]", gbk("单号[21]和[453]")},
      {"\\d+", false, "#", gbk("单号#和345")},
      {"\\d+", true, "<$&>", gbk("单号<12>和<345>")},
      {"\\d+", true, "$$", gbk("单号$和$")},
      {"(\\d+)", true, "$2", gbk("单号$2和$2")},
      {"\\d+", true, gbk("号码"), gbk("单号号码和号码")},
      {"\\d+", true, "", gbk("单号和")},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.pattern + (" -> " + c.replacement));
    ASSERT_TRUE(regex.search(c.pattern, gbk("单号12和345"), false, true, c.global));
    EXPECT_EQ(regex.replace_matches(c.replacement), c.result);
  }
  ASSERT_TRUE(regex.search(gbk("和"), gbk("单号12和345")));
  EXPECT_EQ(regex.replace_matches("[$`|$']"), gbk("单号12[单号12|345]345"));
}

TEST_P(RegexObjectTest, PositionsAreByteOffsetsInTheSubject) {
  ASSERT_TRUE(regex.search("a(b)c", gbk("中文abc中文abc")));
  std::int32_t position = -1;
  EXPECT_EQ(regex.match_text(1, &position), "abc");
  EXPECT_EQ(position, 4);
  EXPECT_EQ(regex.submatch_text(1, 1, &position), "b");
  EXPECT_EQ(position, 5);
  EXPECT_EQ(regex.match_text(2, &position), "abc");
  EXPECT_EQ(position, 11);
}

// The pattern that reads the trace entries of a courier's detail page.
constexpr std::string_view kDetailPattern =
    R"(class="col1"><dt>(.*?)</dt><dd>(.*?)</dd></dl><span class="col2"><span class="line1"></span><span class="line2"></span><span class="point"></span></span><span class="col3">(.*?)</span>)";
static_assert(kDetailPattern.size() == 184);

// As settings hold it: double quotes written as the macro.
Text stored_detail_pattern() {
  return replace_all(kDetailPattern, "\"", kQuoteMacro);
}

Text trace_entry(const char* li_class, const char* date, const char* time, const char* what) {
  return gbk(std::string("<li class=\"") + li_class + "\"><dl class=\"col1\"><dt>" + date +
             "</dt><dd>" + time +
             "</dd></dl><span class=\"col2\"><span class=\"line1\"></span><span "
             "class=\"line2\"></span><span class=\"point\"></span></span><span class=\"col3\">" +
             what + "</span></li>\r\n");
}

TEST_P(RegexObjectTest, DetailPatternReadsTheTraceOfAPage) {
  const Text page =
      gbk("<html><head><meta charset=\"gbk\"><title>快递查询结果</title></head><body>\r\n"
          "<ul class=\"trace\">\r\n") +
      trace_entry(" first", "2024-05-01", "10:20", "已签收，签收人：本人") +
      trace_entry("", "2024-05-01", "08:05", "【上海市】派件员 张三（13800000000）正在派件") +
      // A break inside an entry keeps that entry out: the dot stops at a line feed.
      trace_entry("", "2024-04-30", "23:10", "快件已发出\n下一站【上海】") +
      trace_entry(" last", "2024-04-30", "21:47", "快件已到达【上海转运中心】") +
      gbk("</ul>\r\n<p class=\"tip\">本结果仅供参考</p></body></html>\r\n");

  ASSERT_TRUE(regex.search(stored_detail_pattern(), page, false, false, true, true));
  const std::vector<std::vector<const char*>> expected = {
      {"2024-05-01", "10:20", "已签收，签收人：本人"},
      {"2024-05-01", "08:05", "【上海市】派件员 张三（13800000000）正在派件"},
      {"2024-04-30", "21:47", "快件已到达【上海转运中心】"},
  };
  ASSERT_EQ(regex.match_count(), static_cast<std::int32_t>(expected.size()));
  EXPECT_EQ(regex.submatch_count(), 3);
  for (std::int32_t n = 1; n <= regex.match_count(); ++n) {
    for (std::int32_t k = 1; k <= 3; ++k) {
      EXPECT_EQ(regex.submatch_text(n, k), gbk(expected[n - 1][k - 1])) << n << "," << k;
    }
  }
}

#ifdef _WIN32
INSTANTIATE_TEST_SUITE_P(, RegexObjectTest, ::testing::Values(Engine::kSystem, Engine::kBuiltin),
                         ::testing::PrintToStringParamName());
#else
INSTANTIATE_TEST_SUITE_P(, RegexObjectTest, ::testing::Values(Engine::kBuiltin),
                         ::testing::PrintToStringParamName());
#endif

TEST(RegexObjectEmptyTest, NothingBeforeTheFirstSearch) {
  const RegexObject regex;
  EXPECT_EQ(regex.pattern_text(), "");
  EXPECT_EQ(regex.match_count(), 0);
  EXPECT_EQ(regex.match_text(1), "");
  EXPECT_EQ(regex.submatch_count(), 0);
  EXPECT_EQ(regex.submatch_text(1, 1), "");
  EXPECT_EQ(RegexObject().replace_matches("x"), "");
}

// A lazy group that never closes, started over and over across megabytes: the
// built-in engine gives up instead of running for half an hour.
TEST(RegexBuiltinTest, RunawaySearchEnds) {
  use_engine(Engine::kBuiltin);
  std::string subject;
  while (subject.size() < 2'000'000) subject += R"(<dl class="col1"><dt>)";
  RegexObject regex;
  regex.search(stored_detail_pattern(), subject, false, false, true, true);
  EXPECT_EQ(regex.match_count(), 0);
  // The object is as good as new afterwards.
  ASSERT_TRUE(regex.search("b", "abc"));
  EXPECT_EQ(regex.match_count(), 1);
  use_engine(Engine::kSystem);
}

#ifdef _WIN32
// Where the component is registered it is the one used: unlike the built-in engine it
// knows no lookbehind.
TEST(RegexComponentTest, UsedWhereRegistered) {
  RegexObject regex;  // initialises COM
  CLSID clsid;
  if (FAILED(CLSIDFromProgID(L"VBScript.RegExp", &clsid))) GTEST_SKIP() << "no VBScript here";
  use_engine(Engine::kSystem);
  EXPECT_FALSE(regex.search("(?<=a)b", "ab"));
  use_engine(Engine::kBuiltin);
  EXPECT_TRUE(regex.search("(?<=a)b", "ab"));
  use_engine(Engine::kSystem);
}
#endif

}  // namespace
}  // namespace trakvel
