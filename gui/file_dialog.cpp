#include "gui/file_dialog.h"

namespace trakvel::gui {

Text terminated_filter(std::string_view filter) {
  Text text(filter);
  if (!text.ends_with("||")) text += "||";
  return text;
}

}  // namespace trakvel::gui
