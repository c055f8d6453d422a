#include "app/list_commands.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "app_fixture.h"

namespace trakvel {
namespace {

using gui::Role;
using test::AppTest;
using test::gbk;

class ListCommandsTest : public AppTest {
 protected:
  void fill_one_row() {
    const int r = window->list_append_row();
    const char* cells[] = {"1", "2026-12-11 09:05:07", "YT1000000001", "X", "U", "S"};
    for (int c = 0; c < 6; ++c) window->list_set_cell(r, c, gbk(cells[c]));
  }

  std::string read_file(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream content;
    content << in.rdbuf();
    return content.str();
  }

  std::string save_path = ::testing::TempDir() + "records.txt";
};

TEST_F(ListCommandsTest, CopyPutsTheSelectedRowOnTheClipboard) {
  fill_one_row();
  window->select_row(0);
  window->fire(Role::copy_row_command, gui::Event::selected);
  EXPECT_EQ(window->clipboard_text(),
            gbk("查询时间：2026-12-11 09:05:07  快递单号：YT1000000001  快递公司：X  最后更新：U  "
                "最后状态：S"));
  EXPECT_TRUE(window->messages_shown().empty());
}

TEST_F(ListCommandsTest, CopyWithoutSelectionCopiesTheLabelsAndSaysSo) {
  fill_one_row();
  window->fire(Role::copy_row_command, gui::Event::selected);
  EXPECT_EQ(window->clipboard_text(),
            gbk("查询时间：  快递单号：  快递公司：  最后更新：  最后状态："));
  const auto messages = window->messages_shown();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].text, gbk("请选择一条！"));
  EXPECT_EQ(gui::caption_of(messages[0]), gbk("提示："));
}

TEST_F(ListCommandsTest, SaveWritesEveryCellFollowedByTwoBlanks) {
  fill_one_row();
  window->list_append_row();  // a row of empty cells
  window->set_dialog_responder([&](const gui::FileDialog& dialog) {
    EXPECT_EQ(dialog.mode, gui::DialogMode::save);
    EXPECT_EQ(dialog.filter, gbk("文本文件(*.txt)|*.txt|"));
    EXPECT_EQ(dialog.default_ext, ".txt");
    EXPECT_EQ(dialog.file_name, gbk("查询记录"));
    return std::optional<Text>(save_path);
  });
  window->fire(Role::save_all_command, gui::Event::selected);
  EXPECT_EQ(read_file(save_path), gbk("1  2026-12-11 09:05:07  YT1000000001  X  U  S  \r\n") +
                                      std::string(12, ' ') + "\r\n");
  const auto messages = window->messages_shown();
  ASSERT_EQ(messages.size(), 2u);
  EXPECT_EQ(messages[0].text, gbk("请问：是否保存？"));
  EXPECT_EQ(gui::caption_of(messages[0]), gbk("保存所有查询记录"));
  EXPECT_EQ(messages[0].buttons, gui::Buttons::ok_cancel);
  EXPECT_EQ(messages[1].text, gbk("保存成功！"));
}

TEST_F(ListCommandsTest, SaveOfNoRowsWritesAnEmptyFile) {
  std::ofstream(save_path) << "old";
  window->set_dialog_responder(
      [&](const gui::FileDialog&) { return std::optional<Text>(save_path); });
  window->fire(Role::save_all_command, gui::Event::selected);
  EXPECT_EQ(read_file(save_path), "");
}

TEST_F(ListCommandsTest, SaveAnsweredWithCancelShowsNoDialog) {
  fill_one_row();
  window->set_message_responder([](const gui::Message&) { return gui::Answer::cancel; });
  window->fire(Role::save_all_command, gui::Event::selected);
  EXPECT_TRUE(window->dialogs_shown().empty());
}

TEST_F(ListCommandsTest, SaveToAPathThatCannotBeWrittenSaysSo) {
  window->set_dialog_responder(
      [](const gui::FileDialog&) { return std::optional<Text>("/no/such/dir/x.txt"); });
  window->fire(Role::save_all_command, gui::Event::selected);
  EXPECT_EQ(window->messages_shown().back().text, gbk("保存失败！"));
}

TEST_F(ListCommandsTest, ClickFetchesTheTraceAndDoubleClickShowsIt) {
  query("YT1000000001");
  window->select_row(0);
  window->set_cursor_position({300, 200});
  window->fire(Role::result_list, gui::Event::list_clicked);
  const Text trace = window->text(Role::trace_box);
  const Text header_start = gbk("快递单号：YT1000000001   快递公司：圆通速递   查询时间：");
  ASSERT_EQ(trace.substr(0, header_start.size()), header_start);
  const Text entries =
      gbk("\r\n\r\n2026-12-01 08:12:40\r\n    【杭州市】快件已被【萧山区】揽收\r\n\r\n"
          "2026-12-02 02:30:11\r\n    【杭州转运中心】已发出，下一站【上海转运中心】\r\n\r\n"
          "2026-12-03 09:05:07\r\n    【上海市】已签收，签收人：本人，感谢使用圆通速递\r\n\r\n");
  EXPECT_EQ(trace.substr(header_start.size() + 19), entries);  // after "2026-12-11 09:05:07"

  window->fire(Role::result_list, gui::Event::list_double_clicked);
  const auto balloon = window->balloon_shown();
  ASSERT_TRUE(balloon.has_value());
  EXPECT_EQ(balloon->text, trace);
  EXPECT_EQ(balloon->at, (gui::Point{300, 200}));
}

TEST_F(ListCommandsTest, ClickOnANoResultParcelLeavesTheTraceBoxEmpty) {
  query("EMS4000000004");
  window->select_row(0);
  window->set_text(Role::trace_box, "old trace");
  window->fire(Role::result_list, gui::Event::list_clicked);
  EXPECT_EQ(window->text(Role::trace_box), "");
}

TEST_F(ListCommandsTest, ClickWithoutSelectionLooksUpTheEmptyNumber) {
  window->fire(Role::result_list, gui::Event::list_clicked);
  const auto requests = service.requests();
  ASSERT_EQ(requests.size(), 2u);
  EXPECT_EQ(requests[0], "GET /autonumber/auto?num= HTTP/1.1");
  EXPECT_EQ(requests[1], "GET /queryDetail.php?com=&nu= HTTP/1.1");
  EXPECT_EQ(window->text(Role::trace_box), "");  // the service knows no empty number
}

TEST_F(ListCommandsTest, RightClickOpensTheMenuBesideThePointer) {
  window->set_cursor_position({100, 50});
  window->fire(Role::result_list, gui::Event::list_right_clicked);
  EXPECT_EQ(window->popup_menu_shown(), (gui::Point{103, 53}));
}

}  // namespace
}  // namespace trakvel
