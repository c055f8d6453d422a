// SkinH_EL.dll attached in this process (needs a display): a skin file that cannot be
// used leaves the windows as they are; a good one takes them over.
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>

#include "gui/window_win.h"
#include "resources/main_window.h"

namespace trakvel::gui {
namespace {

using AttachSkin = int(WINAPI*)(const char* skin_path, int flags);

Text test_program_dir() {
  char path[MAX_PATH] = "";
  GetModuleFileNameA(nullptr, path, sizeof path);
  Text dir = path;
  return dir.substr(0, dir.find_last_of('\\'));
}

LONG_PTR button_type(HWND button) {
  return GetWindowLongPtrA(button, GWL_STYLE) & BS_TYPEMASK;
}

TEST(SkinLibrary, AttachesOnlyAGoodSkin) {
  HMODULE library = LoadLibraryA((test_program_dir() + "\\..\\skin\\SkinH_EL.dll").c_str());
  ASSERT_TRUE(library);
  const auto attach = reinterpret_cast<AttachSkin>(
      reinterpret_cast<void*>(GetProcAddress(library, "SkinH_AttachEx")));
  ASSERT_TRUE(attach);

  auto window = create_win32_window(main_window_description(), {});
  HWND button = control_handle(*window, Role::query_button);
  char temp[MAX_PATH] = "";
  GetTempPathA(sizeof temp, temp);
  const Text malformed = Text(temp) + "trakvel-malformed.she";
  std::ofstream(malformed) << "[skin]\nformat = 1\nthis line is no key\n";

  EXPECT_EQ(attach((Text(temp) + "trakvel-missing.she").c_str(), 3), 0);
  EXPECT_EQ(attach(malformed.c_str(), 3), 0);
  EXPECT_EQ(button_type(button), BS_PUSHBUTTON);

  EXPECT_EQ(attach(TRAKVEL_SKIN_FILE, 3), 1);
  EXPECT_EQ(button_type(button), BS_OWNERDRAW);
  DeleteFileA(malformed.c_str());
}

}  // namespace
}  // namespace trakvel::gui
