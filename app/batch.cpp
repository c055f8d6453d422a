#include "app/batch.h"

#include <thread>

#include "app/files.h"
#include "app/lookup.h"
#include "app/lookup_threads.h"
#include "text/codepage.h"

namespace trakvel {
namespace {

using gui::Role;

// While a batch runs, a second one must not start and clear the list under it.
void set_commands_enabled(gui::Window& window, bool enabled) {
  window.set_enabled(Role::query_button, enabled);
  window.set_enabled(Role::import_command, enabled);
}

// Handles window messages until done() holds.
template <typename Done>
void wait_handling_messages_until(gui::Window& window, Done done) {
  window.pump_waiting_messages();
  while (!done()) window.wait_handling_messages(1);
}

void show_completion(gui::Window& window) {
  static const Text text = utf8_to_ansi("快递单号查询完毕，感谢您的使用！");
  window.message_box({text, std::nullopt, gui::Buttons::ok, gui::Icon::information});
}

}  // namespace

BatchState& batch_state() {
  static BatchState state;
  return state;
}

Settings& app_settings() {
  static Settings settings;
  return settings;
}

void on_query_clicked(gui::Window& window) {
  if (window.text(Role::number_box).empty()) {
    static const Text text = utf8_to_ansi("请输入单号！");
    window.message_box({text});
    return;
  }
  window.list_delete_all();
  batch_state().input_text = window.text(Role::number_box);
  run_batch(window);
}

void on_import_query_selected(gui::Window& window) {
  if (!window.show_file_dialog(Role::open_dialog)) return;
  window.list_delete_all();
  const auto file = read_whole_file(window.file_dialog(Role::open_dialog).file_name);
  batch_state().input_text = file ? import_text(*file) : Text();
  run_batch(window);
}

Text import_text(const Bytes& file) {
  Text text = text_from_bytes(file);
  if (text.starts_with("\xEF\xBB\xBF")) text.erase(0, 3);
  Text lines;
  lines.reserve(text.size() + text.size() / 8);
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' || text[i] == '\n') {
      lines += "\r\n";
      if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else {
      lines += text[i];
    }
  }
  return lines;
}

void fill_result_list(gui::Window& window) {
  BatchState& state = batch_state();
  const auto lines = split_text(state.input_text, "\r\n");
  state.numbers.assign(lines.size(), Text());
  for (std::size_t k = 0; k < lines.size(); ++k) {
    const auto pieces = split_text(lines[k], "----");
    const Text number(pieces.empty() ? std::string_view() : pieces.front());
    const int row = window.list_append_row();
    window.list_set_cell(row, 0, std::to_string(k + 1));
    window.list_set_cell(row, 2, number);
    state.numbers[k] = number;
  }
}

void run_batch(gui::Window& window) {
  BatchState& state = batch_state();
  const int jobs = app_settings().jobs;
  set_commands_enabled(window, false);
  state.finished = 0;

  // The lookups read the numbers and write the rows that the fill puts in place.
  std::atomic<bool> filled{false};
  std::thread fill([&] {
    fill_result_list(window);
    filled = true;
  });
  wait_handling_messages_until(window, [&] { return filled.load(); });
  fill.join();

  // The taskbar button counts the finished lookups, whenever the count changes.
  const int total = static_cast<int>(state.numbers.size());
  int shown = -1;
  const auto progress = [&] {
    if (state.finished != shown) window.show_progress(shown = state.finished, total);
  };
  LookupThreads lookups;
  for (std::int32_t index = 1; index <= static_cast<std::int32_t>(state.numbers.size()); ++index) {
    wait_handling_messages_until(window, [&] { return progress(), state.outstanding < jobs; });
    // Counted here, not by the lookup itself, so that the final wait cannot miss it.
    ++state.outstanding;
    lookups.start(index, [&window, index] { lookup_number(window, index); });
    const int pause = std::max(0, text_to_int(window.text(Role::delay_box)));
    window.wait_handling_messages(pause);
    window.pump_waiting_messages();
  }
  wait_handling_messages_until(window, [&] { return progress(), state.outstanding == 0; });
  lookups.join_all();
  window.show_progress(0, 0);

  show_completion(window);
  set_commands_enabled(window, true);
}

}  // namespace trakvel
