// The detail view's trace extraction on a realistic page and a page of several
// megabytes, through the regular-expression engine this build picks (on Windows
// the VBScript component; TRAKVEL_REGEX_ENGINE=builtin picks the built-in one).
// Its growth with the page size is the figure that matters.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/trace.h"
#include "bench/bench_page.h"
#include "text/charset.h"
#include "text/regex_engine.h"
#include "text/url_decode.h"

namespace {

using namespace trakvel::bench;

volatile std::size_t sink;

const char* engine_name() {
  trakvel::com_initialize();
  const auto engine = trakvel::create_regex_engine();
  const char* name = engine ? engine->name() : "none";
  trakvel::com_uninitialize();
  return name;
}

// Page sizes in KB from the command line; a realistic page and a large one if none.
std::vector<std::size_t> page_sizes(int argc, char** argv) {
  std::vector<std::size_t> sizes;
  for (int i = 1; i < argc; ++i) sizes.push_back(std::strtoul(argv[i], nullptr, 10) * 1024);
  if (sizes.empty()) sizes = {64 * 1024, 4 * 1024 * 1024};
  return sizes;
}

}  // namespace

// Usage: trace_bench [KB...]
int main(int argc, char** argv) {
  const char* engine = engine_name();
  std::vector<double> seconds;
  std::vector<std::size_t> bytes;
  for (const std::size_t size : page_sizes(argc, argv)) {
    const trakvel::Text page = trakvel::url_decode(page_of(size), true);
    const int runs = size < 1024 * 1024 ? 50 : 3;
    trakvel::RegexObject regex;
    seconds.push_back(
        best_seconds(runs, [&] { sink = trakvel::trace_entries(regex, page).size(); }));
    bytes.push_back(page.size());
    std::printf("trace extraction (%s), page %zu bytes (%d entries): %.3f ms, %.1f MB/s\n", engine,
                page.size(), regex.match_count(), seconds.back() * 1000,
                megabytes_per_second(page.size(), seconds.back()));
  }
  std::printf(
      "trace extraction (%s): the largest page takes %.1fx the smallest page's time for "
      "%.1fx its bytes\n",
      engine, seconds.back() / seconds.front(), double(bytes.back()) / bytes.front());
  return 0;
}
