#include "gui/window_win.h"

#include <commctrl.h>
#include <commdlg.h>

#include <map>
#include <vector>

#include "gui/balloon_win.h"
#include "gui/file_dialog.h"
#include "gui/fonts_win.h"
#include "gui/scoped_win.h"
#include "gui/taskbar_win.h"

namespace trakvel::gui {
namespace {

constexpr char kClassName[] = "TrakvelMainWindow";
// lParam: a std::function<void()>* that the window thread runs.
constexpr UINT kRunCall = WM_APP + 1;
constexpr int kFirstControlId = 100;

DWORD style_of(const Control& c) {
  DWORD style = WS_CHILD | (c.visible ? WS_VISIBLE : 0) | ((c.style & kFocusStop) ? WS_TABSTOP : 0);
  switch (c.kind) {
    case Kind::text_box:
      style |= ES_LEFT;
      if (c.style & kMultiLine) style |= ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN;
      if (c.style & kAutoHScroll) style |= ES_AUTOHSCROLL;
      return style;
    case Kind::group_box:
      return style | BS_GROUPBOX;
    case Kind::button:
      return style | BS_PUSHBUTTON | BS_CENTER | BS_VCENTER | BS_MULTILINE;
    case Kind::label:
      return style | SS_LEFT | ((c.style & kVCenter) ? SS_CENTERIMAGE : 0);
    case Kind::list_view:
      return style | LVS_REPORT;
    default:
      return style;
  }
}

DWORD ex_style_of(const Control& c) {
  DWORD ex = (c.style & kSunken) ? WS_EX_CLIENTEDGE : 0;
  if (c.kind == Kind::group_box) ex |= WS_EX_CONTROLPARENT;
  return ex;
}

const char* class_of(Kind kind) {
  switch (kind) {
    case Kind::text_box:
      return "EDIT";
    case Kind::group_box:
    case Kind::button:
      return "BUTTON";
    case Kind::label:
      return "STATIC";
    case Kind::list_view:
      return WC_LISTVIEWA;
    default:
      return nullptr;  // no window of its own
  }
}

Text window_text(HWND window) {
  Text text(GetWindowTextLengthA(window) + 1, '\0');
  text.resize(GetWindowTextA(window, text.data(), static_cast<int>(text.size())));
  return text;
}

class Win32Window final : public Window {
 public:
  Win32Window(const WindowDescription& description, HandlerTable handlers)
      : description_(description), handlers_(std::move(handlers)) {}
  ~Win32Window() override {
    if (IsWindow(window_)) DestroyWindow(window_);
  }

  bool create();
  HWND handle() const { return window_; }
  HWND control(Role role) const {
    auto found = controls_.find(role);
    return found == controls_.end() ? nullptr : found->second;
  }

  Text text(Role role) override {
    return call([&] {
      if (menu_command(role)) {
        char text[256] = "";
        GetMenuStringA(popup_.get(), command_id(role), text, sizeof text, MF_BYCOMMAND);
        return Text(text);
      }
      return window_text(role == Role::main_window ? window_ : control(role));
    });
  }
  void set_text(Role role, std::string_view text) override {
    call([&] { SetWindowTextA(control(role), Text(text).c_str()); });
  }
  void append_text(Role role, std::string_view text) override {
    call([&] {
      HWND box = control(role);
      const int end = GetWindowTextLengthA(box);
      SendMessageA(box, EM_SETSEL, end, end);
      SendMessageA(box, EM_SCROLLCARET, 0, 0);
      SendMessageA(box, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(Text(text).c_str()));
    });
  }
  void set_enabled(Role role, bool enabled) override {
    call([&] {
      if (menu_command(role))
        EnableMenuItem(popup_.get(), command_id(role),
                       MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
      else
        EnableWindow(control(role), enabled);
    });
  }
  bool is_enabled(Role role) override {
    return call([&] {
      if (menu_command(role))
        return !(GetMenuState(popup_.get(), command_id(role), MF_BYCOMMAND) & MF_GRAYED);
      return IsWindowEnabled(role == Role::main_window ? window_ : control(role)) != FALSE;
    });
  }
  bool is_visible(Role role) override {
    return call([&] {
      if (menu_command(role)) return true;
      return IsWindowVisible(role == Role::main_window ? window_ : control(role)) != FALSE;
    });
  }

  void list_delete_all() override {
    call([&] { ListView_DeleteAllItems(list()); });
  }
  int list_append_row() override {
    return call([&] {
      LVITEMA item = {};
      item.mask = LVIF_TEXT;
      item.iItem = ListView_GetItemCount(list());
      item.pszText = const_cast<char*>("");
      return static_cast<int>(
          SendMessageA(list(), LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
    });
  }
  void list_set_cell(int row, int column, std::string_view text) override {
    call([&] {
      Text copy(text);
      LVITEMA item = {};
      item.iSubItem = column;
      item.pszText = copy.data();
      SendMessageA(list(), LVM_SETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
    });
  }
  Text list_cell(int row, int column) override {
    return call([&] {
      if (row < 0 || row >= ListView_GetItemCount(list())) return Text();
      if (column < 0 || column >= column_count()) return Text();
      // The list copies at most the buffer's size: grow until the text fits.
      for (int size = 256;; size *= 4) {
        Text text(size, '\0');
        LVITEMA item = {};
        item.iSubItem = column;
        item.pszText = text.data();
        item.cchTextMax = size;
        const auto length =
            SendMessageA(list(), LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
        if (length < size - 1) {
          text.resize(length);
          return text;
        }
      }
    });
  }
  int list_row_count() override {
    return call([&] { return ListView_GetItemCount(list()); });
  }
  int list_column_count() override {
    return call([&] { return column_count(); });
  }
  int list_selected_row() override {
    return call([&] { return ListView_GetNextItem(list(), -1, LVNI_SELECTED); });
  }

  void show_balloon(Point at, std::string_view text) override {
    call([&] { balloon_.show(window_, at, text); });
  }
  void show_popup_menu() override {
    call([&] {
      POINT pointer = {};
      GetCursorPos(&pointer);
      // Without the foreground the menu would stay open after a click elsewhere.
      SetForegroundWindow(window_);
      TrackPopupMenuEx(popup_.get(), TPM_RIGHTBUTTON | TPM_LEFTALIGN | TPM_TOPALIGN, pointer.x + 3,
                       pointer.y + 3, window_, nullptr);
      PostMessageA(window_, WM_NULL, 0, 0);
    });
  }

  FileDialog& file_dialog(Role dialog) override { return dialogs_[dialog]; }
  bool show_file_dialog(Role dialog) override {
    return call([&] { return run_file_dialog(dialogs_[dialog]); });
  }

  Answer message_box(const Message& message) override {
    UINT type = MB_TASKMODAL | (message.buttons == Buttons::ok_cancel ? MB_OKCANCEL : MB_OK);
    if (message.icon == Icon::information) type |= MB_ICONINFORMATION;
    const int pressed =
        MessageBoxA(nullptr, message.text.c_str(), caption_of(message).c_str(), type);
    return pressed == IDOK ? Answer::ok : Answer::cancel;
  }

  void set_clipboard_text(std::string_view text) override {
    call([&] {
      if (!OpenClipboard(window_)) return;
      EmptyClipboard();
      if (HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1)) {
        char* bytes = static_cast<char*>(GlobalLock(memory));
        memcpy(bytes, text.data(), text.size());
        bytes[text.size()] = '\0';
        GlobalUnlock(memory);
        if (!SetClipboardData(CF_TEXT, memory)) GlobalFree(memory);
      }
      CloseClipboard();
    });
  }
  Point cursor_position() override {
    POINT pointer = {};
    GetCursorPos(&pointer);
    return {pointer.x, pointer.y};
  }
  void show_progress(int done, int total) override {
    call([&] { taskbar_.show(window_, done, total); });
  }

  void pump_waiting_messages() override {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (message.message == WM_QUIT) {
        PostQuitMessage(static_cast<int>(message.wParam));  // for the message loop
        return;
      }
      dispatch(message);
    }
  }
  void wait_handling_messages(int ms) override {
    const DWORD start = GetTickCount();
    for (;;) {
      pump_waiting_messages();
      const DWORD passed = GetTickCount() - start;
      if (passed > static_cast<DWORD>(ms)) return;
      MsgWaitForMultipleObjects(0, nullptr, FALSE, ms - passed + 1, QS_ALLINPUT);
    }
  }
  void run_message_loop() override {
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) dispatch(message);
  }
  void close() override { SendMessageA(window_, WM_CLOSE, 0, 0); }

 private:
  static LRESULT CALLBACK proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
  static LRESULT CALLBACK forward_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam,
                                       UINT_PTR, DWORD_PTR main);
  static LRESULT CALLBACK list_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam,
                                    UINT_PTR, DWORD_PTR self);
  LRESULT handle(UINT message, WPARAM wparam, LPARAM lparam);
  void create_control(const Control& c, int id);
  void on_command(int id, int code);
  void fire(Role role, Event event) {
    run_wired_handler(*this, description_, handlers_, role, event);
  }
  bool run_file_dialog(FileDialog& dialog);
  void dispatch(MSG& message) {
    // Tab moves between the controls; Esc and Enter arrive as IDCANCEL and IDOK,
    // which the window ignores.
    if (IsDialogMessageA(window_, &message)) return;
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }

  // Carried out by the window thread; a call from another thread waits for it.
  template <class F>
  auto call(F f) -> decltype(f()) {
    using R = decltype(f());
    if constexpr (std::is_void_v<R>) {
      std::function<void()> run = f;
      SendMessageA(window_, kRunCall, 0, reinterpret_cast<LPARAM>(&run));
    } else {
      R result{};
      std::function<void()> run = [&] { result = f(); };
      SendMessageA(window_, kRunCall, 0, reinterpret_cast<LPARAM>(&run));
      return result;
    }
  }

  HWND list() const { return control(Role::result_list); }
  int column_count() const { return Header_GetItemCount(ListView_GetHeader(list())); }
  const MenuCommand* menu_command(Role role) const {
    for (const auto& command : description_.menu)
      if (command.role == role) return &command;
    return nullptr;
  }
  int command_id(Role role) const { return ids_.at(role); }

  const WindowDescription& description_;
  HandlerTable handlers_;
  HWND window_ = nullptr;
  std::map<Role, HWND> controls_;
  std::map<Role, int> ids_;
  std::vector<win::ScopedFont> fonts_;
  win::ScopedMenu popup_;
  std::map<Role, FileDialog> dialogs_;
  BalloonTip balloon_;
  TaskbarProgress taskbar_;
};

bool Win32Window::create() {
  static const bool registered = [] {
    WNDCLASSEXA window_class = {};
    window_class.cbSize = sizeof(window_class);
    window_class.lpfnWndProc = proc;
    window_class.hInstance = GetModuleHandleA(nullptr);
    window_class.hCursor = LoadCursor(nullptr, IDC_ARROW);
    window_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    window_class.lpszClassName = kClassName;
    return RegisterClassExA(&window_class) != 0;
  }();
  if (!registered) return false;
  INITCOMMONCONTROLSEX common = {sizeof(common), ICC_LISTVIEW_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&common);

  // Centred whatever the stored place says.
  const Size size = description_.outer_size;
  const int x = (GetSystemMetrics(SM_CXSCREEN) - size.width) / 2;
  const int y = (GetSystemMetrics(SM_CYSCREEN) - size.height) / 2;
  CreateWindowExA(WS_EX_APPWINDOW | WS_EX_CONTROLPARENT, kClassName, description_.title.c_str(),
                  WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN, x, y,
                  size.width, size.height, nullptr, nullptr, GetModuleHandleA(nullptr), this);
  if (!window_) return false;
  SendMessageA(window_, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)),
               FALSE);

  popup_.reset(CreatePopupMenu());
  int id = kFirstControlId;
  for (const auto& c : description_.controls) create_control(c, id++);
  for (const auto& command : description_.menu) {
    ids_[command.role] = id;
    AppendMenuA(popup_.get(), MF_STRING, id++, command.text.c_str());
  }

  fire(Role::main_window, Event::created);
  ShowWindow(window_, SW_SHOWNORMAL);
  UpdateWindow(window_);
  return true;
}

void Win32Window::create_control(const Control& c, int id) {
  ids_[c.role] = id;
  const char* window_class = class_of(c.kind);
  if (!window_class) return;
  HWND parent = c.parent == Role::main_window ? window_ : control(c.parent);
  HWND child = CreateWindowExA(ex_style_of(c), window_class, c.text.c_str(), style_of(c), c.place.x,
                               c.place.y, c.size.width, c.size.height, parent,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                               GetModuleHandleA(nullptr), nullptr);
  controls_[c.role] = child;

  HGDIOBJ font = GetStockObject(DEFAULT_GUI_FONT);
  if (!c.font.face.empty()) {
    fonts_.push_back(create_font(c.font));
    font = fonts_.back().get();
  }
  SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);

  // No length limit: appends to the trace box must never be cut short.
  if (c.kind == Kind::text_box) SendMessageA(child, EM_LIMITTEXT, 0, 0);
  // Notifications of the controls inside the group box go to its parent, the window.
  if (c.kind == Kind::group_box)
    SetWindowSubclass(child, forward_proc, 0, reinterpret_cast<DWORD_PTR>(window_));
  if (c.kind == Kind::list_view) {
    DWORD ex = 0;
    if (c.style & kFullRowSelect) ex |= LVS_EX_FULLROWSELECT;
    if (c.style & kGridLines) ex |= LVS_EX_GRIDLINES;
    if (c.style & kInfoTip) ex |= LVS_EX_INFOTIP;
    ListView_SetExtendedListViewStyle(child, ex);
    int index = 0;
    for (const auto& column : description_.columns) {
      Text title = column.title;
      LVCOLUMNA lvc = {};
      lvc.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT;
      lvc.fmt = LVCFMT_LEFT;
      lvc.cx = column.width;
      lvc.pszText = title.data();
      SendMessageA(child, LVM_INSERTCOLUMNA, index++, reinterpret_cast<LPARAM>(&lvc));
    }
    SetWindowSubclass(child, list_proc, 0, reinterpret_cast<DWORD_PTR>(this));
  }
}

LRESULT CALLBACK Win32Window::proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  auto* self = reinterpret_cast<Win32Window*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (message == WM_NCCREATE) {
    self = static_cast<Win32Window*>(reinterpret_cast<CREATESTRUCTA*>(lparam)->lpCreateParams);
    self->window_ = window;
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  if (!self) return DefWindowProcA(window, message, wparam, lparam);
  return self->handle(message, wparam, lparam);
}

LRESULT CALLBACK Win32Window::forward_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam,
                                           UINT_PTR, DWORD_PTR main) {
  switch (message) {
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORBTN:
      return SendMessageA(reinterpret_cast<HWND>(main), message, wparam, lparam);
  }
  return DefSubclassProc(window, message, wparam, lparam);
}

// The double click reaches its handler before the list itself handles it.
LRESULT CALLBACK Win32Window::list_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam,
                                        UINT_PTR, DWORD_PTR self) {
  if (message == WM_LBUTTONDBLCLK)
    reinterpret_cast<Win32Window*>(self)->fire(Role::result_list, Event::list_double_clicked);
  return DefSubclassProc(window, message, wparam, lparam);
}

LRESULT Win32Window::handle(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case kRunCall:
      (*reinterpret_cast<std::function<void()>*>(lparam))();
      return 0;
    case WM_COMMAND:
      on_command(LOWORD(wparam), HIWORD(wparam));
      return 0;
    case WM_NOTIFY: {
      const auto* header = reinterpret_cast<const NMHDR*>(lparam);
      if (header->hwndFrom == list() && header->code == NM_CLICK)
        fire(Role::result_list, Event::list_clicked);
      else if (header->hwndFrom == list() && header->code == NM_RCLICK)
        fire(Role::result_list, Event::list_right_clicked);
      return 0;
    }
    case WM_CTLCOLORSTATIC: {
      const Control* label = description_.control(Role::delay_label);
      if (label && reinterpret_cast<HWND>(lparam) == control(Role::delay_label) &&
          (label->style & kTransparent)) {
        SetBkMode(reinterpret_cast<HDC>(wparam), TRANSPARENT);
        return reinterpret_cast<LRESULT>(GetStockObject(HOLLOW_BRUSH));
      }
      break;
    }
    case WM_CLOSE:
      DestroyWindow(window_);
      return 0;
    case WM_DESTROY:
      fire(Role::main_window, Event::destroying);
      PostQuitMessage(0);
      return 0;
  }
  return DefWindowProcA(window_, message, wparam, lparam);
}

void Win32Window::on_command(int id, int code) {
  for (const auto& [role, role_id] : ids_) {
    if (role_id != id) continue;
    if (role == Role::query_button && code == BN_CLICKED) fire(role, Event::clicked);
    if (menu_command(role)) fire(role, Event::selected);
  }
  // IDOK and IDCANCEL (Enter and Esc) match no control: nothing happens.
}

bool Win32Window::run_file_dialog(FileDialog& dialog) {
  Text filter;
  if (!dialog.filter.empty()) {
    filter = terminated_filter(dialog.filter);
    for (char& c : filter)
      if (c == '|') c = '\0';
  }
  Text file(MAX_PATH * 4, '\0');
  dialog.file_name.copy(file.data(), file.size() - 1);
  OPENFILENAMEA ofn = {};
  ofn.lStructSize = sizeof(ofn);
  ofn.hwndOwner = window_;
  ofn.lpstrFilter = filter.empty() ? nullptr : filter.c_str();
  ofn.lpstrFile = file.data();
  ofn.nMaxFile = static_cast<DWORD>(file.size());
  ofn.lpstrDefExt = dialog.default_ext.empty() ? nullptr : dialog.default_ext.c_str();
  ofn.Flags = OFN_EXPLORER | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY;
  const bool save = dialog.mode == DialogMode::save;
  ofn.Flags |= save ? OFN_OVERWRITEPROMPT : OFN_FILEMUSTEXIST;
  if (!(save ? GetSaveFileNameA(&ofn) : GetOpenFileNameA(&ofn))) return false;
  dialog.file_name = file.c_str();
  return true;
}

}  // namespace

std::unique_ptr<Window> create_win32_window(const WindowDescription& description,
                                            HandlerTable handlers) {
  auto window = std::make_unique<Win32Window>(description, std::move(handlers));
  if (!window->create()) return nullptr;
  return window;
}

HWND window_handle(Window& window) {
  auto* win32 = dynamic_cast<Win32Window*>(&window);
  return win32 ? win32->handle() : nullptr;
}

HWND control_handle(Window& window, Role control) {
  auto* win32 = dynamic_cast<Win32Window*>(&window);
  return win32 ? win32->control(control) : nullptr;
}

}  // namespace trakvel::gui
