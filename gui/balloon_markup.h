// The balloon tip's text as simple markup: line breaks (CR LF, LF, <br>, <p>),
// <b>, <i>, <u>, <font color size face>, and the common entities. Any other tag is
// dropped and anything that is no tag is shown as text: the text comes from web
// pages, so nothing in it is ever loaded or run.
#pragma once

#include <cstdint>
#include <vector>

#include "text/text.h"

namespace trakvel::gui {

struct RunStyle {
  bool bold = false;
  bool italic = false;
  bool underline = false;
  std::uint32_t color = 0x000000;  // 0xRRGGBB
  int points = 9;
  Text face = "\xCB\xCE\xCC\xE5";  // 宋体
  bool operator==(const RunStyle&) const = default;
};

struct Run {
  Text text;  // code page 936
  RunStyle style;
  bool operator==(const Run&) const = default;
};

using MarkupLine = std::vector<Run>;

// The lines of the text, each a sequence of runs; an empty line has no run.
std::vector<MarkupLine> parse_balloon_markup(std::string_view markup);

}  // namespace trakvel::gui
