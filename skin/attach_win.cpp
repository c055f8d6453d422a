// SkinH_EL.dll: draws the windows of the attaching thread flat, in the colours of a
// skin file. Every window is subclassed; the subclass paints what the skin changes
// and leaves the rest to the window's own procedure.
#include <windows.h>

#include <commctrl.h>

#include <fstream>
#include <iterator>
#include <string>

#include "skin/skin_file.h"

namespace {

using trakvel::skin::Rgb;
using trakvel::skin::Skin;

constexpr UINT_PTR kSubclassId = 0x5348;  // "SH"

struct Brushes {
  HBRUSH window, group, edit, header;
};

// One skin per process: the library is attached once and stays until the process ends.
Skin g_skin;
Brushes g_brushes;
HFONT g_header_font;
HHOOK g_hook;

COLORREF colour(Rgb rgb) {
  return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}

std::string class_name(HWND window) {
  char name[64] = "";
  GetClassNameA(window, name, sizeof name);
  return name;
}

bool in_dialog_box(HWND window) {
  return class_name(GetAncestor(window, GA_ROOT)) == "#32770";
}

void frame(HDC dc, RECT rect, Rgb rgb) {
  HBRUSH brush = CreateSolidBrush(colour(rgb));
  FrameRect(dc, &rect, brush);
  DeleteObject(brush);
}

void fill(HDC dc, const RECT& rect, Rgb rgb) {
  HBRUSH brush = CreateSolidBrush(colour(rgb));
  FillRect(dc, &rect, brush);
  DeleteObject(brush);
}

LONG_PTR button_type(HWND button) {
  return GetWindowLongPtrA(button, GWL_STYLE) & BS_TYPEMASK;
}

void draw_button(const DRAWITEMSTRUCT& item) {
  const bool pressed = item.itemState & ODS_SELECTED;
  const bool disabled = item.itemState & ODS_DISABLED;
  fill(item.hDC, item.rcItem,
       disabled  ? g_skin.button_disabled
       : pressed ? g_skin.button_pressed
                 : g_skin.button_face);
  frame(item.hDC, item.rcItem, g_skin.button_border);
  char text[256] = "";
  GetWindowTextA(item.hwndItem, text, sizeof text);
  HGDIOBJ old = SelectObject(
      item.hDC, reinterpret_cast<HFONT>(SendMessageA(item.hwndItem, WM_GETFONT, 0, 0)));
  SetBkMode(item.hDC, TRANSPARENT);
  SetTextColor(item.hDC, colour(g_skin.button_text));
  RECT rect = item.rcItem;
  if (pressed) OffsetRect(&rect, 1, 1);
  DrawTextA(item.hDC, text, -1, &rect, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  SelectObject(item.hDC, old);
  if (item.itemState & ODS_FOCUS) {
    InflateRect(&rect, -3, -3);
    DrawFocusRect(item.hDC, &rect);
  }
}

void paint_group(HWND group) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(group, &paint);
  RECT rect;
  GetClientRect(group, &rect);
  fill(dc, rect, g_skin.group_background);
  char text[256] = "";
  GetWindowTextA(group, text, sizeof text);
  HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(group, WM_GETFONT, 0, 0)));
  SIZE extent = {};
  GetTextExtentPoint32A(dc, text, lstrlenA(text), &extent);
  RECT line = rect;
  line.top += extent.cy / 2;
  frame(dc, line, g_skin.group_border);
  RECT caption = {rect.left + 8, rect.top, rect.left + 12 + extent.cx, rect.top + extent.cy};
  fill(dc, caption, g_skin.group_background);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, colour(g_skin.group_text));
  TextOutA(dc, rect.left + 10, rect.top, text, lstrlenA(text));
  SelectObject(dc, old);
  EndPaint(group, &paint);
}

// The sunken edge of text boxes and lists, redrawn as one line and a filled inner ring.
void paint_flat_border(HWND window) {
  if (!(GetWindowLongPtrA(window, GWL_EXSTYLE) & WS_EX_CLIENTEDGE)) return;
  HDC dc = GetWindowDC(window);
  RECT rect;
  GetWindowRect(window, &rect);
  OffsetRect(&rect, -rect.left, -rect.top);
  frame(dc, rect, g_skin.edit_border);
  InflateRect(&rect, -1, -1);
  frame(dc, rect, g_skin.edit_background);
  ReleaseDC(window, dc);
}

LRESULT draw_header_item(NMCUSTOMDRAW& draw) {
  if (draw.dwDrawStage == CDDS_PREPAINT) return CDRF_NOTIFYITEMDRAW;
  if (draw.dwDrawStage != CDDS_ITEMPREPAINT) return CDRF_DODEFAULT;
  fill(draw.hdc, draw.rc, g_skin.header_background);
  RECT line = draw.rc;
  line.left = line.right - 1;
  fill(draw.hdc, line, g_skin.header_border);
  line = draw.rc;
  line.top = line.bottom - 1;
  fill(draw.hdc, line, g_skin.header_border);
  char text[256] = "";
  HDITEMA item = {};
  item.mask = HDI_TEXT;
  item.pszText = text;
  item.cchTextMax = sizeof text;
  SendMessageA(draw.hdr.hwndFrom, HDM_GETITEMA, draw.dwItemSpec, reinterpret_cast<LPARAM>(&item));
  HGDIOBJ old = SelectObject(draw.hdc, g_header_font);
  SetBkMode(draw.hdc, TRANSPARENT);
  SetTextColor(draw.hdc, colour(g_skin.header_text));
  RECT rect = draw.rc;
  rect.left += 6;
  DrawTextA(draw.hdc, text, -1, &rect, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
  SelectObject(draw.hdc, old);
  return CDRF_SKIPDEFAULT;
}

HBRUSH background_of(HWND window) {
  const std::string name = class_name(window);
  if (name == "Button" && button_type(window) == BS_GROUPBOX) return g_brushes.group;
  return g_brushes.window;
}

LRESULT CALLBACK skin_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR,
                           DWORD_PTR) {
  switch (message) {
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN: {
      HDC dc = reinterpret_cast<HDC>(wparam);
      SetBkMode(dc, TRANSPARENT);
      SetTextColor(dc, colour(g_skin.label_text));
      return reinterpret_cast<LRESULT>(background_of(window));
    }
    case WM_CTLCOLOREDIT: {
      HDC dc = reinterpret_cast<HDC>(wparam);
      SetTextColor(dc, colour(g_skin.edit_text));
      SetBkColor(dc, colour(g_skin.edit_background));
      return reinterpret_cast<LRESULT>(g_brushes.edit);
    }
    case WM_DRAWITEM: {
      const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lparam);
      if (item.CtlType != ODT_BUTTON) break;
      draw_button(item);
      return TRUE;
    }
    case WM_NOTIFY: {
      auto& header = *reinterpret_cast<NMHDR*>(lparam);
      if (header.code == NM_CUSTOMDRAW && class_name(header.hwndFrom) == "SysHeader32")
        return draw_header_item(*reinterpret_cast<NMCUSTOMDRAW*>(lparam));
      break;
    }
    case WM_ERASEBKGND: {
      if (GetParent(window) && class_name(window) != "Button") break;
      RECT rect;
      GetClientRect(window, &rect);
      FillRect(reinterpret_cast<HDC>(wparam), &rect, background_of(window));
      return 1;
    }
    case WM_PAINT:
      if (class_name(window) == "Button" && button_type(window) == BS_GROUPBOX) {
        paint_group(window);
        return 0;
      }
      break;
    case WM_NCPAINT: {
      const LRESULT result = DefSubclassProc(window, message, wparam, lparam);
      paint_flat_border(window);
      return result;
    }
    case WM_NCDESTROY:
      RemoveWindowSubclass(window, skin_proc, kSubclassId);
      break;
  }
  return DefSubclassProc(window, message, wparam, lparam);
}

void skin_window(HWND window) {
  if (in_dialog_box(window)) return;
  const std::string name = class_name(window);
  if (name == "Button" &&
      (button_type(window) == BS_PUSHBUTTON || button_type(window) == BS_DEFPUSHBUTTON)) {
    const LONG_PTR style = GetWindowLongPtrA(window, GWL_STYLE);
    SetWindowLongPtrA(window, GWL_STYLE, (style & ~BS_TYPEMASK) | BS_OWNERDRAW);
  }
  SetWindowSubclass(window, skin_proc, kSubclassId, 0);
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

BOOL CALLBACK skin_child(HWND window, LPARAM) {
  skin_window(window);
  return TRUE;
}

BOOL CALLBACK skin_top_level(HWND window, LPARAM) {
  skin_window(window);
  EnumChildWindows(window, skin_child, 0);
  return TRUE;
}

// Windows created later on the thread are skinned as soon as they exist.
LRESULT CALLBACK creation_hook(int code, WPARAM wparam, LPARAM lparam) {
  if (code == HCBT_CREATEWND) {
    HWND window = reinterpret_cast<HWND>(wparam);
    HWND parent = reinterpret_cast<CBT_CREATEWNDA*>(lparam)->lpcs->hwndParent;
    if (class_name(window) != "#32770" && !(parent && in_dialog_box(parent)))
      SetWindowSubclass(window, skin_proc, kSubclassId, 0);
  }
  return CallNextHookEx(g_hook, code, wparam, lparam);
}

std::string read_file(const char* path) {
  std::ifstream file(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), {});
}

}  // namespace

extern "C" __declspec(dllexport) int __stdcall SkinH_AttachEx(const char* skin_path, int flags) {
  if (!skin_path || g_hook) return 0;
  const auto skin = trakvel::skin::parse_skin(read_file(skin_path));
  if (!skin) return 0;  // the windows keep their usual look
  g_skin = *skin;
  g_brushes = {CreateSolidBrush(colour(g_skin.window_background)),
               CreateSolidBrush(colour(g_skin.group_background)),
               CreateSolidBrush(colour(g_skin.edit_background)),
               CreateSolidBrush(colour(g_skin.header_background))};
  g_header_font = CreateFontA(g_skin.header_font_height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                              DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                              DEFAULT_QUALITY, DEFAULT_PITCH, g_skin.header_font_face.c_str());
  if (flags & 1) EnumThreadWindows(GetCurrentThreadId(), skin_top_level, 0);
  if (flags & 2) g_hook = SetWindowsHookExA(WH_CBT, creation_hook, nullptr, GetCurrentThreadId());
  return 1;
}
