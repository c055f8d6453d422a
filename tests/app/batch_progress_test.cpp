// The taskbar progress of a batch: it counts the finished lookups up to the whole
// batch and is taken away before the end is announced.
#include "app_fixture.h"

namespace trakvel {
namespace {

using Progress = gui::HeadlessWindow::Progress;

class BatchProgressTest : public test::AppTest {};

TEST_F(BatchProgressTest, CountsUpToTheWholeBatchThenClears) {
  // The end is announced in a message box: what the taskbar shows at that moment.
  std::vector<Progress> at_announcement;
  window->set_message_responder([&](const gui::Message&) {
    at_announcement = window->progress_shown();
    return gui::Answer::ok;
  });
  query("YT1000000001\r\nZT2000000002\r\nSF3000000003");

  const auto shown = window->progress_shown();
  ASSERT_GE(shown.size(), 3u);
  EXPECT_EQ(shown.front(), (Progress{0, 3}));
  EXPECT_EQ(shown[shown.size() - 2], (Progress{3, 3}));
  EXPECT_EQ(shown.back(), (Progress{0, 0}));
  for (std::size_t i = 1; i + 1 < shown.size(); ++i) {
    EXPECT_EQ(shown[i].total, 3);
    EXPECT_GT(shown[i].done, shown[i - 1].done);  // shown when the count changes
  }
  EXPECT_EQ(at_announcement, shown);
}

}  // namespace
}  // namespace trakvel
