// The native build has no skin library: its window is the headless one.
#include "app/startup.h"

namespace trakvel {

void prepare_main_window(gui::Window&) {}

}  // namespace trakvel
