#include "gui/fonts_win.h"

namespace trakvel::gui {
namespace {

int CALLBACK found_face(const LOGFONTA*, const TEXTMETRICA*, DWORD, LPARAM found) {
  *reinterpret_cast<bool*>(found) = true;
  return 0;
}

// Faces that carry the Chinese characters, tried in order when a face is missing.
constexpr const char* kFallbackFaces[] = {"WenQuanYi Micro Hei", "Microsoft YaHei", "SimSun",
                                          "\xCB\xCE\xCC\xE5" /* 宋体 */};

}  // namespace

bool font_installed(const Text& face) {
  LOGFONTA wanted = {};
  wanted.lfCharSet = DEFAULT_CHARSET;
  lstrcpynA(wanted.lfFaceName, face.c_str(), LF_FACESIZE);
  bool found = false;
  HDC screen = GetDC(nullptr);
  EnumFontFamiliesExA(screen, &wanted, found_face, reinterpret_cast<LPARAM>(&found), 0);
  ReleaseDC(nullptr, screen);
  return found;
}

win::ScopedFont create_font(const Font& font) {
  Text face = font.face;
  if (!font_installed(face)) {
    for (const char* fallback : kFallbackFaces)
      if (font_installed(fallback)) {
        face = fallback;
        break;
      }
  }
  return win::ScopedFont(CreateFontA(font.height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                                     DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                     DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, face.c_str()));
}

}  // namespace trakvel::gui
