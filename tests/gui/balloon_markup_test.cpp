#include "gui/balloon_markup.h"

#include <gtest/gtest.h>

#include "test_text.h"

namespace trakvel::gui {
namespace {

// A line as "text|text" with the styles of its runs marked: *bold* /italic/ _underline_.
std::string show(const MarkupLine& line) {
  std::string shown;
  for (const auto& run : line) {
    if (!shown.empty()) shown += "|";
    std::string marks = std::string(run.style.bold ? "*" : "") + (run.style.italic ? "/" : "") +
                        (run.style.underline ? "_" : "");
    shown += marks + run.text + std::string(marks.rbegin(), marks.rend());
  }
  return shown;
}

std::vector<std::string> show(std::string_view markup) {
  std::vector<std::string> lines;
  for (const auto& line : parse_balloon_markup(markup)) lines.push_back(show(line));
  return lines;
}

using Lines = std::vector<std::string>;

TEST(BalloonMarkup, BreaksLines) {
  EXPECT_EQ(show("a\r\nb<br>c<BR/>d"), (Lines{"a", "b", "c", "d"}));
  EXPECT_EQ(show("a\r\n\r\nb\r\n"), (Lines{"a", "", "b"}));
  EXPECT_EQ(show("<p>one</p><p>two</p>"), (Lines{"one", "two"}));
  EXPECT_EQ(show(""), (Lines{""}));
}

TEST(BalloonMarkup, StylesNestAndClose) {
  EXPECT_EQ(show("a<b>b<i>bi</i></b><u>u</U>"), (Lines{"a|*b*|*/bi/*|_u_"}));
  // A closing tag ends the tags opened inside it; an unmatched one is dropped.
  EXPECT_EQ(show("<b>x<i>y</b>z</i>"), (Lines{"*x*|*/y/*|z"}));
}

TEST(BalloonMarkup, FontSetsColourSizeAndFace) {
  const auto lines = parse_balloon_markup(
      "<font color=\"#FF0000\" size=5 face='Arial'>r</font><font color=blue size=+1>b</font>k");
  ASSERT_EQ(lines.size(), 1u);
  ASSERT_EQ(lines[0].size(), 3u);
  EXPECT_EQ(lines[0][0].style.color, 0xFF0000u);
  EXPECT_EQ(lines[0][0].style.points, 18);
  EXPECT_EQ(lines[0][0].style.face, "Arial");
  EXPECT_EQ(lines[0][1].style.color, 0x0000FFu);
  EXPECT_EQ(lines[0][1].style.points, 14);
  EXPECT_EQ(lines[0][2].style, RunStyle{});
}

// Sizes outside 1 to 7, however far out, end at the nearest of them.
TEST(BalloonMarkup, FontSizeIsClampedAtBothEnds) {
  const std::pair<const char*, int> cases[] = {
      {"+2147483647", 36}, {"+99999999999", 36}, {"-2147483648", 8}, {"-99999999999", 8},
      {"99999999999", 36}, {"-1", 10},           {"0", 9},           {"+0", 12}};
  for (const auto& [size, points] : cases) {
    const std::string markup = std::string("<font size=") + size + ">x</font>";
    EXPECT_EQ(parse_balloon_markup(markup)[0][0].style.points, points) << size;
  }
}

TEST(BalloonMarkup, BaseTextIsNinePointBlackSongTi) {
  const RunStyle base = parse_balloon_markup("x")[0][0].style;
  EXPECT_EQ(base.points, 9);
  EXPECT_EQ(base.color, 0u);
  EXPECT_EQ(base.face, test::gbk("宋体"));
}

TEST(BalloonMarkup, DecodesEntities) {
  EXPECT_EQ(show("&amp;&lt;&gt;&quot;&nbsp;&#65;&#x42;"), (Lines{"&<>\" AB"}));
  EXPECT_EQ(show("&#20013;"), (Lines{test::gbk("中")}));
  EXPECT_EQ(show("&bogus; & &#;"), (Lines{"&bogus; & &#;"}));
}

// Page text must never reach anything that loads or runs: unknown tags vanish, their
// content stays plain text, and a lone "<" is text.
TEST(BalloonMarkup, DropsOtherTags) {
  EXPECT_EQ(show("<img src=\"http://x/y.png\">a<script>run()</script><a href=x>b</a>"),
            (Lines{"arun()b"}));
  EXPECT_EQ(show("1 < 2 <3"), (Lines{"1 < 2 <3"}));
}

TEST(BalloonMarkup, KeepsDoubleByteCharactersWhole) {
  EXPECT_EQ(show(test::gbk("已签收<br>派送中")), (Lines{test::gbk("已签收"), test::gbk("派送中")}));
}

}  // namespace
}  // namespace trakvel::gui
