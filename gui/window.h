// The window's control operations by role, as the handlers use them. Two
// backends: the Win32 window (Windows build) and the headless window (both builds).
//
// The controls belong to the window thread. A call from another thread is carried
// out by the window thread and waits until that thread handles messages.
#pragma once

#include <functional>
#include <map>
#include <optional>
#include <string>

#include "gui/description.h"
#include "text/text.h"

namespace trakvel::gui {

class Window;

// Handlers run on the window thread; they are plugged in by the names of the wiring table.
using Handler = std::function<void(Window&)>;
using HandlerTable = std::map<std::string, Handler>;

enum class Buttons { ok, ok_cancel };
enum class Icon { none, information };
enum class Answer { ok, cancel };

struct Message {
  Text text;
  std::optional<Text> caption;  // none: "信息："
  Buttons buttons = Buttons::ok;
  Icon icon = Icon::none;
};

// "信息：" in code page 936.
inline constexpr char kDefaultCaption[] = "\xD0\xC5\xCF\xA2\xA3\xBA";

inline Text caption_of(const Message& message) {
  return message.caption.value_or(kDefaultCaption);
}

enum class DialogMode { open = 0, save = 1 };

// A file dialog's settings; file_name holds the chosen path after a confirmation.
struct FileDialog {
  DialogMode mode = DialogMode::open;
  Text filter;  // pairs of description and pattern, each part followed by "|"
  Text default_ext;
  Text file_name;
};

class Window {
 public:
  virtual ~Window() = default;

  // Text boxes (and any control's caption).
  virtual Text text(Role control) = 0;
  virtual void set_text(Role control, std::string_view text) = 0;
  // Moves the caret to the end and inserts the text there.
  virtual void append_text(Role control, std::string_view text) = 0;

  // Query button and menu commands; a disabled command is greyed.
  virtual void set_enabled(Role control, bool enabled) = 0;
  virtual bool is_enabled(Role control) = 0;
  virtual bool is_visible(Role control) = 0;

  // The result list. A cell that does not exist reads as the empty text.
  virtual void list_delete_all() = 0;
  virtual int list_append_row() = 0;
  virtual void list_set_cell(int row, int column, std::string_view text) = 0;
  virtual Text list_cell(int row, int column) = 0;
  virtual int list_row_count() = 0;
  virtual int list_column_count() = 0;
  virtual int list_selected_row() = 0;  // -1: none

  virtual void show_balloon(Point screen_point, std::string_view text) = 0;
  // At the mouse pointer + (3, 3), tracking the right button; a chosen command runs its handler.
  virtual void show_popup_menu() = 0;

  virtual FileDialog& file_dialog(Role dialog) = 0;
  // Modal; true when the user confirmed, and the dialog's file_name then holds the path.
  virtual bool show_file_dialog(Role dialog) = 0;

  // No owner window, modal to the task.
  virtual Answer message_box(const Message& message) = 0;

  virtual void set_clipboard_text(std::string_view text) = 0;
  virtual Point cursor_position() = 0;

  // Progress of a batch on the taskbar button, outside the window's layout: done of
  // total; total 0 clears it.
  virtual void show_progress(int done, int total) = 0;

  // Handles the messages that are waiting, without waiting for new ones.
  virtual void pump_waiting_messages() = 0;
  // Handles messages until more than ms milliseconds have passed.
  virtual void wait_handling_messages(int ms) = 0;
  // Handles messages until the window is closed.
  virtual void run_message_loop() = 0;
  virtual void close() = 0;
};

// Runs the handler wired to a control's event, if any is wired and plugged in.
void run_wired_handler(Window& window, const WindowDescription& description,
                       const HandlerTable& handlers, Role control, Event event);

}  // namespace trakvel::gui
