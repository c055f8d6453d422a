// The lookup of one tracking number at the service, and the row it writes.
#pragma once

#include <cstdint>
#include <string_view>

#include "app/settings.h"
#include "gui/window.h"
#include "text/text.h"

namespace trakvel {

// What the service said about one number: the detail page, percent-decoded and in
// code page 936, or why there is none worth reading.
struct ServiceAnswer {
  Text page;
  bool failed = false;  // a request got no response, or an error status
  Text cause;           // why, for the row
};

// The two requests of a lookup: courier detection, then the detail page.
ServiceAnswer ask_service(const Settings& settings, std::string_view number);

// Applies the settings that concern every request (the time-out); call at start-up.
void configure_requests(const Settings& settings);

// Entry of a lookup thread: looks up number index - 1 of the batch and writes row
// index - 1, then counts itself out of the batch's outstanding lookups.
void lookup_number(gui::Window& window, std::int32_t index);

}  // namespace trakvel
