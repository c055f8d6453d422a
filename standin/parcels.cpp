#include "standin/parcels.h"

#include <array>
#include <cstdint>
#include <cstdio>

namespace trakvel::standin {
namespace {

struct Sample {
  std::string_view number;
  Parcel parcel;
};

const std::vector<Sample>& samples() {
  static const std::vector<Sample> table = {
      {"YT1000000001",
       {"yuantong",
        "圆通速递",
        {{"2026-12-01", "08:12:40", "【杭州市】快件已被【萧山区】揽收"},
         {"2026-12-02", "02:30:11", "【杭州转运中心】已发出，下一站【上海转运中心】"},
         {"2026-12-03", "09:05:07", "【上海市】已签收，签收人：本人，感谢使用圆通速递"}}}},
      {"ZT2000000002",
       {"zhongtong",
        "中通快递",
        {{"2026-12-05", "19:20:00", "【广州市】快件已揽收"},
         {"2026-12-07", "07:45:31", "【北京市】快递员正在派件，电话：13800000000"}}}},
      {"SF3000000003",
       {"shunfeng", "顺丰速运", {{"2026-12-10", "21:03:19", "【深圳市】顺丰速运已收取快件"}}}},
      {"EMS4000000004", {"ems", "EMS", {}, true}},
      {"YD5000000005",
       {"yunda",
        "韵达\r\n        快递",
        {{"2026-12-08", "10:00:00", "【成都市】快件已到达【成都分拨中心】"},
         {"2026-12-09", "16:40:02", "【成都市】快件已由投递员投递"}}}},
      {"ST6000000006",
       {"shentong",
        "申通快递】客服电话95543",
        {{"2026-12-04", "11:11:11", "【武汉市】快件已发往【长沙转运中心】"},
         {"2026-12-06", "12:00:00", "【长沙市】快件已到达，正在派送途中"}}}},
      {"HT7000000007",
       {"huitongkuaidi", "百世快递", {{"2026-12-01", "00:00:01", "x"}}, false, true}},
      {"QQ8000000008", {"", "", {}, true}},
      {"JD9000000009",
       {"jd",
        "京东物流",
        {{"2026-12-09", "09:09:09", "您的订单已出库 100%完成"},
         {"2026-12-10", "10:10:10", "配送员<b>张三</b>已签收"}},
        false,
        false,
        true}},
      {"SLOW0000010",
       {"yuantong",
        "圆通速递",
        {{"2026-12-11", "06:00:00", "【上海市】运输中"}},
        false,
        false,
        false,
        Answer::kSlow}},
      {"FAIL0000011", {"yuantong", "圆通速递", {}, false, false, false, Answer::kServerError}},
      {"DROP0000012", {"yuantong", "圆通速递", {}, false, false, false, Answer::kDrop}},
  };
  return table;
}

std::uint32_t hash(std::string_view text) {
  std::uint32_t h = 2166136261u;  // FNV-1a
  for (unsigned char c : text) h = (h ^ c) * 16777619u;
  return h;
}

// A parcel for a number outside the table: state, courier and trace drawn from the number.
Parcel made_up_parcel(std::string_view number) {
  static constexpr std::array<std::array<std::string_view, 2>, 4> kCouriers{{
      {"yuantong", "圆通速递"},
      {"zhongtong", "中通快递"},
      {"yunda", "韵达快递"},
      {"shunfeng", "顺丰速运"},
  }};
  static constexpr std::array<std::string_view, 4> kLastTexts{
      "【上海市】已签收，签收人：前台",
      "【北京市】快递员正在派件",
      "【杭州转运中心】已发出",
      "",
  };
  const std::uint32_t h = hash(number);
  const auto& courier = kCouriers[h % kCouriers.size()];
  Parcel parcel{std::string(courier[0]), std::string(courier[1]), {}};
  const std::string_view last = kLastTexts[(h >> 4) % kLastTexts.size()];
  if (last.empty()) return parcel.no_result = true, parcel;
  const int count = 1 + (h >> 8) % 5;
  for (int i = 1; i < count; ++i) {
    parcel.entries.push_back({"2026-12-0" + std::to_string(i), "08:00:00", "【转运中心】运输中"});
  }
  parcel.entries.push_back({"2026-12-09", "18:30:00", std::string(last)});
  return parcel;
}

std::string percent_encoded(std::string_view text) {
  std::string out;
  char escape[4];
  for (unsigned char c : text) {
    std::snprintf(escape, sizeof escape, "%%%02X", c);
    out += escape;
  }
  return out;
}

std::string entry_html(const TraceEntry& entry, std::string_view li_class, bool escaped) {
  return "<li class=\"" + std::string(li_class) + "\"><dl class=\"col1\"><dt>" + entry.date +
         "</dt><dd>" + entry.time +
         "</dd></dl><span class=\"col2\"><span class=\"line1\"></span><span "
         "class=\"line2\"></span><span class=\"point\"></span></span><span class=\"col3\">" +
         (escaped ? percent_encoded(entry.text) : entry.text) + "</span></li>";
}

std::string_view li_class(std::size_t index, std::size_t count) {
  if (count == 1) return "first last";
  if (index == 0) return "first";
  return index + 1 == count ? " last" : "";
}

}  // namespace

Parcel parcel_for(std::string_view number) {
  if (number.empty()) return {"", "", {}, true};  // no courier is known for no number
  for (const auto& sample : samples()) {
    if (sample.number == number) return sample.parcel;
  }
  return made_up_parcel(number);
}

std::vector<std::string> sample_numbers() {
  std::vector<std::string> numbers;
  for (const auto& sample : samples()) numbers.emplace_back(sample.number);
  return numbers;
}

std::string detection_answer(const Parcel& parcel) {
  if (parcel.courier_code.empty()) return "[]";
  return "[{\"comCode\":\"" + parcel.courier_code + "\",\"id\":\"\",\"noCount\":1,\"noPre\":\"\"}]";
}

std::string detail_page(const Parcel& parcel, std::string_view number) {
  std::string page =
      "<!DOCTYPE html><html><head><meta charset=\"utf-8\"><title>快递查询</title></head><body>\n";
  if (parcel.no_markers)
    return page + "<div class=\"notice\">系统维护中，请稍后再试</div></body></html>\n";
  if (parcel.no_result) {
    return page + "<div class=\"no-result\">单号无结果，请核对快递公司和单号</div></body></html>\n";
  }
  page += "<div class=\"com-info\"> <span class=\"info1\">" + parcel.company +
          "</span> <span class=\"info2\">单号：" + std::string(number) + "</span></div>\n";
  page += "<div class=\"result-list\"><ul>";
  for (std::size_t i = 0; i < parcel.entries.size(); ++i) {
    page += entry_html(parcel.entries[i], li_class(i, parcel.entries.size()), parcel.escaped);
  }
  return page + "</ul></div>\n</body></html>\n";
}

}  // namespace trakvel::standin
