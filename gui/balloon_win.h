// The balloon tip: a small popup at a screen point that draws its text as markup.
#pragma once

#include <windows.h>

#include "gui/balloon_markup.h"
#include "gui/description.h"
#include "gui/scoped_win.h"

namespace trakvel::gui {

class BalloonTip {
 public:
  // Replaces any balloon still up; it goes away on a click or after a while.
  void show(HWND owner, Point at, std::string_view text);
  HWND handle() const { return window_.get(); }

 private:
  win::ScopedWindow window_;
};

}  // namespace trakvel::gui
