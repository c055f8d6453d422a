#include "gui/balloon_win.h"

#include <algorithm>
#include <memory>

#include "gui/fonts_win.h"

namespace trakvel::gui {
namespace {

constexpr char kClassName[] = "TrakvelBalloon";
constexpr int kMargin = 8;
constexpr UINT_PTR kHideTimer = 1;
constexpr UINT kShownMs = 15000;
constexpr COLORREF kBackground = RGB(255, 255, 225);

struct Layout {
  std::vector<MarkupLine> lines;
  std::vector<int> heights;
  SIZE size = {};
};

win::ScopedFont font_for(HDC dc, const RunStyle& style) {
  Font font{style.face, -MulDiv(style.points, GetDeviceCaps(dc, LOGPIXELSY), 72)};
  win::ScopedFont scoped = create_font(font);
  LOGFONTA log = {};
  GetObjectA(scoped.get(), sizeof log, &log);
  log.lfWeight = style.bold ? FW_BOLD : FW_NORMAL;
  log.lfItalic = style.italic;
  log.lfUnderline = style.underline;
  return win::ScopedFont(CreateFontIndirectA(&log));
}

struct Measured {
  SIZE extent;
  int ascent;
};

Measured measure(HDC dc, const Run& run) {
  win::ScopedFont font = font_for(dc, run.style);
  HGDIOBJ old = SelectObject(dc, font.get());
  Measured m = {};
  GetTextExtentPoint32A(dc, run.text.c_str(), static_cast<int>(run.text.size()), &m.extent);
  TEXTMETRICA metrics = {};
  GetTextMetricsA(dc, &metrics);
  m.ascent = metrics.tmAscent;
  SelectObject(dc, old);
  return m;
}

void draw_run(HDC dc, const Run& run, int x, int y) {
  win::ScopedFont font = font_for(dc, run.style);
  HGDIOBJ old = SelectObject(dc, font.get());
  const std::uint32_t c = run.style.color;
  SetTextColor(dc, RGB((c >> 16) & 0xFF, (c >> 8) & 0xFF, c & 0xFF));
  TextOutA(dc, x, y, run.text.c_str(), static_cast<int>(run.text.size()));
  SelectObject(dc, old);
}

// Lays the runs out line by line from the top left margin, on a common baseline per
// line; with draw it also paints them. Gives the size the text needs.
SIZE walk(HDC dc, const std::vector<MarkupLine>& lines, bool draw) {
  SIZE total = {0, 0};
  int y = kMargin;
  const MarkupLine blank = {{" ", RunStyle{}}};
  for (const auto& markup_line : lines) {
    const MarkupLine& line = markup_line.empty() ? blank : markup_line;
    std::vector<Measured> measured;
    int ascent = 0, descent = 0;
    for (const auto& run : line) {
      measured.push_back(measure(dc, run));
      ascent = std::max(ascent, measured.back().ascent);
      descent = std::max<int>(descent, measured.back().extent.cy - measured.back().ascent);
    }
    int x = kMargin;
    for (std::size_t i = 0; i < line.size(); ++i) {
      if (draw) draw_run(dc, line[i], x, y + ascent - measured[i].ascent);
      x += measured[i].extent.cx;
    }
    total.cx = std::max<int>(total.cx, x + kMargin);
    y += ascent + descent;
  }
  total.cy = y + kMargin;
  return total;
}

LRESULT CALLBACK balloon_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  auto* lines =
      reinterpret_cast<std::vector<MarkupLine>*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  switch (message) {
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(window, &paint);
      RECT client;
      GetClientRect(window, &client);
      win::ScopedBrush background(CreateSolidBrush(kBackground));
      FillRect(dc, &client, background.get());
      SetBkMode(dc, TRANSPARENT);
      if (lines) walk(dc, *lines, true);
      EndPaint(window, &paint);
      return 0;
    }
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_TIMER:
      ShowWindow(window, SW_HIDE);
      return 0;
    case WM_NCDESTROY:
      delete lines;
      SetWindowLongPtrA(window, GWLP_USERDATA, 0);
      break;
  }
  return DefWindowProcA(window, message, wparam, lparam);
}

}  // namespace

void BalloonTip::show(HWND owner, Point at, std::string_view text) {
  static const bool registered = [] {
    WNDCLASSEXA window_class = {};
    window_class.cbSize = sizeof(window_class);
    window_class.lpfnWndProc = balloon_proc;
    window_class.hInstance = GetModuleHandleA(nullptr);
    window_class.hCursor = LoadCursor(nullptr, IDC_ARROW);
    window_class.lpszClassName = kClassName;
    return RegisterClassExA(&window_class) != 0;
  }();
  if (!registered) return;
  auto lines = std::make_unique<std::vector<MarkupLine>>(parse_balloon_markup(text));
  HDC screen = GetDC(nullptr);
  const SIZE size = walk(screen, *lines, false);
  ReleaseDC(nullptr, screen);

  window_.reset(CreateWindowExA(WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, kClassName, "",
                                WS_POPUP | WS_BORDER, at.x, at.y, size.cx + 2, size.cy + 2, owner,
                                nullptr, GetModuleHandleA(nullptr), nullptr));
  if (!window_) return;
  SetWindowLongPtrA(window_.get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(lines.release()));
  SetTimer(window_.get(), kHideTimer, kShownMs, nullptr);
  ShowWindow(window_.get(), SW_SHOWNOACTIVATE);
}

}  // namespace trakvel::gui
