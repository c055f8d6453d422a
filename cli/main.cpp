// trakvel: the batch lookup without a window, and tools for looking at what the
// tracking service answers.
#include <cstdio>
#include <span>
#include <string_view>

#include "cli/commands.h"
#include "cli/console.h"

namespace {

constexpr const char* kUsage =
    "usage: trakvel lookup [--delay MS] [--jobs N] [--timeout MS] [--save FILE]\n"
    "                      [--csv] [--skip-signed FILE] [--proxy HOST:PORT]\n"
    "                      [--main-host H] [--mobile-host H] [FILE|-]\n"
    "       trakvel trace [--company TEXT] [--main-host H] [--mobile-host H] NUMBER\n"
    "       trakvel http [--engine text|bytes] [-X GET|POST|HEAD] [-d TEXT] [-H LINE]...\n"
    "                    [--cookies TEXT] [--proxy HOST:PORT] [--no-redirect]\n"
    "                    [--show body|sent|raw-headers|new-cookies|cookies|location] URL\n";

}  // namespace

int main(int argc, char** argv) {
  trakvel::cli::use_binary_stdio();
  const std::span<char* const> args(argv, static_cast<std::size_t>(argc));
  const std::string_view command = argc > 1 ? argv[1] : "";
  const auto rest = args.subspan(argc > 1 ? 2 : 1);
  if (command == "lookup") return trakvel::cli::run_lookup_command(rest);
  if (command == "trace") return trakvel::cli::run_trace_command(rest);
  if (command == "http") return trakvel::cli::run_http_command(rest);
  std::fputs(kUsage, stderr);
  return 2;
}
