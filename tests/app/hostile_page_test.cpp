// Hostile detail pages: markers out of order, pages of 10 MB, invalid UTF-8, runs
// of "%". Each reads to a definite row and the trace keeps every entry it can find.
#include <gtest/gtest.h>

#include "app/lookup_page.h"
#include "app/trace.h"
#include "standin/parcels.h"
#include "test_text.h"
#include "text/url_decode.h"

namespace trakvel {
namespace {

using test::gbk;

const standin::Parcel kParcel{"yuantong",
                              "圆通速递",
                              {{"2026-12-01", "08:00:00", "【杭州市】已揽收"},
                               {"2026-12-02", "09:00:00", "【上海市】已签收"}}};

std::string page_with_entry_text(std::string_view text) {
  standin::Parcel parcel = kParcel;
  parcel.entries.back().text = std::string(text);
  return standin::detail_page(parcel, "YT1");
}

TEST(HostilePage, ReadsToADefiniteRow) {
  std::string huge = standin::detail_page(kParcel, "YT1");
  huge.insert(huge.find("<ul>") + 4, std::string(10 * 1024 * 1024, ' '));
  const std::string swapped =
      "<span class=\"info2\">单号：x</span><div class=\"com-info\"> <span "
      "class=\"info1\">圆通</span></li></ul></div><li class=\" last\">";
  struct Case {
    const char* what;
    std::string page;  // UTF-8, as served
    std::string_view company, last_update, state;
  };
  const Case cases[] = {
      {"markers out of order", swapped, "", "  ", "运输途中"},
      {"10 MB page", huge, "圆通速递", "2026-12-02 09:00:00 【上海市】已签收", "已签收"},
      {"invalid UTF-8", page_with_entry_text("\xFF\xC0\xAF签收\xE4\xB8"), "圆通速递",
       "2026-12-02 09:00:00 ???签收?", "已签收"},
      {"runs of %", page_with_entry_text("%%%%%%%签收%"), "圆通速递", "2026-12-02 09:00:00 ",
       "运输途中"},
  };
  for (const auto& c : cases) {
    const PageReading reading = read_detail_page(url_decode(c.page, true));
    EXPECT_FALSE(reading.no_result) << c.what;
    EXPECT_EQ(reading.company, gbk(c.company)) << c.what;
    EXPECT_EQ(reading.last_update, gbk(c.last_update)) << c.what;
    EXPECT_EQ(reading.state, gbk(c.state)) << c.what;
  }
}

TEST(HostilePage, TraceOfA10MegabytePageKeepsEveryEntry) {
  standin::Parcel parcel = kParcel;
  parcel.entries.resize(48000, kParcel.entries.front());
  const Text page = url_decode(standin::detail_page(parcel, "YT1"), true);
  ASSERT_GT(page.size(), 10u * 1024 * 1024);
  RegexObject regex;
  const Text trace = trace_entries(regex, page);
  EXPECT_EQ(regex.match_count(), 48000);
  EXPECT_TRUE(trace.ends_with(gbk("2026-12-01 08:00:00\r\n    【杭州市】已揽收\r\n\r\n")));
}

}  // namespace
}  // namespace trakvel
