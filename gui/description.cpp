#include "gui/description.h"

#include "gui/window.h"

namespace trakvel::gui {

const Control* WindowDescription::control(Role role) const {
  for (const auto& c : controls)
    if (c.role == role) return &c;
  return nullptr;
}

std::string WindowDescription::handler_for(Role control, Event event) const {
  for (const auto& w : wiring)
    if (w.control == control && w.event == event) return w.handler;
  return {};
}

void run_wired_handler(Window& window, const WindowDescription& description,
                       const HandlerTable& handlers, Role control, Event event) {
  const auto found = handlers.find(description.handler_for(control, event));
  if (found != handlers.end() && found->second) found->second(window);
}

}  // namespace trakvel::gui
