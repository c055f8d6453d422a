// Page work throughput: the lookup's page pipeline (percent-decoding, UTF-8 to
// GBK, no-result test, state, company, last entry) and the detail view's trace
// extraction, on a realistic page and a page of several megabytes, beside iconv
// alone converting the same bytes. Prints one line per figure.
#include <iconv.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>

#include "app/lookup_page.h"
#include "app/trace.h"
#include "standin/parcels.h"
#include "text/url_decode.h"

namespace {

using trakvel::Text;
using Clock = std::chrono::steady_clock;

// A detail page of the stand-in grown to about size bytes with entries of real length.
std::string page_of(std::size_t size) {
  trakvel::standin::Parcel parcel{"yuantong", "圆通速递", {}};
  const trakvel::standin::TraceEntry entry{
      "2026-12-01", "08:12:40", "【杭州转运中心】已发出，下一站【上海转运中心】，快递员：张三"};
  const std::size_t bare = trakvel::standin::detail_page(parcel, "YT1000000001").size();
  parcel.entries.push_back(entry);
  const std::size_t one = trakvel::standin::detail_page(parcel, "YT1000000001").size() - bare;
  parcel.entries.resize((size - bare + one - 1) / one, entry);
  parcel.entries.back().text = "【上海市】已签收，签收人：本人，感谢使用圆通速递";
  return trakvel::standin::detail_page(parcel, "YT1000000001");
}

// The best of several runs of f, in seconds: the least disturbed by the machine.
template <typename F>
double best_seconds(int runs, F f) {
  double best = 1e9;
  for (int i = 0; i < runs; ++i) {
    const auto start = Clock::now();
    f();
    best = std::min(best, std::chrono::duration<double>(Clock::now() - start).count());
  }
  return best;
}

std::size_t iconv_alone(const std::string& page) {
  iconv_t cd = iconv_open("CP936", "UTF-8");
  std::string out(page.size(), '\0');
  char* in = const_cast<char*>(page.data());
  std::size_t in_left = page.size();
  char* dst = out.data();
  std::size_t dst_left = out.size();
  iconv(cd, &in, &in_left, &dst, &dst_left);
  iconv_close(cd);
  return out.size() - dst_left;
}

volatile std::size_t sink;

double megabytes_per_second(std::size_t bytes, double seconds) {
  return bytes / seconds / (1024.0 * 1024.0);
}

}  // namespace

int main() {
  const std::string small = page_of(64 * 1024);
  const std::string large = page_of(4 * 1024 * 1024);
  double trace_seconds[2] = {};
  int index = 0;
  for (const std::string* page : {&small, &large}) {
    const int runs = page == &small ? 200 : 5;
    const double iconv_s = best_seconds(runs, [&] { sink = iconv_alone(*page); });
    const double pipeline_s = best_seconds(runs, [&] {
      const auto reading = trakvel::read_detail_page(trakvel::url_decode(*page, true));
      sink = reading.last_update.size();
    });
    const Text decoded = trakvel::url_decode(*page, true);
    trakvel::RegexObject regex;
    trace_seconds[index] =
        best_seconds(runs, [&] { sink = trakvel::trace_entries(regex, decoded).size(); });
    std::printf(
        "page %zu bytes (%d entries): iconv alone %.1f MB/s, lookup pipeline %.1f MB/s "
        "(%.2fx iconv), trace extraction %.1f MB/s (%.3f ms)\n",
        page->size(), regex.match_count(), megabytes_per_second(page->size(), iconv_s),
        megabytes_per_second(page->size(), pipeline_s), iconv_s / pipeline_s,
        megabytes_per_second(decoded.size(), trace_seconds[index]), trace_seconds[index] * 1000);
    ++index;
  }
  std::printf(
      "trace extraction: the large page takes %.1fx the small page's time for %.1fx its "
      "bytes\n",
      trace_seconds[1] / trace_seconds[0], double(large.size()) / small.size());
  return 0;
}
