// The Win32 window read back through Win32, in this process (needs a display).
#include "gui/window_win.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <optional>
#include <thread>

#include "resources/main_window.h"
#include "result_columns.h"
#include "support/win32_windows.h"
#include "test_text.h"

namespace trakvel::gui {
namespace {

RECT rect_in_parent(HWND control) {
  RECT rect;
  GetWindowRect(control, &rect);
  MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

using test::find_own_window;
using test::window_text;

class Win32MainWindow : public ::testing::Test {
 protected:
  // Every wired handler notes its name; start-up is left out, the skin is the
  // program's business (app_win_tests).
  HandlerTable noting_handlers() {
    HandlerTable handlers;
    for (const auto& w : main_window_description().wiring) {
      if (w.handler.empty() || w.handler == "prepare_main_window") continue;
      handlers[w.handler] = [this, name = w.handler](Window&) { ran.push_back(name); };
    }
    return handlers;
  }

  std::vector<std::string> ran;
  std::unique_ptr<Window> window =
      create_win32_window(main_window_description(), noting_handlers());

  // The closed window asks the thread's message loop to end; the next test's window
  // must not see that request.
  void TearDown() override {
    window.reset();
    MSG quit;
    PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
  }
  HWND main() { return window_handle(*window); }
  HWND control(Role role) { return control_handle(*window, role); }
};

TEST_F(Win32MainWindow, IsCentredWithTheDescribedFrame) {
  ASSERT_TRUE(window);
  EXPECT_EQ(window_text(main()), test::gbk("Trakvel1.0   Moxari论坛专版"));
  RECT rect;
  GetWindowRect(main(), &rect);
  EXPECT_EQ(rect.right - rect.left, 1075);
  EXPECT_EQ(rect.bottom - rect.top, 450);
  EXPECT_EQ(rect.left, (GetSystemMetrics(SM_CXSCREEN) - 1075) / 2);
  EXPECT_EQ(rect.top, (GetSystemMetrics(SM_CYSCREEN) - 450) / 2);

  const LONG_PTR style = GetWindowLongPtrA(main(), GWL_STYLE);
  EXPECT_TRUE(style & WS_MINIMIZEBOX);
  EXPECT_FALSE(style & WS_MAXIMIZEBOX);
  EXPECT_FALSE(style & WS_THICKFRAME);
  EXPECT_TRUE(IsWindowVisible(main()));
  EXPECT_EQ(GetMenu(main()), nullptr);
  EXPECT_EQ(GetClassLongPtrA(main(), GCLP_HBRBACKGROUND), COLOR_BTNFACE + 1);
}

TEST_F(Win32MainWindow, HasEveryControlInPlace) {
  struct Case {
    Role role;
    const char* window_class;
    Role parent;
    RECT place;  // left, top, right, bottom in the parent's client area
    const char* text;
    bool visible;
    int font_height;  // 0: the default GUI font
  };
  const Role W = Role::main_window, G = Role::number_group;
  const Case cases[] = {
      {Role::trace_box, "Edit", W, {288, 80, 384, 168}, "", false, 0},
      {Role::number_group, "Button", W, {4, 1, 228, 417}, "单号列表（一行一个）", true, -16},
      {Role::query_button, "Button", G, {160, 25, 220, 54}, "查询", true, -16},
      {Role::delay_label, "Static", G, {6, 27, 92, 51}, "延时(毫秒):", true, -16},
      {Role::delay_box, "Edit", G, {99, 28, 154, 52}, "300", true, -16},
      {Role::number_box, "Edit", G, {8, 64, 215, 407}, "", true, -16},
      {Role::result_list, "SysListView32", W, {232, 12, 1065, 417}, "", true, -14},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.window_class + std::string(" ") + c.text);
    HWND child = control(c.role);
    ASSERT_TRUE(child);
    char window_class[64] = "";
    GetClassNameA(child, window_class, sizeof window_class);
    EXPECT_STRCASEEQ(window_class, c.window_class);
    EXPECT_EQ(GetParent(child), c.parent == W ? main() : control(G));
    const RECT rect = rect_in_parent(child);
    EXPECT_EQ(rect.left, c.place.left);
    EXPECT_EQ(rect.top, c.place.top);
    EXPECT_EQ(rect.right, c.place.right);
    EXPECT_EQ(rect.bottom, c.place.bottom);
    EXPECT_EQ(window_text(child), test::gbk(c.text));
    EXPECT_EQ(IsWindowVisible(child) != FALSE, c.visible);
    EXPECT_TRUE(IsWindowEnabled(child));

    LOGFONTA font = {};
    GetObjectA(reinterpret_cast<HFONT>(SendMessageA(child, WM_GETFONT, 0, 0)), sizeof font, &font);
    if (c.font_height) {
      EXPECT_EQ(font.lfHeight, c.font_height);
      EXPECT_EQ(font.lfWeight, FW_NORMAL);
    }
  }
}

TEST_F(Win32MainWindow, TextBoxesAndListHaveTheirStyles) {
  const LONG_PTR number_box = GetWindowLongPtrA(control(Role::number_box), GWL_STYLE);
  EXPECT_TRUE(number_box & ES_MULTILINE);
  EXPECT_TRUE(number_box & ES_WANTRETURN);
  EXPECT_FALSE(number_box & (WS_VSCROLL | WS_HSCROLL | ES_AUTOHSCROLL));
  const LONG_PTR delay_box = GetWindowLongPtrA(control(Role::delay_box), GWL_STYLE);
  EXPECT_FALSE(delay_box & ES_MULTILINE);
  EXPECT_TRUE(delay_box & ES_AUTOHSCROLL);

  HWND list = control(Role::result_list);
  const LONG_PTR style = GetWindowLongPtrA(list, GWL_STYLE);
  EXPECT_EQ(style & LVS_TYPEMASK, LVS_REPORT);
  EXPECT_FALSE(style & (LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_NOSORTHEADER | LVS_EDITLABELS));
  EXPECT_EQ(ListView_GetExtendedListViewStyle(list),
            static_cast<DWORD>(LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES | LVS_EX_INFOTIP));
}

TEST_F(Win32MainWindow, ListHasTheColumnsAndNoRow) {
  const auto& columns = test::kResultColumns;
  HWND list = control(Role::result_list);
  EXPECT_EQ(window->list_column_count(), 6);
  for (int i = 0; i < 6; ++i) {
    char title[128] = "";
    LVCOLUMNA column = {};
    column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
    column.pszText = title;
    column.cchTextMax = sizeof title;
    ASSERT_TRUE(SendMessageA(list, LVM_GETCOLUMNA, i, reinterpret_cast<LPARAM>(&column)));
    EXPECT_EQ(Text(title), test::gbk(columns[i].first));
    EXPECT_EQ(column.cx, columns[i].second);
    EXPECT_EQ(column.fmt & LVCFMT_JUSTIFYMASK, LVCFMT_LEFT);
  }
  EXPECT_EQ(window->list_row_count(), 0);
  EXPECT_EQ(window->list_selected_row(), -1);
}

TEST_F(Win32MainWindow, ListOperationsReadBackThroughTheControl) {
  EXPECT_EQ(window->list_append_row(), 0);
  EXPECT_EQ(window->list_append_row(), 1);
  const Text long_text(1000, 'x');
  window->list_set_cell(1, 4, long_text);
  EXPECT_EQ(window->list_cell(1, 4), long_text);
  for (auto [row, column] : {std::pair{-1, 0}, {2, 0}, {0, 6}})
    EXPECT_EQ(window->list_cell(row, column), "");
  ListView_SetItemState(control(Role::result_list), 1, LVIS_SELECTED, LVIS_SELECTED);
  EXPECT_EQ(window->list_selected_row(), 1);
  window->list_delete_all();
  EXPECT_EQ(ListView_GetItemCount(control(Role::result_list)), 0);
}

TEST_F(Win32MainWindow, TextOperationsAndCommands) {
  window->set_text(Role::trace_box, "a");
  window->append_text(Role::trace_box, "b\r\nc");
  EXPECT_EQ(window_text(control(Role::trace_box)), "ab\r\nc");
  // Beyond the edit control's default limit of 32767 characters.
  Text long_text;
  while (long_text.size() < 40000) long_text += "0123456789\r\n";
  window->append_text(Role::trace_box, long_text);
  EXPECT_EQ(window->text(Role::trace_box), "ab\r\nc" + long_text);
  EXPECT_EQ(window->text(Role::import_command), test::gbk("导入查询"));
  window->set_enabled(Role::import_command, false);
  window->set_enabled(Role::query_button, false);
  EXPECT_FALSE(window->is_enabled(Role::import_command));
  EXPECT_FALSE(IsWindowEnabled(control(Role::query_button)));
  EXPECT_TRUE(window->is_enabled(Role::copy_row_command));
}

// Another thread's calls are carried out by the window thread while it handles messages.
TEST_F(Win32MainWindow, CallsFromOtherThreadsRunOnTheWindowThread) {
  std::thread writer([&] {
    const int row = window->list_append_row();
    window->list_set_cell(row, 2, "123");
    window->set_enabled(Role::query_button, false);
  });
  while (window->is_enabled(Role::query_button)) window->wait_handling_messages(10);
  writer.join();
  EXPECT_EQ(window->list_cell(0, 2), "123");
}

TEST_F(Win32MainWindow, EscAndEnterDoNothing) {
  HWND delay_box = control(Role::delay_box);
  SetFocus(delay_box);
  for (WPARAM key : {VK_ESCAPE, VK_RETURN}) {
    PostMessageA(delay_box, WM_KEYDOWN, key, 0);
    PostMessageA(delay_box, WM_KEYUP, key, 0);
  }
  window->wait_handling_messages(200);
  EXPECT_TRUE(IsWindow(main()));
  EXPECT_TRUE(IsWindowVisible(main()));
  EXPECT_EQ(GetFocus(), delay_box);
}

// Tab moves on in creation order (a multi-line box keeps its Tab, as the system's does).
TEST_F(Win32MainWindow, TabFollowsTheCreationOrder) {
  const std::pair<Role, Role> steps[] = {{Role::query_button, Role::delay_box},
                                         {Role::delay_box, Role::number_box},
                                         {Role::result_list, Role::query_button}};
  // Focus moves through the window system: give it time on a busy machine.
  const auto wait_for_focus = [&](HWND wanted) {
    for (int i = 0; i < 100 && GetFocus() != wanted; ++i) window->wait_handling_messages(20);
  };
  for (const auto& [from, to] : steps) {
    SetFocus(control(from));
    wait_for_focus(control(from));
    PostMessageA(GetFocus(), WM_KEYDOWN, VK_TAB, 0);
    wait_for_focus(control(to));
    EXPECT_EQ(GetFocus(), control(to));
  }
}

// The message box has the default caption, no owner, and answers what was clicked.
TEST_F(Win32MainWindow, MessageBoxCarriesTheDefaultCaption) {
  Text seen_text;
  HWND seen_owner = main();
  std::thread clicker([&] {
    for (int i = 0; i < 200; ++i, Sleep(50)) {
      HWND box = find_own_window("#32770", test::gbk("信息：").c_str());
      if (!box) continue;
      seen_owner = GetWindow(box, GW_OWNER);
      seen_text = window_text(GetDlgItem(box, 0xFFFF));
      SendMessageA(GetDlgItem(box, IDCANCEL), BM_CLICK, 0, 0);
      return;
    }
  });
  Message message;
  message.text = test::gbk("请问：是否保存？");
  message.buttons = Buttons::ok_cancel;
  EXPECT_EQ(window->message_box(message), Answer::cancel);
  clicker.join();
  EXPECT_EQ(seen_text, message.text);
  EXPECT_EQ(seen_owner, nullptr);
}

TEST_F(Win32MainWindow, ControlEventsRunTheirHandlers) {
  SendMessageA(control(Role::query_button), BM_CLICK, 0, 0);
  HWND list = control(Role::result_list);
  const LPARAM inside = MAKELPARAM(100, 100);
  SendMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, inside);
  SendMessageA(list, WM_LBUTTONUP, 0, inside);
  SendMessageA(list, WM_LBUTTONDBLCLK, MK_LBUTTON, inside);
  SendMessageA(list, WM_LBUTTONUP, 0, inside);
  // The list follows a right press until its release: the release is already waiting.
  PostMessageA(list, WM_RBUTTONUP, 0, inside);
  SendMessageA(list, WM_RBUTTONDOWN, MK_RBUTTON, inside);
  window->wait_handling_messages(100);
  // A double click delivers the click of its first press, then the double click.
  EXPECT_EQ(ran, (std::vector<std::string>{"on_query_clicked", "on_list_clicked",
                                           "on_list_double_clicked", "on_list_right_clicked"}));
}

// The menu opens 3 pixels right of and below the pointer; the chosen command runs.
TEST_F(Win32MainWindow, PopupMenuOpensBesideThePointer) {
  SetCursorPos(400, 300);
  RECT menu_rect = {};
  std::thread chooser([&] {
    for (int i = 0; i < 200; ++i, Sleep(50)) {
      HWND menu = find_own_window("#32768");
      if (!menu) continue;
      GetWindowRect(menu, &menu_rect);
      PostMessageA(menu, WM_KEYDOWN, VK_DOWN, 0);
      PostMessageA(menu, WM_KEYDOWN, VK_RETURN, 0);
      return;
    }
  });
  window->show_popup_menu();
  chooser.join();
  window->wait_handling_messages(100);
  EXPECT_EQ(menu_rect.left, 403);
  EXPECT_EQ(menu_rect.top, 303);
  EXPECT_EQ(ran, (std::vector<std::string>{"on_import_query_selected"}));
}

// Answers the next file dialog of this process: types the path and confirms, or cancels.
std::thread answer_file_dialog(std::optional<Text> path) {
  return std::thread([path] {
    for (int i = 0; i < 200; ++i, Sleep(50)) {
      HWND box = find_own_window("#32770");
      if (!box) continue;
      if (path) {
        HWND name = GetDlgItem(box, 0x47C);  // the file name combo box
        if (!name) name = GetDlgItem(box, 0x480);
        SetWindowTextA(name, path->c_str());
      }
      PostMessageA(box, WM_COMMAND, path ? IDOK : IDCANCEL, 0);
      return;
    }
  });
}

TEST_F(Win32MainWindow, FileDialogGivesTheConfirmedPath) {
  char temp[MAX_PATH] = "";
  GetTempPathA(sizeof temp, temp);
  const Text path = Text(temp) + "trakvel-dialog-" + std::to_string(GetCurrentProcessId()) + ".txt";
  CloseHandle(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));

  FileDialog& dialog = window->file_dialog(Role::open_dialog);
  dialog.filter = "t|*.txt|";
  dialog.file_name = "proposed";
  std::thread cancel = answer_file_dialog(std::nullopt);
  EXPECT_FALSE(window->show_file_dialog(Role::open_dialog));
  cancel.join();
  EXPECT_EQ(dialog.file_name, "proposed");

  std::thread confirm = answer_file_dialog(path);
  EXPECT_TRUE(window->show_file_dialog(Role::open_dialog));
  confirm.join();
  EXPECT_STRCASEEQ(dialog.file_name.c_str(), path.c_str());
  DeleteFileA(path.c_str());
}

TEST_F(Win32MainWindow, BalloonShowsAtThePoint) {
  window->show_balloon({300, 200}, test::gbk("<b>快递</b><br>第二行"));
  HWND balloon = find_own_window("TrakvelBalloon");
  ASSERT_TRUE(balloon);
  RECT rect;
  GetWindowRect(balloon, &rect);
  EXPECT_EQ(rect.left, 300);
  EXPECT_EQ(rect.top, 200);
  EXPECT_TRUE(IsWindowVisible(balloon));
}

// Each break of the markup adds a line: the balloon grows by it.
TEST_F(Win32MainWindow, BalloonGrowsWithTheLinesOfItsMarkup) {
  auto height_for = [&](const char* markup) {
    window->show_balloon({10, 10}, markup);
    RECT rect;
    GetWindowRect(find_own_window("TrakvelBalloon"), &rect);
    return rect.bottom - rect.top;
  };
  const int one = height_for("a");
  EXPECT_GT(height_for("a<br>b"), one);
  EXPECT_EQ(height_for("a<br>b"), height_for("a\r\nb"));
  EXPECT_EQ(height_for("a<script>b</script>"), one);
}

}  // namespace
}  // namespace trakvel::gui
