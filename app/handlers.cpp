#include "app/handlers.h"

#include "app/batch.h"
#include "app/list_commands.h"
#include "app/startup.h"

namespace trakvel {

gui::HandlerTable main_window_handlers() {
  return {
      {"prepare_main_window", prepare_main_window},
      {"on_query_clicked", on_query_clicked},
      {"on_import_query_selected", on_import_query_selected},
      {"on_copy_row_selected", on_copy_row_selected},
      {"on_save_all_selected", on_save_all_selected},
      {"on_list_right_clicked", on_list_right_clicked},
      {"on_list_clicked", on_list_clicked},
      {"on_list_double_clicked", on_list_double_clicked},
  };
}

}  // namespace trakvel
