// Page work throughput of a lookup: the page pipeline (percent-decoding, UTF-8 to
// GBK, no-result test, state, company, last entry) on a realistic page and a page
// of several megabytes, beside iconv alone converting the same bytes.
#include <iconv.h>

#include <cstdio>
#include <string>

#include "app/lookup_page.h"
#include "bench/bench_page.h"
#include "text/url_decode.h"

namespace {

using namespace trakvel::bench;

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

}  // namespace

int main() {
  for (const std::size_t size : {64 * 1024, 4 * 1024 * 1024}) {
    const std::string page = page_of(size);
    const int runs = size < 1024 * 1024 ? 200 : 5;
    const double iconv_s = best_seconds(runs, [&] { sink = iconv_alone(page); });
    const double pipeline_s = best_seconds(runs, [&] {
      const auto reading = trakvel::read_detail_page(trakvel::url_decode(page, true));
      sink = reading.last_update.size();
    });
    std::printf("page %zu bytes: iconv alone %.1f MB/s, lookup pipeline %.1f MB/s (%.2fx iconv)\n",
                page.size(), megabytes_per_second(page.size(), iconv_s),
                megabytes_per_second(page.size(), pipeline_s), iconv_s / pipeline_s);
  }
  return 0;
}
