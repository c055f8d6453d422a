#include <gtest/gtest.h>

#include "cli/csv.h"
#include "cli/skip_signed.h"
#include "test_text.h"

namespace trakvel {
namespace {

using test::gbk;

TEST(CsvTest, QuotesOnlyFieldsThatNeedIt) {
  const struct {
    std::string_view field, written;
  } cases[] = {
      {"", ""},
      {"已签收", "已签收"},
      {"a b", "a b"},
      {"a,b", "\"a,b\""},
      {"say \"hi\"", "\"say \"\"hi\"\"\""},
      {"two\r\nlines", "\"two\r\nlines\""},
      {"lf\nonly", "\"lf\nonly\""},
  };
  for (const auto& c : cases) EXPECT_EQ(cli::csv_field(c.field), c.written) << c.field;
}

TEST(CsvTest, RecordEndsWithCrLfAndKeepsEmptyFields) {
  EXPECT_EQ(cli::csv_record({"1", "", "x,y", ""}), "1,,\"x,y\",\r\n");
}

// What 保存全部 writes: six cells, each followed by two blanks, then CR LF.
Text saved_line(std::string_view serial, std::string_view time, std::string_view number,
                std::string_view company, std::string_view last_update, std::string_view state) {
  Text line;
  for (const auto cell : {serial, time, number, company, last_update, state}) {
    line.append(gbk(cell)).append("  ");
  }
  return line + "\r\n";
}

TEST(SkipSignedTest, FindsSignedNumbersWhateverTheMiddleCellsHold) {
  const Text saved =
      saved_line("1", "2026-12-11 10:00:00", "SF100", "顺丰", "已签收，签收人：本人", "已签收") +
      saved_line("2", "2026-12-11 10:00:01", "SF200", "顺丰", "派送中", "派件中") +
      // A failed detail page leaves a last update of two blanks and no company.
      saved_line("3", "2026-12-11 10:00:02", "YT300", "", "  ", "已签收") +
      saved_line("4", "2026-12-11 10:00:03", "ZT400", "中通  快递", "a  b  已签收", "运输途中") +
      saved_line("5", "", "EMS500", "", "", "") +
      saved_line("6", "2026-12-11 10:00:04", "JD600", "京东", "单号无结果！", "单号无结果！") +
      // Passed through an editor: LF alone, trailing blanks gone.
      gbk("7  2026-12-11 10:00:05  DB700  德邦  到了  已签收\n") + "\r\ngarbage";
  EXPECT_EQ(cli::signed_numbers(saved), (std::set<Text>{"DB700", "SF100", "YT300"}));
}

TEST(SkipSignedTest, LeavesOutTheLinesOfSignedNumbersOnly) {
  const std::set<Text> signed_numbers{"SF100", "YT300"};
  const Text input = "SF100\r\nSF200----note\r\nYT300----note\r\n\r\nSF1000\r\n";
  EXPECT_EQ(cli::without_numbers(input, signed_numbers), "SF200----note\r\n\r\nSF1000\r\n");
}

}  // namespace
}  // namespace trakvel
