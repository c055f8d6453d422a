#include <gtest/gtest.h>

#include <atomic>
#include <fstream>
#include <thread>

#include "app/batch.h"
#include "app_fixture.h"

namespace trakvel {
namespace {

using gui::Role;
using test::AppTest;
using test::gbk;

class BatchTest : public AppTest {};

TEST_F(BatchTest, FillsOneRowPerNumberAndAnnouncesTheEnd) {
  query("YT1000000001\r\nEMS4000000004\r\nSF3000000003----note\r\nFAIL0000011\r\nDROP0000012\r\n");
  ASSERT_EQ(window->list_row_count(), 5);
  struct Expected {
    const char* serial;
    const char* number;
    const char* company;
    const char* last_update;
    const char* state;
  };
  const Expected expected[] = {
      {"1", "YT1000000001", "圆通速递",
       "2026-12-03 09:05:07 【上海市】已签收，签收人：本人，感谢使用圆通速递", "已签收"},
      {"2", "EMS4000000004", "单号无结果！", "单号无结果！", "单号无结果！"},
      {"3", "SF3000000003", "顺丰速运", "2026-12-10 21:03:19 【深圳市】顺丰速运已收取快件",
       "运输途中"},
      {"4", "FAIL0000011", "", "服务返回错误 HTTP 500", "查询失败"},
      {"5", "DROP0000012", "", "服务无响应", "查询失败"},
  };
  for (int r = 0; r < 5; ++r) {
    const auto cells = row(r);
    EXPECT_EQ(cells[0], expected[r].serial);
    EXPECT_EQ(cells[2], expected[r].number);
    EXPECT_EQ(cells[3], gbk(expected[r].company)) << r;
    EXPECT_EQ(cells[4], gbk(expected[r].last_update)) << r;
    EXPECT_EQ(cells[5], gbk(expected[r].state)) << r;
    // "2026-12-11 07:05:09": the date and the time of day of the lookup.
    ASSERT_EQ(cells[1].size(), 19u) << r;
    EXPECT_EQ(cells[1][10], ' ');
  }
  const auto messages = window->messages_shown();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].text, gbk("快递单号查询完毕，感谢您的使用！"));
  EXPECT_EQ(gui::caption_of(messages[0]), gbk("信息："));
  EXPECT_EQ(messages[0].icon, gui::Icon::information);
  EXPECT_TRUE(window->is_enabled(Role::query_button));
  EXPECT_TRUE(window->is_enabled(Role::import_command));
}

TEST_F(BatchTest, EmptyLinesAndBlanksStayNumbers) {
  query("123\r\n\r\n 456 \r\n----abc\r\n");
  ASSERT_EQ(window->list_row_count(), 4);
  EXPECT_EQ(window->list_cell(1, 2), "");
  EXPECT_EQ(window->list_cell(2, 2), " 456 ");
  EXPECT_EQ(window->list_cell(3, 2), "");
  // Every line is looked up, the empty number too; numbers go out percent-encoded.
  const auto requests = service.requests();
  EXPECT_EQ(requests.size(), 8u);
  EXPECT_NE(std::find(requests.begin(), requests.end(), "GET /autonumber/auto?num= HTTP/1.1"),
            requests.end());
  EXPECT_NE(
      std::find(requests.begin(), requests.end(), "GET /autonumber/auto?num=%20456%20 HTTP/1.1"),
      requests.end());
}

TEST_F(BatchTest, EmptyNumberBoxAsksForNumbersAndKeepsTheRows) {
  query("YT1000000001");
  query("");
  EXPECT_EQ(window->list_row_count(), 1);
  const auto messages = window->messages_shown();
  ASSERT_EQ(messages.size(), 2u);
  EXPECT_EQ(messages[1].text, gbk("请输入单号！"));
  EXPECT_EQ(messages[1].icon, gui::Icon::none);
}

TEST_F(BatchTest, ALineBreakAloneIsNotEmpty) {
  query("\r\n");
  EXPECT_EQ(window->list_row_count(), 1);
  EXPECT_EQ(window->list_cell(0, 5), gbk("单号无结果！"));  // the service knows no empty number
}

TEST_F(BatchTest, ImportTakesAnyLineEndsAndDropsTheByteOrderMark) {
  const std::string path = ::testing::TempDir() + "numbers.txt";
  std::ofstream(path, std::ios::binary) << "\xEF\xBB\xBFYT1000000001\nSF3000000003\rZT2000000002";
  window->set_dialog_responder([&](const gui::FileDialog&) { return std::optional<Text>(path); });
  window->fire(Role::import_command, gui::Event::selected);
  ASSERT_EQ(window->list_row_count(), 3);
  EXPECT_EQ(window->list_cell(0, 2), "YT1000000001");
  EXPECT_EQ(window->list_cell(2, 5), gbk("派件中"));
  EXPECT_EQ(window->text(Role::number_box), "");  // the number box is not touched
}

TEST_F(BatchTest, ImportCancelledChangesNothing) {
  query("YT1000000001");
  window->set_dialog_responder([](const gui::FileDialog&) { return std::optional<Text>(); });
  window->fire(Role::import_command, gui::Event::selected);
  EXPECT_EQ(window->list_row_count(), 1);
  EXPECT_EQ(window->messages_shown().size(), 1u);
}

TEST_F(BatchTest, UnreadableImportEndsAtOnceWithTheCompletion) {
  query("YT1000000001");
  window->set_dialog_responder(
      [](const gui::FileDialog&) { return std::optional<Text>("/no/such/dir/file.txt"); });
  window->fire(Role::import_command, gui::Event::selected);
  EXPECT_EQ(window->list_row_count(), 0);
  EXPECT_EQ(window->messages_shown().size(), 2u);
}

TEST_F(BatchTest, AtMostTheSetNumberOfLookupsRunAtOnce) {
  service.stop();
  standin::ServerOptions options;
  options.latency_ms = 30;
  ASSERT_TRUE(service.start(options));
  const Text host = "127.0.0.1:" + std::to_string(service.port());
  app_settings().hosts = {host, host};
  app_settings().jobs = 3;
  Text numbers;
  for (int i = 0; i < 24; ++i) numbers += "N" + std::to_string(i) + "\r\n";
  query(numbers);
  EXPECT_EQ(service.requests().size(), 48u);
  EXPECT_LE(service.most_at_once(), 3);
  EXPECT_GE(service.most_at_once(), 2);
  for (int r = 0; r < 24; ++r) EXPECT_NE(window->list_cell(r, 5), "") << r;
}

TEST_F(BatchTest, CommandsStayDisabledUntilTheBatchEnds) {
  std::atomic<bool> done{false};
  std::atomic<bool> watching{true};
  std::atomic<int> seen_enabled{0};
  // Another thread looks at the commands while the batch runs on the window thread.
  // From the first look that finds them disabled, they must stay so.
  std::thread watcher([&] {
    for (bool started = false; !done;) {
      const bool enabled =
          window->is_enabled(Role::query_button) || window->is_enabled(Role::import_command);
      if (done) break;  // the completion message was shown: enabling is allowed now
      if (!enabled) started = true;
      if (enabled && started) ++seen_enabled;
    }
    watching = false;
  });
  window->set_message_responder([&](const gui::Message&) {
    done = true;
    return gui::Answer::ok;
  });
  std::this_thread::sleep_for(std::chrono::milliseconds(20));
  query("SLOW0000010\r\nYT1000000001\r\nZT2000000002");
  while (watching) window->wait_handling_messages(1);  // the watcher's last call needs us
  watcher.join();
  EXPECT_EQ(seen_enabled, 0);
  EXPECT_TRUE(window->is_enabled(Role::query_button));
}

TEST(ImportText, NormalisesLineEnds) {
  const auto text = [](std::string_view s) { return import_text(Bytes(s.begin(), s.end())); };
  EXPECT_EQ(text("a\nb\rc\r\nd"), "a\r\nb\r\nc\r\nd");
  EXPECT_EQ(text("\xEF\xBB\xBF"
                 "a\n\n"),
            "a\r\n\r\n");
  EXPECT_EQ(text(std::string_view("a\0b", 3)), "a");
  EXPECT_EQ(text("\xD6\xD0\n"), "\xD6\xD0\r\n");
}

}  // namespace
}  // namespace trakvel
