// Trakvel.exe: the main window on the screen until the user closes it.
#include <windows.h>

#include "app/handlers.h"
#include "gui/window_win.h"
#include "resources/main_window.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  auto window = trakvel::gui::create_win32_window(trakvel::main_window_description(),
                                                  trakvel::main_window_handlers());
  if (!window) return 1;
  window->run_message_loop();
  return 0;
}
