// trakvel lookup: the batch of the window's query button, on the headless window.
#include <atomic>
#include <chrono>
#include <cstdio>
#include <thread>

#include "app/batch.h"
#include "app/files.h"
#include "app/handlers.h"
#include "app/list_commands.h"
#include "app/lookup.h"
#include "cli/commands.h"
#include "cli/console.h"
#include "cli/settings_args.h"
#include "gui/headless_window.h"
#include "resources/main_window.h"
#include "text/codepage.h"

namespace trakvel::cli {
namespace {

using gui::Role;

constexpr OptionSpec kOptions[] = {
    {"--delay", true}, {"--jobs", true},      {"--timeout", true},
    {"--save", true},  {"--main-host", true}, {"--mobile-host", true},
};

std::optional<Bytes> read_input(const std::vector<std::string>& positional) {
  if (!positional.empty() && positional[0] != "-") return read_whole_file(positional[0]);
  Bytes data;
  std::uint8_t buffer[64 * 1024];
  while (const std::size_t n = std::fread(buffer, 1, sizeof buffer, stdin)) {
    data.insert(data.end(), buffer, buffer + n);
  }
  return data;
}

// One line per row: a tab or line break inside a cell would break the table.
std::string row_line(gui::Window& window, int row) {
  Text line;
  for (int column = 0; column < window.list_column_count(); ++column) {
    Text cell = window.list_cell(row, column);
    for (char& c : cell) {
      if (c == '\t' || c == '\r' || c == '\n') c = ' ';
    }
    line.append(column > 0 ? "\t" : "").append(cell);
  }
  return text_for_console(line) + "\n";
}

// Shows how far the batch is while it runs, when someone watches.
class Progress {
 public:
  explicit Progress(std::size_t total) {
    if (!is_terminal(stderr)) return;
    thread_ = std::thread([this, total] {
      while (!done_) {
        std::fprintf(stderr, "\r%d/%zu", batch_state().finished.load(), total);
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
      }
      std::fputs("\r\n", stderr);
    });
  }
  ~Progress() {
    done_ = true;
    if (thread_.joinable()) thread_.join();
  }

 private:
  std::atomic<bool> done_{false};
  std::thread thread_;
};

bool save_rows(gui::HeadlessWindow& window, const std::string& path) {
  window.set_dialog_responder([&](const gui::FileDialog&) { return std::optional<Text>(path); });
  on_save_all_selected(window);
  const auto messages = window.messages_shown();
  return !messages.empty() && messages.back().text == utf8_to_ansi("保存成功！");
}

}  // namespace

int run_lookup_command(std::span<char* const> args) {
  const Args parsed(args, kOptions);
  const auto delay = parsed.value("--delay");
  if (!parsed.error().empty() || parsed.positional().size() > 1 ||
      (delay && !parse_int(*delay, 0, 3600000))) {
    std::fprintf(stderr, "trakvel lookup: %s\n",
                 parsed.error().empty() ? "bad arguments" : parsed.error().c_str());
    return 2;
  }
  const auto settings = settings_from(parsed);
  if (!settings) return 2;
  const auto input = read_input(parsed.positional());
  if (!input) {
    std::fprintf(stderr, "trakvel lookup: cannot read %s\n", parsed.positional()[0].c_str());
    return 1;
  }
  app_settings() = *settings;
  configure_requests(*settings);

  auto window = gui::HeadlessWindow::create(main_window_description(), main_window_handlers());
  window->set_message_responder([](const gui::Message&) { return gui::Answer::ok; });
  if (delay) window->set_text(Role::delay_box, *delay);
  window->list_delete_all();
  batch_state().input_text = import_text(*input);
  {
    const Progress progress(split_text(batch_state().input_text, "\r\n").size());
    run_batch(*window);
  }
  for (int row = 0; row < window->list_row_count(); ++row) {
    std::fputs(row_line(*window, row).c_str(), stdout);
  }
  if (const auto path = parsed.value("--save"); path && !save_rows(*window, *path)) {
    std::fprintf(stderr, "trakvel lookup: cannot save to %s\n", path->c_str());
    return 1;
  }
  return 0;
}

}  // namespace trakvel::cli
