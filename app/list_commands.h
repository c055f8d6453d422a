// The commands on the rows of the result list.
#pragma once

#include "gui/window.h"

namespace trakvel {

void on_copy_row_selected(gui::Window& window);
void on_save_all_selected(gui::Window& window);
void on_list_right_clicked(gui::Window& window);
void on_list_clicked(gui::Window& window);
void on_list_double_clicked(gui::Window& window);

}  // namespace trakvel
