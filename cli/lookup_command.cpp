// trakvel lookup: the batch of the window's query button, on the headless window.
#include <atomic>
#include <chrono>
#include <cstdio>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "app/batch.h"
#include "app/files.h"
#include "app/handlers.h"
#include "app/list_commands.h"
#include "app/lookup.h"
#include "cli/commands.h"
#include "cli/console.h"
#include "cli/csv.h"
#include "cli/settings_args.h"
#include "cli/skip_signed.h"
#include "gui/headless_window.h"
#include "resources/main_window.h"
#include "text/codepage.h"

namespace trakvel::cli {
namespace {

using gui::Role;

constexpr OptionSpec kOptions[] = {
    {"--delay", true}, {"--jobs", true},        {"--timeout", true},
    {"--save", true},  {"--main-host", true},   {"--mobile-host", true},
    {"--csv", false},  {"--skip-signed", true}, {"--proxy", true},
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

std::string utf8_of(std::string_view text) {
  return wide_to_multibyte(multibyte_to_wide(text, kCodePageGbk), kCodePageUtf8);
}

// The column titles, then one record per row.
std::string csv_table(gui::Window& window) {
  std::string table(kUtf8ByteOrderMark);
  std::vector<std::string> fields;
  for (const auto& column : main_window_description().columns)
    fields.push_back(utf8_of(column.title));
  table += csv_record(fields);
  for (int row = 0; row < window.list_row_count(); ++row) {
    fields.clear();
    for (int column = 0; column < window.list_column_count(); ++column) {
      fields.push_back(utf8_of(window.list_cell(row, column)));
    }
    table += csv_record(fields);
  }
  return table;
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
  std::set<Text> skipped;
  if (const auto path = parsed.value("--skip-signed")) {
    const auto saved = read_whole_file(*path);
    if (!saved) {
      std::fprintf(stderr, "trakvel lookup: cannot read %s\n", path->c_str());
      return 1;
    }
    skipped = signed_numbers(text_from_bytes(*saved));
  }
  app_settings() = *settings;
  configure_requests(*settings);

  auto window = gui::HeadlessWindow::create(main_window_description(), main_window_handlers());
  window->set_message_responder([](const gui::Message&) { return gui::Answer::ok; });
  if (delay) window->set_text(Role::delay_box, *delay);
  window->list_delete_all();
  batch_state().input_text = without_numbers(import_text(*input), skipped);
  {
    const Progress progress(split_text(batch_state().input_text, "\r\n").size());
    run_batch(*window);
  }
  if (parsed.has("--csv")) {
    const std::string table = csv_table(*window);
    std::fwrite(table.data(), 1, table.size(), stdout);
  } else {
    for (int row = 0; row < window->list_row_count(); ++row) {
      std::fputs(row_line(*window, row).c_str(), stdout);
    }
  }
  if (const auto path = parsed.value("--save"); path && !save_rows(*window, *path)) {
    std::fprintf(stderr, "trakvel lookup: cannot save to %s\n", path->c_str());
    return 1;
  }
  return 0;
}

}  // namespace trakvel::cli
