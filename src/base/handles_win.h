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
  // For a call that hands back a new handle through a pointer: the old one
  // is closed first.
  T* put() {
    reset();
    return &value_;
  }
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
inline void DestroyMenuHandle(HMENU h) { ::DestroyMenu(h); }
inline void DestroyAccelerators(HACCEL h) { ::DestroyAcceleratorTable(h); }
inline void DestroyIconHandle(HICON h) { ::DestroyIcon(h); }

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
using UniqueMenu = UniqueAny<HMENU, DestroyMenuHandle>;
using UniqueAccelerators = UniqueAny<HACCEL, DestroyAccelerators>;
using UniqueIcon = UniqueAny<HICON, DestroyIconHandle>;
// A FindFirstFileW search; its INVALID_HANDLE_VALUE becomes null too.
inline void CloseFind(HANDLE h) { ::FindClose(h); }
using UniqueFind = UniqueAny<HANDLE, CloseFind>;
inline UniqueFind AdoptFind(HANDLE h) { return UniqueFind(h == INVALID_HANDLE_VALUE ? nullptr : h); }

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

// BeginPaint/EndPaint for one WM_PAINT.
class PaintScope {
 public:
  explicit PaintScope(HWND window) : window_(window), dc_(::BeginPaint(window, &paint_)) {}
  PaintScope(const PaintScope&) = delete;
  PaintScope& operator=(const PaintScope&) = delete;
  ~PaintScope() { ::EndPaint(window_, &paint_); }
  HDC get() const { return dc_; }

 private:
  HWND window_;
  PAINTSTRUCT paint_{};
  HDC dc_;
};

// Keeps objects of one kind selected into a DC for as long as it lives, and
// selects back the object the DC held before the first one when it goes.
// Declared after the objects it selects, so it lets go of them before they
// are deleted.
class SelectionSlot {
 public:
  SelectionSlot() = default;
  explicit SelectionSlot(HDC dc) : dc_(dc) {}
  SelectionSlot(HDC dc, HGDIOBJ object) : dc_(dc) { Select(object); }
  SelectionSlot(const SelectionSlot&) = delete;
  SelectionSlot& operator=(const SelectionSlot&) = delete;
  ~SelectionSlot() {
    if (original_) ::SelectObject(dc_, original_);
  }
  // False when the DC refuses the object.
  bool Select(HGDIOBJ object) {
    HGDIOBJ previous = ::SelectObject(dc_, object);
    if (!previous || previous == HGDI_ERROR) return false;
    if (!original_) original_ = previous;
    return true;
  }

 private:
  HDC dc_ = nullptr;
  HGDIOBJ original_ = nullptr;
};

// Selects an object into a DC for one scope and selects the old one back.
using SelectGuard = SelectionSlot;

}  // namespace plakato
