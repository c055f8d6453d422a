// Fonts of the controls, with a fallback when the described face is not installed.
#pragma once

#include <windows.h>

#include "gui/description.h"
#include "gui/scoped_win.h"

namespace trakvel::gui {

bool font_installed(const Text& face);
// The described font; an installed Chinese face stands in for a missing one.
win::ScopedFont create_font(const Font& font);

}  // namespace trakvel::gui
