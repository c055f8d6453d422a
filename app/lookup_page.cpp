#include "app/lookup_page.h"

#include <array>
#include <vector>

#include "http/url_text.h"
#include "text/codepage.h"

namespace trakvel {
namespace {

// The page's own markers, in UTF-8 here; the page is read in code page 936.
struct Markers {
  Text no_result = utf8_to_ansi("单号无结果");
  Text several_entries = "\" last\"";
  Text last_entry = "<li class=\" last\"><dl class=\"col1\">";
  Text only_entry = "<li class=\"first last\"><dl class=\"col1\">";
  Text entry_end = "</li></ul></div>";
  Text company_start = "<div class=\"com-info\"> <span class=\"info1\">";
  Text company_end = utf8_to_ansi("</span> <span class=\"info2\">单号：");
  Text company_stop = utf8_to_ansi("】");
  Text third_piece = "<span class=\"point\"></span></span><span class=\"col3\">";
};

struct StateWord {
  Text word, state;
};

const Markers& markers() {
  static const Markers m;
  return m;
}

// The first word found anywhere in the page decides the state.
const std::vector<StateWord>& state_words() {
  static const std::vector<StateWord> words = [] {
    constexpr std::array<std::array<const char*, 2>, 4> kTable{{
        {"签收", "已签收"},
        {"派件", "派件中"},
        {"派送", "派件中"},
        {"投递", "派件中"},
    }};
    std::vector<StateWord> result;
    for (const auto& [word, state] : kTable)
      result.push_back({utf8_to_ansi(word), utf8_to_ansi(state)});
    return result;
  }();
  return words;
}

Text state_of(std::string_view page) {
  for (const auto& entry : state_words()) {
    if (contains_text(page, entry.word)) return entry.state;
  }
  static const Text in_transit = utf8_to_ansi("运输途中");
  return in_transit;
}

// The company may stand on several indented lines, and may carry text after a "】".
Text company_of(std::string_view page) {
  const Text raw = text_between(page, markers().company_start, markers().company_end);
  Text company;
  for (std::string_view line : split_text(trim_text(raw), "\r\n")) company.append(trim_text(line));
  const std::size_t stop = find_text(company, markers().company_stop);
  return stop == npos ? company : company.substr(0, stop);
}

Text last_update_of(std::string_view page) {
  const Text& start =
      contains_text(page, markers().several_entries) ? markers().last_entry : markers().only_entry;
  const Text entry = text_between(page, start, markers().entry_end);
  return text_between(entry, "<dt>", "</dt>") + " " + text_between(entry, "<dd>", "</dd>") + " " +
         text_between(entry, markers().third_piece, "</span>");
}

}  // namespace

bool says_no_result(std::string_view page) {
  return contains_text(page, markers().no_result);
}

PageReading read_detail_page(std::string_view page) {
  PageReading reading;
  if (says_no_result(page)) {
    reading.no_result = true;
    return reading;
  }
  reading.state = state_of(page);
  reading.company = company_of(page);
  reading.last_update = last_update_of(page);
  return reading;
}

}  // namespace trakvel
