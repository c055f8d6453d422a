// The description of Trakvel's one window.
#pragma once

#include "gui/description.h"

namespace trakvel {

// Built once, texts in code page 936.
const gui::WindowDescription& main_window_description();

}  // namespace trakvel
