#include "standin/faults.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <string>

namespace trakvel::standin {
namespace {

TEST(Faults, SharesFollowTheTableAndRepeatForTheSameSeed) {
  constexpr int kNumbers = 20000;
  std::map<Served, int> counts;
  int differ_with_other_seed = 0;
  for (int i = 0; i < kNumbers; ++i) {
    const std::string number = "FR" + std::to_string(i);
    const Served fault = fault_for(number, 7);
    ++counts[fault];
    EXPECT_EQ(fault_for(number, 7), fault);
    differ_with_other_seed += fault_for(number, 8) != fault;
  }
  const std::map<Served, int> per_mille = {{Served::kDrop, 100},       {Served::kStall, 10},
                                           {Served::kServerError, 50}, {Served::kHugePage, 10},
                                           {Served::kGarbage, 10},     {Served::kResult, 820}};
  for (const auto& [fault, share] : per_mille) {
    const double expected = kNumbers * share / 1000.0;
    EXPECT_NEAR(counts[fault], expected, 5 * std::sqrt(expected) + 1)
        << kServedNames[static_cast<int>(fault)];
  }
  EXPECT_GT(differ_with_other_seed, kNumbers / 10);
}

TEST(Faults, GarbageIsNoHttpAnswer) {
  const std::string bytes = garbage_bytes("FR1", 7);
  EXPECT_EQ(bytes, garbage_bytes("FR1", 7));
  EXPECT_FALSE(bytes.starts_with("HTTP/"));
  EXPECT_GE(bytes.size(), 4096u);
}

}  // namespace
}  // namespace trakvel::standin
