// The result list's columns as every window backend must show them: title (UTF-8)
// and width in pixels, in order.
#pragma once

#include <utility>

namespace trakvel::test {

inline constexpr std::pair<const char*, int> kResultColumns[] = {
    {"序号", 0},
    {"查询时间", 150},
    {"快递单号", 150},
    {"快递公司", 80},
    {"最后更新（双击查询详细物流信息）", 340},
    {"最后状态", 80},
};

}  // namespace trakvel::test
