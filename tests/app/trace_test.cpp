#include "app/trace.h"

#include <gtest/gtest.h>

#include "app/clock.h"
#include "standin/parcels.h"
#include "test_text.h"
#include "text/url_decode.h"

namespace trakvel {
namespace {

using test::gbk;

TEST(Clock, FormatsDateAndTimeWithTwoDigitParts) {
  const LocalTime time{2015, 3, 5, 7, 5, 9};
  EXPECT_EQ(date_text(time), "2015-03-05");
  EXPECT_EQ(time_of_day_text(time), "07:05:09");
  EXPECT_EQ(date_text({2026, 12, 31, 23, 59, 59}), "2026-12-31");
}

TEST(TraceHeader, LabelsNumberCompanyAndQueryTime) {
  EXPECT_EQ(trace_header("123", "X", "2015-03-17", "09:05:07"),
            gbk("快递单号：123   快递公司：X   查询时间：2015-03-17 09:05:07\r\n\r\n"));
}

TEST(TraceEntries, ListsEveryEntryInPageOrder) {
  const auto parcel = standin::parcel_for("YT1000000001");
  const Text page = url_decode(standin::detail_page(parcel, "YT1000000001"), true);
  RegexObject regex;
  EXPECT_EQ(
      trace_entries(regex, page),
      gbk("2026-12-01 08:12:40\r\n    【杭州市】快件已被【萧山区】揽收\r\n\r\n"
          "2026-12-02 02:30:11\r\n    【杭州转运中心】已发出，下一站【上海转运中心】\r\n\r\n"
          "2026-12-03 09:05:07\r\n    【上海市】已签收，签收人：本人，感谢使用圆通速递\r\n\r\n"));
}

TEST(TraceEntries, KeepsMarkupAndFindsNothingOnOtherPages) {
  RegexObject regex;
  const Text page =
      url_decode(standin::detail_page(standin::parcel_for("JD9000000009"), "JD9000000009"), true);
  EXPECT_NE(trace_entries(regex, page).find("<b>"), npos);
  EXPECT_EQ(trace_entries(regex, "<html>nothing here</html>"), "");
  EXPECT_EQ(trace_entries(regex, ""), "");
  // Letters match regardless of case.
  EXPECT_EQ(trace_entries(regex,
                          "CLASS=\"COL1\"><DT>a</DT><DD>b</DD></DL><SPAN CLASS=\"COL2\"><SPAN "
                          "CLASS=\"LINE1\"></SPAN><SPAN CLASS=\"LINE2\"></SPAN><SPAN "
                          "CLASS=\"POINT\"></SPAN></SPAN><SPAN CLASS=\"COL3\">c</SPAN>"),
            "a b\r\n    c\r\n\r\n");
}

}  // namespace
}  // namespace trakvel
