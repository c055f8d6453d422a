// Trakvel.exe: the main window on the screen until the user closes it.
#include <windows.h>

#include "app/batch.h"
#include "app/handlers.h"
#include "app/lookup.h"
#include "app/settings.h"
#include "gui/window_win.h"
#include "resources/main_window.h"
#include "text/codepage.h"

namespace {

// Bad lines of trakvel.ini are named once; the defaults stand for them.
void load_settings() {
  const trakvel::ProgramSettings loaded = trakvel::load_program_settings();
  if (!loaded.problems.empty()) {
    const trakvel::Text caption = trakvel::utf8_to_ansi("信息：");
    MessageBoxA(nullptr, trakvel::settings_problems_message(loaded).c_str(), caption.c_str(),
                MB_OK | MB_ICONWARNING | MB_TASKMODAL);
  }
  trakvel::app_settings() = loaded.settings;
  trakvel::configure_requests(loaded.settings);
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  load_settings();
  auto window = trakvel::gui::create_win32_window(trakvel::main_window_description(),
                                                  trakvel::main_window_handlers());
  if (!window) return 1;
  window->run_message_loop();
  return 0;
}
