// Owning wrappers for Windows handles: one template, an alias per kind, and
// scope guards that put back what they changed.
#pragma once

#include <windows.h>

#include <utility>

namespace plakato {

template <typename T, auto Close>
class UniqueAny {
 public:
  UniqueAny() = default;
  explicit UniqueAny(T value) : value_(value) {}
  UniqueAny(const UniqueAny&) = delete;
  UniqueAny& operator=(const UniqueAny&) = delete;
  UniqueAny(UniqueAny&& other) noexcept : value_(other.release()) {}
  UniqueAny& operator=(UniqueAny&& other) noexcept {
    if (this != &other) reset(other.release());
    return *this;
  }
  ~UniqueAny() { reset(); }

  T get() const { return value_; }
  explicit operator bool() const { return value_ != Invalid; }
  T release() { return std::exchange(value_, Invalid); }
  void reset(T value = Invalid) {
    T old = std::exchange(value_, value);
    if (old != Invalid) Close(old);
  }

 private:
  static constexpr T Invalid = T{};
  T value_ = Invalid;
};

inline void DeleteGdiObject(HGDIOBJ h) { ::DeleteObject(h); }
inline void CloseKernelHandle(HANDLE h) { ::CloseHandle(h); }
inline void CloseRegKey(HKEY h) { ::RegCloseKey(h); }
inline void DeleteMemoryDc(HDC h) { ::DeleteDC(h); }
inline void DestroyWindowHandle(HWND h) { ::DestroyWindow(h); }

using UniqueFont = UniqueAny<HFONT, DeleteGdiObject>;
using UniqueBitmap = UniqueAny<HBITMAP, DeleteGdiObject>;
using UniqueBrush = UniqueAny<HBRUSH, DeleteGdiObject>;
using UniquePen = UniqueAny<HPEN, DeleteGdiObject>;
using UniqueDc = UniqueAny<HDC, DeleteMemoryDc>;
using UniqueKey = UniqueAny<HKEY, CloseRegKey>;
// Files keep null for "no file"; CreateFile's INVALID_HANDLE_VALUE is turned
// into null on adoption so one invalid value serves every handle kind.
using UniqueFile = UniqueAny<HANDLE, CloseKernelHandle>;
inline UniqueFile AdoptFile(HANDLE h) { return UniqueFile(h == INVALID_HANDLE_VALUE ? nullptr : h); }
using UniqueWindow = UniqueAny<HWND, DestroyWindowHandle>;

// GetDC/ReleaseDC pair that remembers its window.
class WindowDc {
 public:
  explicit WindowDc(HWND window) : window_(window), dc_(::GetDC(window)) {}
  WindowDc(const WindowDc&) = delete;
  WindowDc& operator=(const WindowDc&) = delete;
  ~WindowDc() {
    if (dc_) ::ReleaseDC(window_, dc_);
  }
  HDC get() const { return dc_; }

 private:
  HWND window_;
  HDC dc_;
};

// Selects an object into a DC for one scope and selects the old one back.
class SelectGuard {
 public:
  SelectGuard(HDC dc, HGDIOBJ object) : dc_(dc), old_(::SelectObject(dc, object)) {}
  SelectGuard(const SelectGuard&) = delete;
  SelectGuard& operator=(const SelectGuard&) = delete;
  ~SelectGuard() {
    if (old_ && old_ != HGDI_ERROR) ::SelectObject(dc_, old_);
  }

 private:
  HDC dc_;
  HGDIOBJ old_;
};

}  // namespace plakato
