#include <windows.h>

#include "app/clock.h"

namespace trakvel {

LocalTime local_now() {
  SYSTEMTIME now;
  GetLocalTime(&now);
  return {now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond};
}

}  // namespace trakvel
