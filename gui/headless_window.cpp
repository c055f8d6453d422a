#include "gui/headless_window.h"

#include <algorithm>
#include <chrono>
#include <future>

namespace trakvel::gui {

std::unique_ptr<HeadlessWindow> HeadlessWindow::create(const WindowDescription& description,
                                                       HandlerTable handlers) {
  std::unique_ptr<HeadlessWindow> window(new HeadlessWindow(description, std::move(handlers)));
  window->fire(Role::main_window, Event::created);
  return window;
}

HeadlessWindow::HeadlessWindow(const WindowDescription& description, HandlerTable handlers)
    : description_(description),
      handlers_(std::move(handlers)),
      window_thread_(std::this_thread::get_id()) {
  controls_[Role::main_window] = {description.title, true, true};
  for (const auto& c : description.controls) controls_[c.role] = {c.text, true, c.visible};
  for (const auto& command : description.menu) controls_[command.role] = {command.text, true, true};
}

template <class F>
auto HeadlessWindow::on_window_thread(F f) -> decltype(f()) {
  if (std::this_thread::get_id() == window_thread_) return f();
  using R = decltype(f());
  std::packaged_task<R()> task(std::move(f));
  auto result = task.get_future();
  call([&task] { task(); });
  return result.get();
}

void HeadlessWindow::call(const std::function<void()>& f) {
  std::promise<void> done;
  auto finished = done.get_future();
  {
    std::lock_guard lock(mutex_);
    queue_.push_back([&] {
      f();
      done.set_value();
    });
  }
  queue_changed_.notify_all();
  finished.wait();
}

bool HeadlessWindow::run_one_queued() {
  std::function<void()> next;
  {
    std::lock_guard lock(mutex_);
    if (queue_.empty()) return false;
    next = std::move(queue_.front());
    queue_.pop_front();
  }
  next();
  return true;
}

HeadlessWindow::ControlState& HeadlessWindow::state(Role control) {
  return controls_[control];
}

Text HeadlessWindow::text(Role control) {
  return on_window_thread([&] { return state(control).text; });
}

void HeadlessWindow::set_text(Role control, std::string_view text) {
  // As a Win32 control takes it: the text ends at its first zero byte.
  text = text.substr(0, text.find('\0'));
  on_window_thread([&] { state(control).text = Text(text); });
}

void HeadlessWindow::append_text(Role control, std::string_view text) {
  on_window_thread([&] { state(control).text += text; });
}

void HeadlessWindow::set_enabled(Role control, bool enabled) {
  on_window_thread([&] { state(control).enabled = enabled; });
}

bool HeadlessWindow::is_enabled(Role control) {
  return on_window_thread([&] { return state(control).enabled; });
}

bool HeadlessWindow::is_visible(Role control) {
  return on_window_thread([&] { return state(control).visible; });
}

void HeadlessWindow::list_delete_all() {
  on_window_thread([&] {
    rows_.clear();
    selected_row_ = -1;
  });
}

int HeadlessWindow::list_append_row() {
  return on_window_thread([&] {
    rows_.emplace_back(description_.columns.size());
    return static_cast<int>(rows_.size()) - 1;
  });
}

void HeadlessWindow::list_set_cell(int row, int column, std::string_view text) {
  on_window_thread([&] {
    if (row < 0 || row >= static_cast<int>(rows_.size())) return;
    if (column < 0 || column >= static_cast<int>(rows_[row].size())) return;
    rows_[row][column] = Text(text);
  });
}

Text HeadlessWindow::list_cell(int row, int column) {
  return on_window_thread([&] {
    if (row < 0 || row >= static_cast<int>(rows_.size())) return Text();
    if (column < 0 || column >= static_cast<int>(rows_[row].size())) return Text();
    return rows_[row][column];
  });
}

int HeadlessWindow::list_row_count() {
  return on_window_thread([&] { return static_cast<int>(rows_.size()); });
}

int HeadlessWindow::list_column_count() {
  return static_cast<int>(description_.columns.size());
}

int HeadlessWindow::list_selected_row() {
  return on_window_thread([&] { return selected_row_; });
}

void HeadlessWindow::show_balloon(Point screen_point, std::string_view text) {
  on_window_thread([&] { balloon_ = Balloon{screen_point, Text(text)}; });
}

void HeadlessWindow::show_popup_menu() {
  on_window_thread([&] { popup_ = Point{cursor_.x + 3, cursor_.y + 3}; });
}

FileDialog& HeadlessWindow::file_dialog(Role dialog) {
  return on_window_thread([&]() -> FileDialog& { return dialogs_[dialog]; });
}

bool HeadlessWindow::show_file_dialog(Role dialog) {
  return on_window_thread([&] {
    FileDialog& settings = dialogs_[dialog];
    dialogs_shown_.push_back(settings);
    auto chosen = dialog_responder_ ? dialog_responder_(settings) : std::nullopt;
    if (!chosen) return false;
    settings.file_name = *chosen;
    return true;
  });
}

Answer HeadlessWindow::message_box(const Message& message) {
  return on_window_thread([&] {
    messages_.push_back(message);
    return message_responder_ ? message_responder_(message) : Answer::ok;
  });
}

void HeadlessWindow::set_clipboard_text(std::string_view text) {
  on_window_thread([&] { clipboard_ = Text(text); });
}

Point HeadlessWindow::cursor_position() {
  return on_window_thread([&] { return cursor_; });
}

void HeadlessWindow::show_progress(int done, int total) {
  on_window_thread([&] { progress_.push_back({done, total}); });
}

void HeadlessWindow::begin_handling() {
  if (handling_depth_++ > 0 || handling_ended_ == std::chrono::steady_clock::time_point{}) return;
  longest_unhandled_ =
      std::max(longest_unhandled_,
               std::chrono::nanoseconds(std::chrono::steady_clock::now() - handling_ended_));
}

void HeadlessWindow::end_handling() {
  if (--handling_depth_ == 0) handling_ended_ = std::chrono::steady_clock::now();
}

void HeadlessWindow::pump_waiting_messages() {
  begin_handling();
  while (run_one_queued()) {
  }
  end_handling();
}

void HeadlessWindow::wait_handling_messages(int ms) {
  begin_handling();
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
  for (;;) {
    pump_waiting_messages();
    std::unique_lock lock(mutex_);
    if (!queue_changed_.wait_until(lock, end, [&] { return !queue_.empty(); })) break;
  }
  end_handling();
}

void HeadlessWindow::run_message_loop() {
  for (;;) {
    pump_waiting_messages();
    std::unique_lock lock(mutex_);
    queue_changed_.wait(lock, [&] { return closed_ || !queue_.empty(); });
    if (closed_ && queue_.empty()) return;
  }
}

void HeadlessWindow::close() {
  on_window_thread([&] {
    run_wired_handler(*this, description_, handlers_, Role::main_window, Event::destroying);
  });
  {
    std::lock_guard lock(mutex_);
    closed_ = true;
  }
  queue_changed_.notify_all();
}

bool HeadlessWindow::closed() {
  std::lock_guard lock(mutex_);
  return closed_;
}

void HeadlessWindow::fire(Role control, Event event) {
  on_window_thread([&] { run_wired_handler(*this, description_, handlers_, control, event); });
}

void HeadlessWindow::select_row(int row) {
  on_window_thread([&] { selected_row_ = row < static_cast<int>(rows_.size()) ? row : -1; });
}

void HeadlessWindow::set_cursor_position(Point point) {
  on_window_thread([&] { cursor_ = point; });
}

void HeadlessWindow::set_message_responder(MessageResponder responder) {
  on_window_thread([&] { message_responder_ = std::move(responder); });
}

void HeadlessWindow::set_dialog_responder(DialogResponder responder) {
  on_window_thread([&] { dialog_responder_ = std::move(responder); });
}

std::vector<Message> HeadlessWindow::messages_shown() {
  return on_window_thread([&] { return messages_; });
}

std::vector<FileDialog> HeadlessWindow::dialogs_shown() {
  return on_window_thread([&] { return dialogs_shown_; });
}

std::optional<HeadlessWindow::Balloon> HeadlessWindow::balloon_shown() {
  return on_window_thread([&] { return balloon_; });
}

std::optional<Point> HeadlessWindow::popup_menu_shown() {
  return on_window_thread([&] { return popup_; });
}

Text HeadlessWindow::clipboard_text() {
  return on_window_thread([&] { return clipboard_; });
}

std::vector<HeadlessWindow::Progress> HeadlessWindow::progress_shown() {
  return on_window_thread([&] { return progress_; });
}

Column HeadlessWindow::column(int index) {
  return description_.columns.at(index);
}

}  // namespace trakvel::gui
