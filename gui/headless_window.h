// The window without a screen: the same controls held in memory. Message boxes and
// file dialogs are answered by responders that the caller installs, and recorded;
// tests fire the events a user would cause.
#pragma once

#include <chrono>
#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "gui/window.h"

namespace trakvel::gui {

class HeadlessWindow final : public Window {
 public:
  using MessageResponder = std::function<Answer(const Message&)>;
  // The chosen path, or none for a cancel.
  using DialogResponder = std::function<std::optional<Text>(const FileDialog&)>;

  // Builds the controls on the calling thread, which becomes the window thread, and
  // runs the created handler.
  static std::unique_ptr<HeadlessWindow> create(const WindowDescription& description,
                                                HandlerTable handlers);

  Text text(Role control) override;
  void set_text(Role control, std::string_view text) override;
  void append_text(Role control, std::string_view text) override;
  void set_enabled(Role control, bool enabled) override;
  bool is_enabled(Role control) override;
  bool is_visible(Role control) override;

  void list_delete_all() override;
  int list_append_row() override;
  void list_set_cell(int row, int column, std::string_view text) override;
  Text list_cell(int row, int column) override;
  int list_row_count() override;
  int list_column_count() override;
  int list_selected_row() override;

  void show_balloon(Point screen_point, std::string_view text) override;
  void show_popup_menu() override;
  FileDialog& file_dialog(Role dialog) override;
  bool show_file_dialog(Role dialog) override;
  Answer message_box(const Message& message) override;
  void set_clipboard_text(std::string_view text) override;
  Point cursor_position() override;
  void show_progress(int done, int total) override;

  void pump_waiting_messages() override;
  void wait_handling_messages(int ms) override;
  void run_message_loop() override;
  void close() override;

  // What a user or the system would do. Each is carried out by the window thread.
  void fire(Role control, Event event);
  void select_row(int row);  // -1: clear the selection
  void set_cursor_position(Point point);
  void set_message_responder(MessageResponder responder);
  void set_dialog_responder(DialogResponder responder);

  // What was shown.
  struct Balloon {
    Point at;
    Text text;
  };
  std::vector<Message> messages_shown();
  std::vector<FileDialog> dialogs_shown();
  std::optional<Balloon> balloon_shown();
  std::optional<Point> popup_menu_shown();  // the menu's top left corner
  struct Progress {
    int done, total;
    bool operator==(const Progress&) const = default;
  };
  std::vector<Progress> progress_shown();  // every call, in order
  Text clipboard_text();
  const WindowDescription& description() const { return description_; }
  Column column(int index);
  bool closed();

  // The longest time so far that the window thread spent between two spells of
  // handling messages, for the benchmark of the window's responsiveness.
  std::chrono::nanoseconds longest_unhandled() const { return longest_unhandled_; }

 private:
  HeadlessWindow(const WindowDescription& description, HandlerTable handlers);

  struct ControlState {
    Text text;
    bool enabled = true;
    bool visible = true;
  };

  // Runs f on the window thread: at once when called there, else queued until the
  // window thread handles messages, waiting for it.
  template <class F>
  auto on_window_thread(F f) -> decltype(f());
  void call(const std::function<void()>& f);
  bool run_one_queued();
  // Around every spell of handling messages on the window thread.
  void begin_handling();
  void end_handling();

  ControlState& state(Role control);

  const WindowDescription& description_;
  HandlerTable handlers_;
  std::thread::id window_thread_;

  std::mutex mutex_;
  std::condition_variable queue_changed_;
  std::deque<std::function<void()>> queue_;
  bool closed_ = false;

  // Touched by the window thread only.
  std::map<Role, ControlState> controls_;
  std::vector<std::vector<Text>> rows_;
  int selected_row_ = -1;
  std::map<Role, FileDialog> dialogs_;
  Point cursor_;
  MessageResponder message_responder_;
  DialogResponder dialog_responder_;
  std::vector<Message> messages_;
  std::vector<FileDialog> dialogs_shown_;
  std::optional<Balloon> balloon_;
  std::optional<Point> popup_;
  Text clipboard_;
  std::vector<Progress> progress_;
  int handling_depth_ = 0;
  std::chrono::steady_clock::time_point handling_ended_{};
  std::chrono::nanoseconds longest_unhandled_{0};
};

}  // namespace trakvel::gui
