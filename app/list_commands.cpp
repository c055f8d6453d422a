#include "app/list_commands.h"

#include "app/batch.h"
#include "app/clock.h"
#include "app/files.h"
#include "app/lookup.h"
#include "app/lookup_page.h"
#include "app/trace.h"
#include "text/codepage.h"
#include "text/regex_object.h"

namespace trakvel {
namespace {

using gui::Role;

// A cell of the selected row, which is asked for anew at every read.
Text selected_cell(gui::Window& window, int column) {
  return window.list_cell(window.list_selected_row(), column);
}

Text all_rows_text(gui::Window& window) {
  const int rows = window.list_row_count();
  const int columns = window.list_column_count();
  Text text;
  for (int i = 0; i < rows; ++i) {
    for (int j = 0; j < columns; ++j) text.append(window.list_cell(i, j)).append("  ");
    text.append("\r\n");
  }
  return text;
}

bool user_wants_to_save(gui::Window& window) {
  static const Text question = utf8_to_ansi("请问：是否保存？");
  static const Text caption = utf8_to_ansi("保存所有查询记录");
  return window.message_box({question, caption, gui::Buttons::ok_cancel}) == gui::Answer::ok;
}

bool user_chose_save_path(gui::Window& window) {
  gui::FileDialog& dialog = window.file_dialog(Role::save_dialog);
  dialog.mode = gui::DialogMode::save;
  dialog.filter = utf8_to_ansi("文本文件(*.txt)|*.txt|");
  dialog.default_ext = ".txt";
  dialog.file_name = utf8_to_ansi("查询记录");
  return window.show_file_dialog(Role::save_dialog);
}

}  // namespace

void on_copy_row_selected(gui::Window& window) {
  static const Text labels[] = {utf8_to_ansi("查询时间："), utf8_to_ansi("  快递单号："),
                                utf8_to_ansi("  快递公司："), utf8_to_ansi("  最后更新："),
                                utf8_to_ansi("  最后状态：")};
  const Text check = selected_cell(window, 2);
  Text line;
  for (int column = 1; column <= 5; ++column) {
    line.append(labels[column - 1]).append(selected_cell(window, column));
  }
  window.set_clipboard_text(line);
  if (check.empty()) {
    window.message_box({utf8_to_ansi("请选择一条！"), utf8_to_ansi("提示：")});
  }
}

void on_save_all_selected(gui::Window& window) {
  const Text text = all_rows_text(window);
  if (!user_wants_to_save(window) || !user_chose_save_path(window)) return;
  const bool saved = write_whole_file(window.file_dialog(Role::save_dialog).file_name, text);
  window.message_box({utf8_to_ansi(saved ? "保存成功！" : "保存失败！")});
}

void on_list_right_clicked(gui::Window& window) {
  window.show_popup_menu();
}

void on_list_clicked(gui::Window& window) {
  RegexObject regex;  // COM lives on this thread while the click is handled
  window.set_text(Role::trace_box, "");
  const LocalTime started = local_now();
  const ServiceAnswer answer = ask_service(app_settings(), selected_cell(window, 2));
  if (says_no_result(answer.page)) return;
  const Text entries = trace_entries(regex, answer.page);
  const Text header = trace_header(selected_cell(window, 2), selected_cell(window, 3), date_text(),
                                   time_of_day_text(started));
  window.append_text(Role::trace_box, header + entries);
}

void on_list_double_clicked(gui::Window& window) {
  window.show_balloon(window.cursor_position(), window.text(Role::trace_box));
}

}  // namespace trakvel
