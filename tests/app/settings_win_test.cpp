// Trakvel.exe started beside a trakvel.ini with bad lines: one message names each
// of them, then the window comes up on the defaults (needs a display).
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "gui/scoped_win.h"
#include "program_watch_win.h"
#include "test_text.h"

namespace trakvel {
namespace {

class SettingsAtStart : public ::testing::Test {
 protected:
  void SetUp() override {
    char temp[MAX_PATH] = "";
    GetTempPathA(sizeof temp, temp);
    dir = Text(temp) + "trakvel-settings-" + std::to_string(GetCurrentProcessId());
    CreateDirectoryA(dir.c_str(), nullptr);
    const Text program = test::test_program_dir() + "\\..\\app\\Trakvel.exe";
    ASSERT_TRUE(CopyFileA(program.c_str(), (dir + "\\Trakvel.exe").c_str(), FALSE)) << program;
  }
  void TearDown() override {
    if (process) TerminateProcess(process.get(), 1);
    process.reset();
    for (const char* name : {"SkinH_EL.dll", "FlatXP.she", "Trakvel.exe", "trakvel.ini"}) {
      const Text path = dir + "\\" + name;
      SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
      DeleteFileA(path.c_str());
    }
    RemoveDirectoryA(dir.c_str());
  }

  void write_settings(std::string_view content) {
    win::ScopedHandle file(CreateFileA((dir + "\\trakvel.ini").c_str(), GENERIC_WRITE, 0, nullptr,
                                       CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD written = 0;
    ASSERT_TRUE(WriteFile(file.get(), content.data(), static_cast<DWORD>(content.size()), &written,
                          nullptr));
  }

  void start() { ASSERT_TRUE(test::start_program(dir, process, process_id)); }

  HWND wait_for_window(const char* window_class) {
    return test::wait_for_process_window(process.get(), process_id, window_class);
  }

  Text dir;
  win::ScopedHandle process;
  DWORD process_id = 0;
};

TEST_F(SettingsAtStart, NamesEachBadLineThenGoesOnWithTheDefaults) {
  write_settings("[lookup]\r\njobs = many\r\ntimeout = 100\r\ncolour = blue\r\n");
  start();
  HWND box = wait_for_window("#32770");
  ASSERT_TRUE(box);
  EXPECT_EQ(test::window_text(box), test::gbk("信息："));
  const Text text = test::window_text(GetDlgItem(box, 0xFFFF));
  EXPECT_NE(text.find(test::gbk("第 2 行：jobs = many")), Text::npos) << text;
  EXPECT_NE(text.find(test::gbk("第 4 行：colour = blue")), Text::npos) << text;
  EXPECT_EQ(text.find(test::gbk("第 3 行")), Text::npos) << text;
  SendMessageA(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);

  HWND window = wait_for_window("TrakvelMainWindow");
  ASSERT_TRUE(window);
  PostMessageA(window, WM_CLOSE, 0, 0);
  EXPECT_EQ(WaitForSingleObject(process.get(), 15000), WAIT_OBJECT_0);
}

}  // namespace
}  // namespace trakvel
