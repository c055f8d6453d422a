// Start-up of the main window.
#pragma once

#include "gui/window.h"

namespace trakvel {

// The created handler: writes the skin library and skin file beside the program,
// attaches the skin, hides both files and gives the window a plain frame. Ends the
// process with an error message when the library or its entry cannot be found.
void prepare_main_window(gui::Window& window);

}  // namespace trakvel
