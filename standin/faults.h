// Faults that the stand-in can inject into its detail pages, drawn from the
// number and a seed, so that a run can be repeated and every row checked against
// what was served for its number.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace trakvel::standin {

// What the stand-in served for a detail page. The first two are the ordinary
// answers; the rest are injected faults.
enum class Served { kResult, kNoResult, kDrop, kStall, kServerError, kHugePage, kGarbage, kCount };

inline constexpr std::array<std::string_view, static_cast<std::size_t>(Served::kCount)>
    kServedNames{"result", "no-result", "drop", "stall", "server-error", "huge-page", "garbage"};

// The fault for number under seed: kDrop for 10% of the numbers, kStall 1%,
// kServerError 5%, kHugePage 1%, kGarbage 1%; kResult for the rest.
Served fault_for(std::string_view number, std::uint32_t seed);

// Bytes that are no HTTP answer at all, the same for the same number and seed.
std::string garbage_bytes(std::string_view number, std::uint32_t seed);

// Filler trace entries of several megabytes, placed before a page's own entries.
std::string huge_filler();

}  // namespace trakvel::standin
