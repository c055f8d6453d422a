// trakvel trace: what a click on a row with the number puts into the trace box.
#include <cstdio>

#include "app/batch.h"
#include "app/handlers.h"
#include "app/lookup.h"
#include "cli/commands.h"
#include "cli/console.h"
#include "cli/settings_args.h"
#include "gui/headless_window.h"
#include "resources/main_window.h"

namespace trakvel::cli {

int run_trace_command(std::span<char* const> args) {
  static constexpr OptionSpec kOptions[] = {
      {"--company", true}, {"--timeout", true}, {"--main-host", true}, {"--mobile-host", true}};
  const Args parsed(args, kOptions);
  if (!parsed.error().empty() || parsed.positional().size() != 1) {
    std::fprintf(stderr, "trakvel trace: %s\n",
                 parsed.error().empty() ? "give one number" : parsed.error().c_str());
    return 2;
  }
  const auto settings = settings_from(parsed);
  if (!settings) return 2;
  app_settings() = *settings;
  configure_requests(*settings);

  auto window = gui::HeadlessWindow::create(main_window_description(), main_window_handlers());
  const int row = window->list_append_row();
  window->list_set_cell(row, 2, text_from_argument(parsed.positional()[0]));
  window->list_set_cell(row, 3, text_from_argument(parsed.value("--company").value_or("")));
  window->select_row(row);
  window->fire(gui::Role::result_list, gui::Event::list_clicked);
  std::fputs(text_for_console(window->text(gui::Role::trace_box)).c_str(), stdout);
  return 0;
}

}  // namespace trakvel::cli
