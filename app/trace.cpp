#include "app/trace.h"

#include "text/codepage.h"

namespace trakvel {

const std::string_view kTracePattern =
    "class=\"col1\"><dt>(.*?)</dt><dd>(.*?)</dd></dl><span class=\"col2\"><span "
    "class=\"line1\"></span><span class=\"line2\"></span><span class=\"point\"></span></span>"
    "<span class=\"col3\">(.*?)</span>";

Text trace_header(std::string_view number, std::string_view company, std::string_view date,
                  std::string_view time_of_day) {
  static const Text number_label = utf8_to_ansi("快递单号：");
  static const Text company_label = utf8_to_ansi("   快递公司：");
  static const Text time_label = utf8_to_ansi("   查询时间：");
  Text header = number_label;
  header.append(number).append(company_label).append(company).append(time_label);
  return header.append(date).append(" ").append(time_of_day).append("\r\n\r\n");
}

Text trace_entries(RegexObject& regex, std::string_view page) {
  regex.search(Text(kTracePattern), Text(page), false, false, true, true);
  Text entries;
  const int count = regex.match_count();
  for (int i = 1; i <= count; ++i) {
    entries.append(regex.submatch_text(i, 1)).append(" ").append(regex.submatch_text(i, 2));
    entries.append("\r\n    ").append(regex.submatch_text(i, 3)).append("\r\n\r\n");
  }
  return entries;
}

}  // namespace trakvel
