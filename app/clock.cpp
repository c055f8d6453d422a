#include "app/clock.h"

#include <cstdio>

namespace trakvel {

Text date_text(const LocalTime& time) {
  char text[32];
  std::snprintf(text, sizeof text, "%d-%02d-%02d", time.year, time.month, time.day);
  return text;
}

Text time_of_day_text(const LocalTime& time) {
  char text[32];
  std::snprintf(text, sizeof text, "%02d:%02d:%02d", time.hour, time.minute, time.second);
  return text;
}

}  // namespace trakvel
