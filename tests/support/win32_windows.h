// Finding and reading windows through Win32, for the tests of the real window.
#pragma once

#include <windows.h>

#include "text/text.h"

namespace trakvel::test {

inline Text window_text(HWND window) {
  Text text(GetWindowTextLengthA(window) + 1, '\0');
  text.resize(GetWindowTextA(window, text.data(), static_cast<int>(text.size())));
  return text;
}

// A visible top-level window of the process with that class (and title, if given),
// or null. Dialogs and message boxes have the class "#32770", menus "#32768".
inline HWND process_window(DWORD process, const char* window_class, const char* title = nullptr) {
  for (HWND found = FindWindowExA(nullptr, nullptr, window_class, title); found;
       found = FindWindowExA(nullptr, found, window_class, title)) {
    DWORD owner = 0;
    GetWindowThreadProcessId(found, &owner);
    if (owner == process && IsWindowVisible(found)) return found;
  }
  return nullptr;
}

// The same in this process (tests of other programs may run beside).
inline HWND find_own_window(const char* window_class, const char* title = nullptr) {
  return process_window(GetCurrentProcessId(), window_class, title);
}

}  // namespace trakvel::test
