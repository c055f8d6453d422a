// What the page benchmarks share: a detail page of the stand-in grown to a given
// size, and the best time of several runs.
#pragma once

#include <algorithm>
#include <chrono>
#include <cstddef>
#include <string>

#include "standin/parcels.h"

namespace trakvel::bench {

// A detail page of the stand-in grown to about size bytes with entries of real length.
inline std::string page_of(std::size_t size) {
  standin::Parcel parcel{"yuantong", "圆通速递", {}};
  const standin::TraceEntry entry{"2026-12-01", "08:12:40",
                                  "【杭州转运中心】已发出，下一站【上海转运中心】，快递员：张三"};
  const std::size_t bare = standin::detail_page(parcel, "YT1000000001").size();
  parcel.entries.push_back(entry);
  const std::size_t one = standin::detail_page(parcel, "YT1000000001").size() - bare;
  parcel.entries.resize((size - bare + one - 1) / one, entry);
  parcel.entries.back().text = "【上海市】已签收，签收人：本人，感谢使用圆通速递";
  return standin::detail_page(parcel, "YT1000000001");
}

// The best of several runs of f, in seconds: the least disturbed by the machine.
template <typename F>
double best_seconds(int runs, F f) {
  double best = 1e9;
  for (int i = 0; i < runs; ++i) {
    const auto start = std::chrono::steady_clock::now();
    f();
    const auto end = std::chrono::steady_clock::now();
    best = std::min(best, std::chrono::duration<double>(end - start).count());
  }
  return best;
}

inline double megabytes_per_second(std::size_t bytes, double seconds) {
  return bytes / seconds / (1024.0 * 1024.0);
}

}  // namespace trakvel::bench
