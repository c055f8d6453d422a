// Local time as the rows and the trace box show it.
#pragma once

#include "text/text.h"

namespace trakvel {

struct LocalTime {
  int year = 0, month = 0, day = 0;
  int hour = 0, minute = 0, second = 0;
};

// The current local time, read from the clock once, so that its parts belong together.
LocalTime local_now();

// Year, "-", two-digit month, "-", two-digit day: 2015-03-05.
Text date_text(const LocalTime& time = local_now());

// Two-digit hour, minute and second joined by ":": 07:05:09.
Text time_of_day_text(const LocalTime& time);

}  // namespace trakvel
