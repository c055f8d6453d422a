// Watching the Trakvel program from outside through Win32, for the tests that start it.
#pragma once

#include <windows.h>

#include "gui/scoped_win.h"
#include "support/win32_windows.h"
#include "text/text.h"

namespace trakvel::test {

// The directory of the running test program.
inline Text test_program_dir() {
  char path[MAX_PATH] = "";
  GetModuleFileNameA(nullptr, path, sizeof path);
  const Text dir = path;
  return dir.substr(0, dir.find_last_of('\\'));
}

// Starts dir's Trakvel.exe with dir as its current directory.
inline bool start_program(const Text& dir, win::ScopedHandle& process, DWORD& process_id) {
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info = {};
  Text command = "\"" + dir + "\\Trakvel.exe\"";
  if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, dir.c_str(),
                      &startup, &info))
    return false;
  CloseHandle(info.hThread);
  process.reset(info.hProcess);
  process_id = info.dwProcessId;
  return true;
}

// The process's visible top-level window of that class, waiting for it to appear;
// null when it does not, or the process ends first.
inline HWND wait_for_process_window(HANDLE process, DWORD process_id, const char* window_class) {
  for (int i = 0; i < 300; ++i, Sleep(50)) {
    if (HWND found = process_window(process_id, window_class)) return found;
    if (WaitForSingleObject(process, 0) == WAIT_OBJECT_0) return nullptr;
  }
  return nullptr;
}

}  // namespace trakvel::test
