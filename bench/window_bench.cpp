// The window stays responsive: runs a batch of 200 numbers on the headless window
// against the stand-in in this process (50 ms per request) and prints the longest
// time that the window thread spent without handling messages, at pause 20 and 0.
#include <chrono>
#include <cstdio>
#include <string>

#include "app/batch.h"
#include "app/handlers.h"
#include "app/lookup.h"
#include "gui/headless_window.h"
#include "resources/main_window.h"
#include "standin/server.h"

using namespace trakvel;

int main() {
  standin::ServerOptions options;
  options.latency_ms = 50;
  standin::Server service;
  if (!service.start(options)) return 1;
  const Text host = "127.0.0.1:" + std::to_string(service.port());
  app_settings().hosts = {host, host};
  app_settings().timeout_ms = 5000;
  configure_requests(app_settings());

  Text numbers;
  for (int i = 0; i < 200; ++i) numbers += "WB" + std::to_string(1000000000 + i) + "\r\n";
  for (const char* pause : {"20", "0"}) {
    auto window = gui::HeadlessWindow::create(main_window_description(), main_window_handlers());
    window->set_message_responder([](const gui::Message&) { return gui::Answer::ok; });
    window->set_text(gui::Role::delay_box, pause);
    batch_state().input_text = numbers;
    const auto start = std::chrono::steady_clock::now();
    run_batch(*window);
    const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
    const std::chrono::duration<double, std::milli> longest = window->longest_unhandled();
    std::printf(
        "window responsiveness: 200 numbers at pause %s ms, batch %.0f ms, longest time "
        "without handling messages %.1f ms (target <= 100 ms)\n",
        pause, took.count(), longest.count());
  }
  return 0;
}
