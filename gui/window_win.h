// The Win32 window: the main window built from its description by a loop.
#pragma once

#include <windows.h>

#include <memory>

#include "gui/window.h"

namespace trakvel::gui {

// Creates the window and its controls on the calling thread (the window thread),
// centred on the screen, runs the created handler and shows the window. Null when
// the system refuses to create it.
std::unique_ptr<Window> create_win32_window(const WindowDescription& description,
                                            HandlerTable handlers);

// The system's handles of a Win32 window; null for any other window.
HWND window_handle(Window& window);
HWND control_handle(Window& window, Role control);

}  // namespace trakvel::gui
