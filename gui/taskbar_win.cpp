#include "gui/taskbar_win.h"

namespace trakvel::gui {

TaskbarProgress::~TaskbarProgress() {
  if (taskbar_) taskbar_->Release();
  if (com_initialised_) CoUninitialize();
}

// Made at first use, once: by then the taskbar button exists.
void TaskbarProgress::connect() {
  tried_ = true;
  com_initialised_ = SUCCEEDED(CoInitialize(nullptr));
  void* object = nullptr;
  if (FAILED(CoCreateInstance(CLSID_TaskbarList, nullptr, CLSCTX_INPROC_SERVER, IID_ITaskbarList3,
                              &object)))
    return;
  taskbar_ = static_cast<ITaskbarList3*>(object);
  if (FAILED(taskbar_->HrInit())) {
    taskbar_->Release();
    taskbar_ = nullptr;
  }
}

void TaskbarProgress::show(HWND window, int done, int total) {
  if (!tried_) connect();
  if (!taskbar_) return;
  if (total <= 0) {
    taskbar_->SetProgressState(window, TBPF_NOPROGRESS);
    return;
  }
  taskbar_->SetProgressState(window, TBPF_NORMAL);
  taskbar_->SetProgressValue(window, static_cast<ULONGLONG>(done), static_cast<ULONGLONG>(total));
}

}  // namespace trakvel::gui
