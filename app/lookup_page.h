// Reading a tracking-detail page: whether the service knows the number, and the
// company, last update and state that a lookup writes into its row.
#pragma once

#include <string_view>

#include "text/text.h"

namespace trakvel {

struct PageReading {
  bool no_result = false;  // the page says "单号无结果": nothing else is read
  Text company;
  Text last_update;  // dt, blank, dd, blank, third column of the last entry
  Text state;        // "已签收", "派件中" or "运输途中"
};

// page: the decoded page in code page 936.
PageReading read_detail_page(std::string_view page);

// True when the page says "单号无结果" anywhere.
bool says_no_result(std::string_view page);

}  // namespace trakvel
