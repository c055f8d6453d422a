#include "standin/faults.h"

namespace trakvel::standin {
namespace {

std::uint32_t mixed(std::string_view number, std::uint32_t seed) {
  std::uint32_t h = 2166136261u ^ seed;  // FNV-1a, then a final mix
  for (unsigned char c : number) h = (h ^ c) * 16777619u;
  h ^= h >> 16;
  h *= 0x7feb352dU;
  h ^= h >> 15;
  return h;
}

}  // namespace

Served fault_for(std::string_view number, std::uint32_t seed) {
  struct Share {
    unsigned per_mille;
    Served fault;
  };
  static constexpr Share kShares[] = {{100, Served::kDrop},
                                      {10, Served::kStall},
                                      {50, Served::kServerError},
                                      {10, Served::kHugePage},
                                      {10, Served::kGarbage}};
  unsigned draw = mixed(number, seed) % 1000;
  for (const auto& share : kShares) {
    if (draw < share.per_mille) return share.fault;
    draw -= share.per_mille;
  }
  return Served::kResult;
}

std::string garbage_bytes(std::string_view number, std::uint32_t seed) {
  std::uint32_t state = mixed(number, seed) | 1;
  std::string bytes(4096 + state % 4096, '\0');
  for (char& c : bytes) {
    state ^= state << 13;  // xorshift32
    state ^= state >> 17;
    state ^= state << 5;
    c = static_cast<char>(state);
  }
  bytes[0] = '\x7f';  // never "HTTP/"
  return bytes;
}

std::string huge_filler() {
  static const std::string filler = [] {
    const std::string entry =
        "<li class=\"\"><dl class=\"col1\"><dt>2026-11-30</dt><dd>08:00:00</dd></dl><span "
        "class=\"col2\"><span class=\"line1\"></span><span class=\"line2\"></span><span "
        "class=\"point\"></span></span><span class=\"col3\">【转运中心】运输中</span></li>";
    std::string text;
    while (text.size() < 4 * 1024 * 1024) text += entry;
    return text;
  }();
  return filler;
}

}  // namespace trakvel::standin
