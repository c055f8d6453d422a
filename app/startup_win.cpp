#include "app/startup.h"

#include <windows.h>

#include "app/carried_files.h"
#include "gui/scoped_win.h"
#include "gui/window_win.h"
#include "text/codepage.h"

namespace trakvel {
namespace {

constexpr char kLibraryFile[] = "SkinH_EL.dll";
constexpr char kSkinFile[] = "FlatXP.she";
constexpr char kAttachEntry[] = "SkinH_AttachEx";

using AttachSkin = int(WINAPI*)(const char* skin_path, int flags);

Text executable_dir() {
  char path[MAX_PATH * 2] = "";
  GetModuleFileNameA(nullptr, path, sizeof path);
  Text dir = path;
  return dir.substr(0, dir.find_last_of("\\/"));
}

// Created, or emptied and rewritten; the result is ignored. Windows refuses to
// create over a hidden or system file, which happens at every start after the
// first; Wine allows it, so the rule is kept here as well.
void write_carried_file(const Text& path, CarriedFile file) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES &&
      (attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)))
    return;
  win::ScopedHandle out(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!out) return;
  const Bytes bytes = carried_file(file);
  DWORD written = 0;
  WriteFile(out.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

// The library stays loaded until the process ends: it draws the windows from now on.
AttachSkin find_attach_entry(const Text& dir) {
  HMODULE library = LoadLibraryA((dir + "\\" + kLibraryFile).c_str());
  if (!library) library = LoadLibraryA(kLibraryFile);
  if (!library) return nullptr;
  return reinterpret_cast<AttachSkin>(
      reinterpret_cast<void*>(GetProcAddress(library, kAttachEntry)));
}

// The extended style of a plain dialog frame, and no icon in the title bar.
void set_plain_frame(HWND window) {
  SetWindowLongA(window, GWL_EXSTYLE, WS_EX_CONTROLPARENT | WS_EX_WINDOWEDGE | WS_EX_DLGMODALFRAME);
  SendMessageA(window, WM_SETICON, ICON_BIG, 0);
  SendMessageA(window, WM_SETICON, ICON_SMALL, 0);
}

}  // namespace

void prepare_main_window(gui::Window& window) {
  // The headless window (tests, command line) has nothing to draw in a skin.
  HWND handle = gui::window_handle(window);
  if (!handle) return;
  const Text dir = executable_dir();
  const Text library = dir + "\\" + kLibraryFile;
  const Text skin = dir + "\\" + kSkinFile;
  write_carried_file(library, CarriedFile::skin_library);
  write_carried_file(skin, CarriedFile::skin_file);

  const AttachSkin attach = find_attach_entry(dir);
  if (!attach) {
    gui::Message error;
    error.text = utf8_to_ansi(std::string("找不到动态链接库 ") + kLibraryFile + " 中的入口 " +
                              kAttachEntry + "，程序将结束。");
    window.message_box(error);
    ExitProcess(1);
  }
  attach((dir + "/" + kSkinFile).c_str(), 3);

  SetFileAttributesA(library.c_str(), FILE_ATTRIBUTE_HIDDEN);
  SetFileAttributesA(skin.c_str(), FILE_ATTRIBUTE_HIDDEN);
  set_plain_frame(handle);
}

}  // namespace trakvel
