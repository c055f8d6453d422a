#include "gui/headless_window.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "app/handlers.h"
#include "gui/file_dialog.h"
#include "resources/main_window.h"
#include "result_columns.h"
#include "test_text.h"

namespace trakvel::gui {
namespace {

class HeadlessMainWindow : public ::testing::Test {
 protected:
  std::unique_ptr<HeadlessWindow> window =
      HeadlessWindow::create(main_window_description(), main_window_handlers());
};

TEST_F(HeadlessMainWindow, StartsWithTheDescribedTextsAndStates) {
  struct Case {
    Role role;
    const char* text;  // UTF-8
    bool visible;
  };
  const Case cases[] = {
      {Role::main_window, "Trakvel1.0   Moxari论坛专版", true},
      {Role::number_group, "单号列表（一行一个）", true},
      {Role::query_button, "查询", true},
      {Role::delay_label, "延时(毫秒):", true},
      {Role::delay_box, "300", true},
      {Role::number_box, "", true},
      {Role::trace_box, "", false},
      {Role::import_command, "导入查询", true},
      {Role::copy_row_command, "复制整行", true},
      {Role::save_all_command, "保存全部", true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(window->text(c.role), test::gbk(c.text));
    EXPECT_EQ(window->is_visible(c.role), c.visible);
    EXPECT_TRUE(window->is_enabled(c.role));
  }
}

TEST_F(HeadlessMainWindow, ListStartsEmptyWithSixColumns) {
  const auto& columns = test::kResultColumns;
  ASSERT_EQ(window->list_column_count(), 6);
  for (int i = 0; i < 6; ++i) {
    EXPECT_EQ(window->column(i).title, test::gbk(columns[i].first));
    EXPECT_EQ(window->column(i).width, columns[i].second);
  }
  EXPECT_EQ(window->list_row_count(), 0);
  EXPECT_EQ(window->list_selected_row(), -1);
}

TEST_F(HeadlessMainWindow, ListCellsOutsideTheRowsReadEmpty) {
  EXPECT_EQ(window->list_append_row(), 0);
  EXPECT_EQ(window->list_append_row(), 1);
  window->list_set_cell(1, 5, "x");
  window->list_set_cell(7, 0, "ignored");
  EXPECT_EQ(window->list_cell(1, 5), "x");
  for (auto [row, column] : {std::pair{-1, 0}, {2, 0}, {0, 6}, {0, -1}})
    EXPECT_EQ(window->list_cell(row, column), "");
  window->select_row(1);
  EXPECT_EQ(window->list_selected_row(), 1);
  window->list_delete_all();
  EXPECT_EQ(window->list_row_count(), 0);
  EXPECT_EQ(window->list_selected_row(), -1);
}

TEST_F(HeadlessMainWindow, AppendGoesToTheEnd) {
  window->set_text(Role::trace_box, "a");
  window->append_text(Role::trace_box, "b\r\n");
  window->append_text(Role::trace_box, "c");
  EXPECT_EQ(window->text(Role::trace_box), "ab\r\nc");
}

// Calls from another thread take effect only while the window thread handles
// messages, as with the real window.
TEST_F(HeadlessMainWindow, OtherThreadsWaitForTheWindowThread) {
  std::atomic<int> row = -2;
  std::thread writer([&] {
    row = window->list_append_row();
    window->list_set_cell(row, 2, "123");
    window->set_enabled(Role::import_command, false);
  });
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  EXPECT_EQ(row, -2);
  EXPECT_EQ(window->list_row_count(), 0);
  while (window->is_enabled(Role::import_command)) window->wait_handling_messages(10);
  writer.join();
  EXPECT_EQ(row, 0);
  EXPECT_EQ(window->list_cell(0, 2), "123");
}

TEST_F(HeadlessMainWindow, RespondersAnswerMessageBoxesAndDialogs) {
  window->set_message_responder([](const Message& m) {
    return m.buttons == Buttons::ok_cancel ? Answer::cancel : Answer::ok;
  });
  EXPECT_EQ(window->message_box({"a", std::nullopt, Buttons::ok, Icon::information}), Answer::ok);
  EXPECT_EQ(window->message_box({"b", "c", Buttons::ok_cancel, Icon::none}), Answer::cancel);
  const auto shown = window->messages_shown();
  ASSERT_EQ(shown.size(), 2u);
  EXPECT_EQ(caption_of(shown[0]), test::gbk("信息："));
  EXPECT_EQ(caption_of(shown[1]), "c");

  auto& dialog = window->file_dialog(Role::save_dialog);
  dialog.mode = DialogMode::save;
  dialog.file_name = "proposed";
  EXPECT_FALSE(window->show_file_dialog(Role::save_dialog));  // no responder: cancelled
  EXPECT_EQ(window->file_dialog(Role::save_dialog).file_name, "proposed");
  window->set_dialog_responder([](const FileDialog&) { return Text("C:\\r.txt"); });
  EXPECT_TRUE(window->show_file_dialog(Role::save_dialog));
  EXPECT_EQ(window->file_dialog(Role::save_dialog).file_name, "C:\\r.txt");
  EXPECT_EQ(window->dialogs_shown().at(0).mode, DialogMode::save);
}

TEST_F(HeadlessMainWindow, PopupMenuOpensBesideThePointer) {
  window->set_cursor_position({100, 200});
  window->show_popup_menu();
  EXPECT_EQ(window->popup_menu_shown(), (Point{103, 203}));
}

TEST(HeadlessWindowEvents, RunTheHandlersWiredByName) {
  std::vector<std::string> ran;
  HandlerTable handlers;
  for (const auto& w : main_window_description().wiring) {
    if (w.handler.empty()) continue;
    handlers[w.handler] = [&ran, name = w.handler](Window&) { ran.push_back(name); };
  }
  auto window = HeadlessWindow::create(main_window_description(), handlers);
  window->fire(Role::query_button, Event::clicked);
  window->fire(Role::import_command, Event::selected);
  window->fire(Role::copy_row_command, Event::selected);
  window->fire(Role::save_all_command, Event::selected);
  window->fire(Role::result_list, Event::list_clicked);
  window->fire(Role::result_list, Event::list_right_clicked);
  window->fire(Role::result_list, Event::list_double_clicked);
  window->fire(Role::delay_box, Event::clicked);  // not wired
  EXPECT_EQ(ran, (std::vector<std::string>{"prepare_main_window", "on_query_clicked",
                                           "on_import_query_selected", "on_copy_row_selected",
                                           "on_save_all_selected", "on_list_clicked",
                                           "on_list_right_clicked", "on_list_double_clicked"}));
}

TEST(HeadlessWindowEvents, EveryWiredHandlerIsPluggedIn) {
  const auto handlers = main_window_handlers();
  for (const auto& w : main_window_description().wiring)
    if (!w.handler.empty()) {
      EXPECT_TRUE(handlers.contains(w.handler)) << w.handler;
    }
}

TEST(FileDialogFilter, EndsInTwoBars) {
  EXPECT_EQ(terminated_filter("t(*.txt)|*.txt|"), "t(*.txt)|*.txt|||");
  EXPECT_EQ(terminated_filter("t|*.txt||"), "t|*.txt||");
  EXPECT_EQ(terminated_filter(""), "||");
}

}  // namespace
}  // namespace trakvel::gui
