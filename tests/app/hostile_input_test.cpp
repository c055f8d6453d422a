// Hostile input to the batch: odd bytes in numbers, binary and huge import files.
// Each gives rows in a definite state and loses no byte of a number.
#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "app/batch.h"
#include "app_fixture.h"
#include "standin/parcels.h"

namespace trakvel {
namespace {

using test::AppTest;
using test::gbk;

class HostileInputTest : public AppTest {
 protected:
  // The state the row of a number must show, from the stand-in's own parcel for it.
  Text expected_state(std::string_view number) {
    const auto parcel = standin::parcel_for(number);
    if (parcel.no_result || parcel.courier_code.empty()) return gbk("单号无结果！");
    const std::string& last = parcel.entries.back().text;
    if (last.find("签收") != std::string::npos) return gbk("已签收");
    if (last.find("派件") != std::string::npos) return gbk("派件中");
    return gbk("运输途中");
  }
};

TEST_F(HostileInputTest, NumbersWithOddBytesReachTheServiceWholeAndEndInTheirState) {
  struct Case {
    std::string typed, number;  // the number box's text, the number looked up
  };
  const Case cases[] = {
      {"A\rB", "A\rB"},  // one line: a CR or LF alone does not end it
      {"A\nB", "A\nB"},
      {std::string("A\0B", 3), "A"},  // a text ends at its first zero byte
      {"A&nu=B", "A&nu=B"},
      {"A#B", "A#B"},
      {"A%20B", "A%20B"},
      {"%%%", "%%%"},
      {"\xD6\xD0\xCE\xC4", "\xD6\xD0\xCE\xC4"},
      {"\xFF\x80\x81", "\xFF\x80\x81"},
      {std::string(4096, '7'), std::string(4096, '7')},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.typed));
    window->list_delete_all();
    query(c.typed);
    ASSERT_EQ(window->list_row_count(), 1);
    EXPECT_EQ(window->list_cell(0, 2), c.number);
    EXPECT_EQ(window->list_cell(0, 5), expected_state(c.number));
    const auto served = service.served_pages();
    ASSERT_FALSE(served.empty());
    EXPECT_EQ(served.back().number, c.number);
  }
}

TEST_F(HostileInputTest, BinaryImportFileGivesOneRowPerLineUpToItsFirstZeroByte) {
  std::string bytes;
  for (int round = 0; round < 2; ++round) {
    for (int b = 1; b < 256; ++b) bytes += static_cast<char>(b);
  }
  bytes += std::string("\0LOST", 5);
  const std::string path = ::testing::TempDir() + "binary.txt";
  std::ofstream(path, std::ios::binary) << bytes;
  window->set_dialog_responder([&](const gui::FileDialog&) { return std::optional<Text>(path); });
  window->fire(gui::Role::import_command, gui::Event::selected);

  // Lines end at byte 10 (LF) and byte 13 (CR): 1-9 | 11-12 | 14-255 1-9 | 11-12 | 14-255.
  const auto run = [](int from, int to) {
    std::string text;
    for (int b = from; b <= to; ++b) text += static_cast<char>(b);
    return text;
  };
  const std::string lines[] = {run(1, 9), run(11, 12), run(14, 255) + run(1, 9), run(11, 12),
                               run(14, 255)};
  ASSERT_EQ(window->list_row_count(), 5);
  for (int r = 0; r < 5; ++r) {
    EXPECT_EQ(window->list_cell(r, 2), lines[r]) << r;
    EXPECT_NE(window->list_cell(r, 5), "") << r;
  }
  EXPECT_EQ(window->messages_shown().size(), 1u);
}

TEST(HostileImport, FileOf50MegabytesKeepsEveryByte) {
  // 50 MB of 99-byte lines ending alike in LF, CR and CR LF, in turn.
  const std::string line(99, '\xB0');
  const char* ends[] = {"\n", "\r", "\r\n"};
  std::string file;
  std::size_t count = 0;
  for (; file.size() < 50u * 1024 * 1024; ++count) file.append(line).append(ends[count % 3]);
  const Text text = import_text(Bytes(file.begin(), file.end()));
  ASSERT_EQ(text.size(), count * (line.size() + 2));
  for (std::size_t at = 0; at < text.size(); at += line.size() + 2) {
    ASSERT_EQ(text.compare(at, line.size(), line), 0) << at;
    ASSERT_EQ(text.compare(at + line.size(), 2, "\r\n"), 0) << at;
  }
}

}  // namespace
}  // namespace trakvel
