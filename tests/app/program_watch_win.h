// Watching the Trakvel program from outside through Win32, for the tests that start it.
#pragma once

#include <windows.h>

#include "text/text.h"

namespace trakvel::test {

// The directory of the running test program.
inline Text test_program_dir() {
  char path[MAX_PATH] = "";
  GetModuleFileNameA(nullptr, path, sizeof path);
  const Text dir = path;
  return dir.substr(0, dir.find_last_of('\\'));
}

inline Text window_text(HWND window) {
  char text[4096] = "";
  GetWindowTextA(window, text, sizeof text);
  return text;
}

// A visible top-level window of the process with that class, or null.
inline HWND process_window(DWORD process, const char* window_class) {
  struct Search {
    DWORD process;
    const char* window_class;
    HWND found = nullptr;
  } search{process, window_class};
  EnumWindows(
      [](HWND window, LPARAM lparam) -> BOOL {
        auto& search = *reinterpret_cast<Search*>(lparam);
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        char window_class[64] = "";
        GetClassNameA(window, window_class, sizeof window_class);
        if (owner != search.process || !IsWindowVisible(window) ||
            lstrcmpA(window_class, search.window_class) != 0)
          return TRUE;
        search.found = window;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

}  // namespace trakvel::test
