// Rules of the file dialogs that do not depend on the system.
#pragma once

#include "text/text.h"

namespace trakvel::gui {

// The filter as the dialog passes it on: "||" appended when the text does not end with it.
Text terminated_filter(std::string_view filter);

}  // namespace trakvel::gui
