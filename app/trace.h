// The full trace of one parcel, as a click on the result list writes it into the
// trace box.
#pragma once

#include <string_view>

#include "text/regex_object.h"
#include "text/text.h"

namespace trakvel {

// One trace entry of the detail page: group 1 its date (dt), group 2 its time (dd),
// group 3 the text of its third column.
extern const std::string_view kTracePattern;

// "快递单号：" number "   快递公司：" company "   查询时间：" date " " time, then an empty line.
Text trace_header(std::string_view number, std::string_view company, std::string_view date,
                  std::string_view time_of_day);

// Every entry of the page, in page order: dt, blank, dd on one line; four blanks and
// the third column on the next; then an empty line.
Text trace_entries(RegexObject& regex, std::string_view page);

}  // namespace trakvel
