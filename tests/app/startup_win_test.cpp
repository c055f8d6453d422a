// Trakvel.exe started in a directory of its own, watched from outside through Win32
// (needs a display).
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "gui/scoped_win.h"
#include "program_watch_win.h"
#include "test_text.h"

namespace trakvel {
namespace {

using test::test_program_dir;
using test::window_text;

// Built beside this test program's directory.
const Text kProgram = test_program_dir() + "\\..\\app\\Trakvel.exe";
const Text kLibrary = test_program_dir() + "\\..\\skin\\SkinH_EL.dll";

HWND find_child(HWND parent, const Text& text) {
  for (HWND child = FindWindowExA(parent, nullptr, nullptr, nullptr); child;
       child = FindWindowExA(parent, child, nullptr, nullptr)) {
    if (window_text(child) == text) return child;
    if (HWND inner = find_child(child, text)) return inner;
  }
  return nullptr;
}

ULONGLONG write_time(const Text& path) {
  WIN32_FILE_ATTRIBUTE_DATA data = {};
  GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data);
  return ULARGE_INTEGER{{data.ftLastWriteTime.dwLowDateTime, data.ftLastWriteTime.dwHighDateTime}}
      .QuadPart;
}

class ProgramStart : public ::testing::Test {
 protected:
  void SetUp() override {
    char temp[MAX_PATH] = "";
    GetTempPathA(sizeof temp, temp);
    dir = Text(temp) + "trakvel-start-" + std::to_string(GetCurrentProcessId()) + "-" +
          ::testing::UnitTest::GetInstance()->current_test_info()->name();
    CreateDirectoryA(dir.c_str(), nullptr);
    ASSERT_TRUE(CopyFileA(kProgram.c_str(), (dir + "\\Trakvel.exe").c_str(), FALSE)) << kProgram;
  }

  void TearDown() override {
    if (process) TerminateProcess(process.get(), 1);
    for (const char* name : {"SkinH_EL.dll", "FlatXP.she", "Trakvel.exe"}) {
      const Text path = dir + "\\" + name;
      SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
      DeleteFileA(path.c_str());
      RemoveDirectoryA(path.c_str());
    }
    RemoveDirectoryA(dir.c_str());
  }

  void start() { ASSERT_TRUE(test::start_program(dir, process, process_id)); }

  HWND wait_for_window(const char* window_class) {
    return test::wait_for_process_window(process.get(), process_id, window_class);
  }

  DWORD wait_for_exit() {
    DWORD code = STILL_ACTIVE;
    if (WaitForSingleObject(process.get(), 15000) == WAIT_OBJECT_0)
      GetExitCodeProcess(process.get(), &code);
    process.reset();
    return code;
  }

  // Starts the program, checks that its window is up in the skin, and closes it.
  void start_and_close() {
    start();
    HWND window = wait_for_window("TrakvelMainWindow");
    ASSERT_TRUE(window);
    HWND query_button = find_child(window, test::gbk("查询"));
    ASSERT_TRUE(query_button);
    // The skin library draws push buttons itself.
    EXPECT_EQ(GetWindowLongPtrA(query_button, GWL_STYLE) & BS_TYPEMASK, BS_OWNERDRAW);
    // The plain frame of start-up: the whole extended style replaced, no icon.
    EXPECT_EQ(GetWindowLongPtrA(window, GWL_EXSTYLE), 0x10101);
    EXPECT_EQ(SendMessageA(window, WM_GETICON, ICON_BIG, 0), 0);
    EXPECT_EQ(SendMessageA(window, WM_GETICON, ICON_SMALL, 0), 0);
    PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(wait_for_exit(), 0u);
  }

  Text dir;
  win::ScopedHandle process;
  DWORD process_id = 0;
};

TEST_F(ProgramStart, FirstStartWritesBothFilesHidden) {
  start_and_close();
  for (const char* name : {"SkinH_EL.dll", "FlatXP.she"}) {
    SCOPED_TRACE(name);
    // Wine reports every file as archive, whatever was set.
    EXPECT_EQ(GetFileAttributesA((dir + "\\" + name).c_str()) & ~FILE_ATTRIBUTE_ARCHIVE,
              DWORD{FILE_ATTRIBUTE_HIDDEN});
  }
  // The carried library is the one this tree built.
  WIN32_FILE_ATTRIBUTE_DATA written = {}, built = {};
  GetFileAttributesExA((dir + "\\SkinH_EL.dll").c_str(), GetFileExInfoStandard, &written);
  GetFileAttributesExA(kLibrary.c_str(), GetFileExInfoStandard, &built);
  EXPECT_GT(built.nFileSizeLow, 0u);
  EXPECT_EQ(written.nFileSizeLow, built.nFileSizeLow);
}

TEST_F(ProgramStart, SecondStartIsRefusedTheWritesAndStillAttaches) {
  start_and_close();
  const ULONGLONG library_time = write_time(dir + "\\SkinH_EL.dll");
  const ULONGLONG skin_time = write_time(dir + "\\FlatXP.she");
  Sleep(1100);  // so that a rewrite would show in the times
  start_and_close();
  EXPECT_EQ(write_time(dir + "\\SkinH_EL.dll"), library_time);
  EXPECT_EQ(write_time(dir + "\\FlatXP.she"), skin_time);
}

// Directories under both names keep the files from being written, and no such library
// is on the search path: the program says so and ends.
TEST_F(ProgramStart, WithoutTheLibraryShowsTheErrorAndEnds) {
  CreateDirectoryA((dir + "\\SkinH_EL.dll").c_str(), nullptr);
  CreateDirectoryA((dir + "\\FlatXP.she").c_str(), nullptr);
  start();
  HWND box = wait_for_window("#32770");
  ASSERT_TRUE(box);
  EXPECT_EQ(window_text(box), test::gbk("信息："));
  const Text text = window_text(GetDlgItem(box, 0xFFFF));
  EXPECT_NE(text.find("SkinH_EL.dll"), Text::npos) << text;
  EXPECT_NE(text.find("SkinH_AttachEx"), Text::npos) << text;
  SendMessageA(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
  EXPECT_EQ(wait_for_exit(), 1u);
}

}  // namespace
}  // namespace trakvel
