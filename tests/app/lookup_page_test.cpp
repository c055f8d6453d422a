#include "app/lookup_page.h"

#include <gtest/gtest.h>

#include "standin/parcels.h"
#include "test_text.h"
#include "text/url_decode.h"

namespace trakvel {
namespace {

using test::gbk;

// A page as the lookup sees it: served in UTF-8, percent-decoded and converted.
Text decoded_page(std::string_view number) {
  const auto parcel = standin::parcel_for(number);
  return url_decode(standin::detail_page(parcel, number), true);
}

TEST(ReadDetailPage, ReadsEveryShapeOfPage) {
  struct Case {
    std::string_view number;
    std::string_view company, last_update, state;  // UTF-8
  };
  const Case cases[] = {
      // Several entries: the one marked " last" is read.
      {"YT1000000001", "圆通速递",
       "2026-12-03 09:05:07 【上海市】已签收，签收人：本人，感谢使用圆通速递", "已签收"},
      {"ZT2000000002", "中通快递",
       "2026-12-07 07:45:31 【北京市】快递员正在派件，电话：13800000000", "派件中"},
      // One entry, marked "first last".
      {"SF3000000003", "顺丰速运", "2026-12-10 21:03:19 【深圳市】顺丰速运已收取快件", "运输途中"},
      // A company on two lines, the second indented.
      {"YD5000000005", "韵达快递", "2026-12-09 16:40:02 【成都市】快件已由投递员投递", "派件中"},
      // A company followed by "】" and more.
      {"ST6000000006", "申通快递", "2026-12-06 12:00:00 【长沙市】快件已到达，正在派送途中",
       "派件中"},
      // No markers at all: empty pieces joined by their blanks.
      {"HT7000000007", "", "  ", "运输途中"},
      // Percent-encoded entries; markup inside a piece stays.
      {"JD9000000009", "京东物流", "2026-12-10 10:10:10 配送员<b>张三</b>已签收", "已签收"},
  };
  for (const auto& c : cases) {
    const PageReading reading = read_detail_page(decoded_page(c.number));
    EXPECT_FALSE(reading.no_result) << c.number;
    EXPECT_EQ(reading.company, gbk(c.company)) << c.number;
    EXPECT_EQ(reading.last_update, gbk(c.last_update)) << c.number;
    EXPECT_EQ(reading.state, gbk(c.state)) << c.number;
  }
}

TEST(ReadDetailPage, NoResultPageIsNotReadFurther) {
  const PageReading reading = read_detail_page(decoded_page("EMS4000000004"));
  EXPECT_TRUE(reading.no_result);
  EXPECT_EQ(reading.state, "");
}

TEST(ReadDetailPage, FirstStateWordOfTheTableWins) {
  struct Case {
    std::string_view page, state;
  };
  const Case cases[] = {
      {"正在派送……已签收", "已签收"}, {"已投递", "派件中"}, {"派件", "派件中"},
      {"运输中", "运输途中"},         {"", "运输途中"},  // an empty page: a failed fetch reads as
                                                         // in transit
  };
  for (const auto& c : cases) {
    EXPECT_EQ(read_detail_page(gbk(c.page)).state, gbk(c.state)) << c.page;
  }
}

TEST(ReadDetailPage, PiecesOfTheLastEntryAreNotTrimmed) {
  const Text page =
      gbk("<li class=\"first last\"><dl class=\"col1\"><dt> 1 </dt><dd></dd></dl><span "
          "class=\"point\"></span></span><span class=\"col3\">x</span></li></ul></div>");
  EXPECT_EQ(read_detail_page(page).last_update, " 1   x");
}

}  // namespace
}  // namespace trakvel
