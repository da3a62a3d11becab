// Subclassing a system control by swapping its window procedure. What the
// subclass keeps (at least the original procedure) lives in the window's user
// data. The common controls' subclass helper would keep it in a window
// property instead, which under Wine costs a round trip to the server on
// every message the control receives.
#pragma once

#include <windows.h>

namespace plakato {

struct SubclassData {
  virtual ~SubclassData() = default;
  WNDPROC base = nullptr;
};

// Puts `proc` in front of the window's own procedure; the window owns `data`
// from here on, and the subclass deletes it at WM_NCDESTROY (ReleaseSubclass).
inline void Subclass(HWND window, WNDPROC proc, SubclassData* data) {
  data->base = reinterpret_cast<WNDPROC>(::GetWindowLongPtrW(window, GWLP_WNDPROC));
  ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(data));
  ::SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(proc));
}

template <typename Data = SubclassData>
Data& SubclassOf(HWND window) {
  return *static_cast<Data*>(reinterpret_cast<SubclassData*>(::GetWindowLongPtrW(window, GWLP_USERDATA)));
}

// Passes a message on to the window's own procedure; at WM_NCDESTROY it also
// puts that procedure back and frees the subclass's data.
inline LRESULT CallBaseProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  SubclassData* data = reinterpret_cast<SubclassData*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
  WNDPROC base = data->base;
  if (message == WM_NCDESTROY) {
    ::SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(base));
    ::SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    delete data;
  }
  return ::CallWindowProcW(base, window, message, wParam, lParam);
}

}  // namespace plakato
