// trakvel-standin: the local stand-in of the tracking service, for tests and
// demonstrations. Serves sample parcels (made up, not real shipments) on 127.0.0.1.
#include <signal.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "standin/parcels.h"
#include "standin/server.h"

namespace {

constexpr const char* kUsage =
    "usage: trakvel-standin [--port N] [--latency MS] [--slow MS] [--faults SEED] [--stall MS]\n"
    "       trakvel-standin --samples\n";

bool parse_int(const char* text, int& value) {
  char* end = nullptr;
  const long parsed = std::strtol(text, &end, 10);
  if (end == text || *end != '\0' || parsed < 0 || parsed > 1000000) return false;
  value = static_cast<int>(parsed);
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  trakvel::standin::ServerOptions options;
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (arg == "--samples") {
      for (const auto& number : trakvel::standin::sample_numbers()) {
        std::printf("%s\r\n", number.c_str());
      }
      return 0;
    }
    int seed = 0;
    int* target = arg == "--port"      ? &options.port
                  : arg == "--latency" ? &options.latency_ms
                  : arg == "--slow"    ? &options.slow_ms
                  : arg == "--stall"   ? &options.stall_ms
                  : arg == "--faults"  ? &seed
                                       : nullptr;
    if (target == nullptr || i + 1 >= argc || !parse_int(argv[++i], *target)) {
      std::fputs(kUsage, stderr);
      return 2;
    }
    if (target == &seed) options.fault_seed = static_cast<std::uint32_t>(seed);
  }

  // Wait for the end signal in this thread, not in a handler.
  sigset_t signals;
  sigemptyset(&signals);
  sigaddset(&signals, SIGINT);
  sigaddset(&signals, SIGTERM);
  pthread_sigmask(SIG_BLOCK, &signals, nullptr);

  trakvel::standin::Server server;
  if (!server.start(options)) {
    std::fprintf(stderr, "trakvel-standin: cannot listen on 127.0.0.1:%d\n", options.port);
    return 1;
  }
  std::printf(
      "Trakvel stand-in of the tracking service on 127.0.0.1:%d\n"
      "Its parcels are samples, not real shipments.\n",
      server.port());
  std::fflush(stdout);
  int received = 0;
  sigwait(&signals, &received);
  server.stop();
  // What was served, for a fault run to set beside what the client made of it.
  const auto counts = server.served_counts();
  for (std::size_t i = 0; i < counts.size(); ++i) {
    std::fprintf(stderr, "served %s %d\n", std::string(trakvel::standin::kServedNames[i]).c_str(),
                 counts[i]);
  }
  return 0;
}
