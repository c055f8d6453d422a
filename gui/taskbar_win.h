// The progress bar on the window's taskbar button (ITaskbarList3).
#pragma once

#include <windows.h>

#include <shobjidl.h>

namespace trakvel::gui {

// Lives on the window thread; COM is initialised there while it exists. Every
// failure leaves the button as it is: the progress is a courtesy, not a result.
class TaskbarProgress {
 public:
  TaskbarProgress() = default;
  TaskbarProgress(const TaskbarProgress&) = delete;
  TaskbarProgress& operator=(const TaskbarProgress&) = delete;
  ~TaskbarProgress();

  // done of total; total 0 takes the bar away.
  void show(HWND window, int done, int total);

 private:
  void connect();

  bool tried_ = false;
  bool com_initialised_ = false;
  ITaskbarList3* taskbar_ = nullptr;
};

}  // namespace trakvel::gui
