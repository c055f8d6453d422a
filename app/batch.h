// The batch driver: turns the list of numbers into one row and one lookup each.
#pragma once

#include <atomic>
#include <cstdint>
#include <vector>

#include "app/settings.h"
#include "gui/window.h"
#include "text/text.h"

namespace trakvel {

// Shared by the window thread, the fill thread and the lookups.
struct BatchState {
  Text input_text;                           // the whole input, lines separated by CR LF
  std::vector<Text> numbers;                 // entry r belongs to line r + 1 and row r
  std::atomic<std::int32_t> outstanding{0};  // lookups started and not yet finished
  std::atomic<std::int32_t> finished{0};     // lookups of this batch that wrote their row
};

// The process's one batch state and settings.
BatchState& batch_state();
Settings& app_settings();

// Click handler of the query button and handler of the menu command "导入查询".
void on_query_clicked(gui::Window& window);
void on_import_query_selected(gui::Window& window);

// Fills the list from input_text, runs the lookups and announces the end.
void run_batch(gui::Window& window);

// Splits input_text into lines and appends one row per line with serial and number.
void fill_result_list(gui::Window& window);

// An imported file's text: line ends of CR LF, LF or CR alike become CR LF, and a
// UTF-8 byte-order mark at the start is dropped.
Text import_text(const Bytes& file);

}  // namespace trakvel
