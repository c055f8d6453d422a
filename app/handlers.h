// The main window's handlers, plugged into the window by the names of its wiring table.
#pragma once

#include "gui/window.h"

namespace trakvel {

// Every handler of the wiring table, by name.
gui::HandlerTable main_window_handlers();

}  // namespace trakvel
