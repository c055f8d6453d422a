// The main window on the headless backend, talking to the local stand-in of the
// tracking service on a free port.
#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "app/batch.h"
#include "app/handlers.h"
#include "app/lookup.h"
#include "gui/headless_window.h"
#include "resources/main_window.h"
#include "standin/server.h"
#include "test_text.h"

namespace trakvel::test {

// Sends the lookups to the stand-in; a short time-out keeps a stalled test short.
inline void use_standin(const standin::Server& service) {
  const Text host = "127.0.0.1:" + std::to_string(service.port());
  Settings settings;
  settings.hosts = {host, host};
  settings.timeout_ms = 5000;
  app_settings() = settings;
  configure_requests(settings);
}

class AppTest : public ::testing::Test {
 protected:
  void SetUp() override {
    standin::ServerOptions options;
    options.slow_ms = 200;
    ASSERT_TRUE(service.start(options));
    use_standin(service);
    window = gui::HeadlessWindow::create(main_window_description(), main_window_handlers());
    window->set_message_responder([](const gui::Message&) { return gui::Answer::ok; });
    window->set_text(gui::Role::delay_box, "0");
  }

  // Types the numbers into the number box and presses the query button.
  void query(std::string_view numbers) {
    window->set_text(gui::Role::number_box, numbers);
    window->fire(gui::Role::query_button, gui::Event::clicked);
  }

  std::vector<Text> row(int r) {
    std::vector<Text> cells;
    for (int c = 0; c < window->list_column_count(); ++c) cells.push_back(window->list_cell(r, c));
    return cells;
  }

  standin::Server service;
  std::unique_ptr<gui::HeadlessWindow> window;
};

}  // namespace trakvel::test
