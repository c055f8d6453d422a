// The window's commands on the real Win32 window, in this process, against the
// stand-in of the tracking service: what a user clicks, and the dialogs answered
// as a user would answer them (needs a display).
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <thread>

#include "app_fixture.h"
#include "gui/window_win.h"
#include "resources/main_window.h"
#include "standin/server.h"
#include "support/win32_windows.h"
#include "test_text.h"

namespace trakvel {
namespace {

using gui::Role;
using test::find_own_window;
using test::gbk;
using test::window_text;

// One thing a user does with what the program shows next.
struct Step {
  enum Kind { choose_command, press_button, give_path } kind;
  int value = 0;  // the command's place in the menu (1-based), or the button
  Text path;
};
Step choose(int command) {
  return {Step::choose_command, command, {}};
}
Step press(int button) {
  return {Step::press_button, button, {}};
}
Step give(Text path) {
  return {Step::give_path, IDOK, std::move(path)};
}

// Does the steps in turn on another thread, while the window thread is busy in a
// menu, a dialog or a handler; keeps the text of each message box it answered.
class User {
 public:
  explicit User(std::vector<Step> steps)
      : thread_([this, steps] {
          for (const Step& step : steps) {
            if (!take(step)) return;
          }
        }) {}
  ~User() {
    if (thread_.joinable()) thread_.join();
  }
  std::vector<Text> message_texts() {
    if (thread_.joinable()) thread_.join();
    return texts_;
  }

 private:
  bool take(const Step& step) {
    const char* window_class = step.kind == Step::choose_command ? "#32768" : "#32770";
    for (int i = 0; i < 400; ++i, Sleep(50)) {
      HWND shown = find_own_window(window_class);
      if (!shown || shown == last_) continue;
      last_ = shown;
      act(shown, step);
      for (int j = 0; j < 200 && IsWindow(shown) && IsWindowVisible(shown); ++j) Sleep(20);
      return true;
    }
    return false;
  }

  void act(HWND shown, const Step& step) {
    switch (step.kind) {
      case Step::choose_command:
        for (int k = 0; k < step.value; ++k) PostMessageA(shown, WM_KEYDOWN, VK_DOWN, 0);
        PostMessageA(shown, WM_KEYDOWN, VK_RETURN, 0);
        return;
      case Step::give_path: {
        HWND name = GetDlgItem(shown, 0x47C);  // the file name combo box
        if (!name) name = GetDlgItem(shown, 0x480);
        SetWindowTextA(name, step.path.c_str());
        break;
      }
      case Step::press_button:
        texts_.push_back(window_text(GetDlgItem(shown, 0xFFFF)));
        break;
    }
    PostMessageA(shown, WM_COMMAND, step.value, 0);
  }

  std::vector<Text> texts_;
  HWND last_ = nullptr;
  std::thread thread_;
};

Text temp_path(const char* name) {
  char temp[MAX_PATH];
  GetTempPathA(sizeof temp, temp);
  return Text(temp) + "trakvel-" + std::to_string(GetCurrentProcessId()) + "-" + name;
}

std::string file_content(const Text& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream content;
  content << in.rdbuf();
  return content.str();
}

class MainWindowWin32 : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(service.start({}));
    test::use_standin(service);
    gui::HandlerTable handlers = main_window_handlers();
    handlers.erase("prepare_main_window");  // the skin is the program's business
    window = gui::create_win32_window(main_window_description(), handlers);
    ASSERT_NE(window, nullptr);
    SetWindowTextA(control(Role::delay_box), "0");
  }
  void TearDown() override {
    window.reset();
    MSG quit;
    PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
  }

  HWND control(Role role) { return gui::control_handle(*window, role); }

  // The number box filled and the query button pressed; the completion answered.
  void query(const char* numbers) {
    SetWindowTextA(control(Role::number_box), numbers);
    User user({press(IDOK)});
    SendMessageA(control(Role::query_button), BM_CLICK, 0, 0);
    EXPECT_EQ(user.message_texts(), std::vector<Text>{gbk("快递单号查询完毕，感谢您的使用！")});
  }

  // The middle of the row's number cell, in the list's client coordinates.
  LPARAM point_in_row(int row) {
    RECT cell = {};
    cell.top = 2;
    cell.left = LVIR_BOUNDS;
    SendMessageA(control(Role::result_list), LVM_GETSUBITEMRECT, row,
                 reinterpret_cast<LPARAM>(&cell));
    return MAKELPARAM((cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2);
  }

  // A press of the left button on the row: the list selects it and reports the click.
  void click_row(int row, bool twice = false) {
    HWND list = control(Role::result_list);
    const LPARAM inside = point_in_row(row);
    SendMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, inside);
    SendMessageA(list, WM_LBUTTONUP, 0, inside);
    if (!twice) return;
    SendMessageA(list, WM_LBUTTONDBLCLK, MK_LBUTTON, inside);
    SendMessageA(list, WM_LBUTTONUP, 0, inside);
  }

  // A right click on the list (on a row, which keeps it selected), which opens the
  // popup menu; the user does the rest.
  void right_click_list(LPARAM at = MAKELPARAM(400, 300)) {
    HWND list = control(Role::result_list);
    // The list follows a right press until its release: the release is already waiting.
    PostMessageA(list, WM_RBUTTONUP, 0, at);
    SendMessageA(list, WM_RBUTTONDOWN, MK_RBUTTON, at);
    window->wait_handling_messages(100);
  }

  standin::Server service;
  std::unique_ptr<gui::Window> window;
};

TEST_F(MainWindowWin32, QueryButtonFillsTheListAndAnnouncesTheEnd) {
  query("YT1000000001\r\nEMS4000000004");
  ASSERT_EQ(window->list_row_count(), 2);
  EXPECT_EQ(window->list_cell(0, 3), gbk("圆通速递"));
  EXPECT_EQ(window->list_cell(0, 5), gbk("已签收"));
  EXPECT_EQ(window->list_cell(1, 5), gbk("单号无结果！"));
  EXPECT_TRUE(IsWindowEnabled(control(Role::query_button)));
}

TEST_F(MainWindowWin32, ImportCommandLooksUpTheChosenFile) {
  const Text path = temp_path("import.txt");
  std::ofstream(path, std::ios::binary) << "ZT2000000002\nSF3000000003\n";
  User user({choose(1), give(path), press(IDOK)});
  right_click_list();
  EXPECT_EQ(user.message_texts(), std::vector<Text>{gbk("快递单号查询完毕，感谢您的使用！")});
  ASSERT_EQ(window->list_row_count(), 2);
  EXPECT_EQ(window->list_cell(0, 5), gbk("派件中"));
  EXPECT_EQ(window->list_cell(1, 2), "SF3000000003");
  DeleteFileA(path.c_str());
}

TEST_F(MainWindowWin32, CopyRowPutsItOnTheClipboard) {
  query("YT1000000001");
  click_row(0);
  User user({choose(2)});
  right_click_list(point_in_row(0));
  user.message_texts();
  ASSERT_TRUE(OpenClipboard(nullptr));
  Text text;
  if (HANDLE data = GetClipboardData(CF_TEXT)) {
    text = static_cast<const char*>(GlobalLock(data));
    GlobalUnlock(data);
  }
  CloseClipboard();
  EXPECT_EQ(text.substr(0, 10), gbk("查询时间："));
  EXPECT_NE(text.find(gbk("  快递单号：YT1000000001  快递公司：圆通速递")), npos);
}

TEST_F(MainWindowWin32, SaveAllWritesTheChosenFile) {
  query("YT1000000001");
  const Text path = temp_path("saved.txt");
  User user({choose(3), press(IDOK), give(path), press(IDOK)});
  right_click_list();
  EXPECT_EQ(user.message_texts(), (std::vector<Text>{gbk("请问：是否保存？"), gbk("保存成功！")}));
  const std::string saved = file_content(path);
  EXPECT_EQ(saved.substr(0, 3), "1  ");
  EXPECT_TRUE(saved.ends_with(gbk("已签收  \r\n")));
  DeleteFileA(path.c_str());
}

// Last: the balloon it leaves on the screen would stand in the way of the menu.
TEST_F(MainWindowWin32, ClickFillsTheTraceBoxAndDoubleClickShowsIt) {
  query("EMS4000000004\r\nYT1000000001");
  click_row(1);
  const Text trace = window_text(control(Role::trace_box));
  EXPECT_TRUE(trace.starts_with(gbk("快递单号：YT1000000001   快递公司：圆通速递")));
  EXPECT_NE(trace.find(gbk("【上海市】已签收，签收人：本人，感谢使用圆通速递")), npos);
  EXPECT_FALSE(IsWindowVisible(control(Role::trace_box)));

  click_row(1, true);
  EXPECT_EQ(window_text(control(Role::trace_box)), trace);
  EXPECT_NE(find_own_window("TrakvelBalloon"), nullptr);
}

}  // namespace
}  // namespace trakvel
