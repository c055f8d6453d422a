// Small owners of Win32 handles: each releases its handle when it goes out of scope.
#pragma once

#include <windows.h>

#include <utility>

namespace trakvel::win {

template <class H, auto release>
class Scoped {
 public:
  Scoped() = default;
  explicit Scoped(H handle) : handle_(handle) {}
  Scoped(Scoped&& other) noexcept : handle_(std::exchange(other.handle_, H{})) {}
  Scoped& operator=(Scoped&& other) noexcept {
    reset(std::exchange(other.handle_, H{}));
    return *this;
  }
  ~Scoped() { reset(); }

  H get() const { return handle_; }
  explicit operator bool() const { return handle_ != H{} && handle_ != INVALID_HANDLE_VALUE; }
  void reset(H handle = H{}) {
    if (*this) release(handle_);
    handle_ = handle;
  }

 private:
  H handle_{};
};

inline void delete_gdi_object(HGDIOBJ object) {
  DeleteObject(object);
}
inline void close_handle(HANDLE handle) {
  CloseHandle(handle);
}
inline void free_library(HMODULE module) {
  FreeLibrary(module);
}
inline void destroy_menu(HMENU menu) {
  DestroyMenu(menu);
}
inline void destroy_window(HWND window) {
  DestroyWindow(window);
}

using ScopedFont = Scoped<HFONT, delete_gdi_object>;
using ScopedBrush = Scoped<HBRUSH, delete_gdi_object>;
using ScopedHandle = Scoped<HANDLE, close_handle>;
using ScopedLibrary = Scoped<HMODULE, free_library>;
using ScopedMenu = Scoped<HMENU, destroy_menu>;
using ScopedWindow = Scoped<HWND, destroy_window>;

}  // namespace trakvel::win
