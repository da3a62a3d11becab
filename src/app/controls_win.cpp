#include "app/controls_win.h"

#include <commctrl.h>

#include "base/subclass_win.h"
#include "base/text_win.h"

namespace plakato {

namespace {

enum PanelSlot { kSlotSpec = 0, kSlotFont = 1, kSlotPressed = 2, kPanelSlots = 3 };

const ControlSpec* PanelSpec(HWND window) {
  return reinterpret_cast<const ControlSpec*>(::GetWindowLongPtrW(window, kSlotSpec * sizeof(LONG_PTR)));
}

bool ForwardToRoot(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  switch (message) {
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_DRAWITEM:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
      break;
    default:
      return false;
  }
  HWND root = ::GetAncestor(window, GA_ROOT);
  if (!root || root == window) return false;
  *result = ::SendMessageW(root, message, wParam, lParam);
  return true;
}

void PaintPanel(HWND window, HDC dc) {
  RECT rc;
  ::GetClientRect(window, &rc);
  const ControlSpec* design = PanelSpec(window);
  COLORREF back = design ? BackColourOf(*design) : ::GetSysColor(COLOR_BTNFACE);
  ::SetBkColor(dc, back);
  ::ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &rc, nullptr, 0, nullptr);
  if (design && design->edge == Edge::SoftBevel) {
    ::DrawEdge(dc, &rc, BDR_RAISEDINNER, BF_RECT | BF_SOFT);
  }
  std::wstring caption = WindowText(window);
  if (!caption.empty()) {
    HFONT font = reinterpret_cast<HFONT>(::GetWindowLongPtrW(window, kSlotFont * sizeof(LONG_PTR)));
    HGDIOBJ old = ::SelectObject(dc, font ? font : ::GetStockObject(DEFAULT_GUI_FONT));
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, ::GetSysColor(COLOR_WINDOWTEXT));
    ::DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &rc,
                DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    ::SelectObject(dc, old);
  }
}

LRESULT CALLBACK PanelProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT forwarded = 0;
  if (ForwardToRoot(window, message, wParam, lParam, &forwarded)) return forwarded;
  switch (message) {
    case WM_NCCREATE: {
      auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
      ::SetWindowLongPtrW(window, kSlotSpec * sizeof(LONG_PTR), reinterpret_cast<LONG_PTR>(create->lpCreateParams));
      break;
    }
    case WM_SETFONT:
      ::SetWindowLongPtrW(window, kSlotFont * sizeof(LONG_PTR), static_cast<LONG_PTR>(wParam));
      if (LOWORD(lParam)) ::InvalidateRect(window, nullptr, TRUE);
      return 0;
    case WM_GETFONT:
      return ::GetWindowLongPtrW(window, kSlotFont * sizeof(LONG_PTR));
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      PaintPanel(window, ::BeginPaint(window, &ps));
      ::EndPaint(window, &ps);
      return 0;
    }
    case WM_PRINTCLIENT:
      PaintPanel(window, reinterpret_cast<HDC>(wParam));
      return 0;
    case WM_LBUTTONDOWN:
      ::SetCapture(window);
      ::SetWindowLongPtrW(window, kSlotPressed * sizeof(LONG_PTR), 1);
      return 0;
    case WM_LBUTTONUP: {
      bool pressed = ::GetWindowLongPtrW(window, kSlotPressed * sizeof(LONG_PTR)) != 0;
      ::SetWindowLongPtrW(window, kSlotPressed * sizeof(LONG_PTR), 0);
      if (::GetCapture() == window) ::ReleaseCapture();
      RECT rc;
      ::GetClientRect(window, &rc);
      POINT pt{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
      if (pressed && ::PtInRect(&rc, pt)) {
        ::SendMessageW(::GetParent(window), WM_COMMAND,
                       MAKEWPARAM(::GetDlgCtrlID(window), STN_CLICKED), reinterpret_cast<LPARAM>(window));
      }
      return 0;
    }
    case WM_CAPTURECHANGED:
      ::SetWindowLongPtrW(window, kSlotPressed * sizeof(LONG_PTR), 0);
      return 0;
    default:
      break;
  }
  return ::DefWindowProcW(window, message, wParam, lParam);
}

void PaintImage(HWND window) {
  PAINTSTRUCT ps;
  HDC dc = ::BeginPaint(window, &ps);
  RECT rc;
  ::GetClientRect(window, &rc);
  HDC source = reinterpret_cast<HDC>(::GetWindowLongPtrW(window, 0));
  if (source) {
    ::BitBlt(dc, 0, 0, rc.right, rc.bottom, source, 0, 0, SRCCOPY);
  } else {
    ::FillRect(dc, &rc, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
  }
  ::EndPaint(window, &ps);
}

LRESULT CALLBACK ImageProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case kImageSetSource:
      ::SetWindowLongPtrW(window, 0, lParam);
      ::InvalidateRect(window, nullptr, FALSE);
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT:
      PaintImage(window);
      return 0;
    default:
      return ::DefWindowProcW(window, message, wParam, lParam);
  }
}

// Flat buttons keep their hover and pressed state in the subclass data.
struct FlatState : SubclassData {
  bool hot = false;
  bool pressed = false;
};

void PaintFlatButton(HWND button, HDC dc, const FlatState& state) {
  RECT rc;
  ::GetClientRect(button, &rc);
  ::FillRect(dc, &rc, ::GetSysColorBrush(COLOR_BTNFACE));
  bool enabled = ::IsWindowEnabled(button);
  bool down = state.pressed && state.hot;
  if (enabled && down) {
    ::DrawEdge(dc, &rc, BDR_SUNKENOUTER, BF_RECT);
  } else if (enabled && state.hot) {
    ::DrawEdge(dc, &rc, BDR_RAISEDINNER, BF_RECT);
  }
  std::wstring caption = WindowText(button);
  HGDIOBJ old = ::SelectObject(dc, reinterpret_cast<HFONT>(::SendMessageW(button, WM_GETFONT, 0, 0)));
  ::SetBkMode(dc, TRANSPARENT);
  RECT text = rc;
  if (down) ::OffsetRect(&text, 1, 1);
  UINT format = DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX;
  if (enabled) {
    ::SetTextColor(dc, ::GetSysColor(COLOR_BTNTEXT));
    ::DrawTextW(dc, caption.c_str(), -1, &text, format);
  } else {
    // Disabled text is embossed: a highlight copy one pixel down-right, then grey.
    RECT shadow = text;
    ::OffsetRect(&shadow, 1, 1);
    ::SetTextColor(dc, ::GetSysColor(COLOR_BTNHIGHLIGHT));
    ::DrawTextW(dc, caption.c_str(), -1, &shadow, format);
    ::SetTextColor(dc, ::GetSysColor(COLOR_GRAYTEXT));
    ::DrawTextW(dc, caption.c_str(), -1, &text, format);
  }
  ::SelectObject(dc, old);
}

bool PointInClient(HWND window, LPARAM lParam) {
  RECT rc;
  ::GetClientRect(window, &rc);
  POINT pt{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
  return ::PtInRect(&rc, pt) != FALSE;
}

LRESULT CALLBACK FlatButtonProc(HWND button, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* state = &SubclassOf<FlatState>(button);
  switch (message) {
    case WM_PAINT: {
      PAINTSTRUCT ps;
      PaintFlatButton(button, ::BeginPaint(button, &ps), *state);
      ::EndPaint(button, &ps);
      return 0;
    }
    case WM_PRINTCLIENT:
      PaintFlatButton(button, reinterpret_cast<HDC>(wParam), *state);
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_MOUSEMOVE: {
      bool inside = PointInClient(button, lParam);
      if (!state->hot && inside) {
        TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, button, 0};
        ::TrackMouseEvent(&track);
      }
      if (inside != state->hot) {
        state->hot = inside;
        ::InvalidateRect(button, nullptr, FALSE);
      }
      return 0;
    }
    case WM_MOUSELEAVE:
      if (!state->pressed) {
        state->hot = false;
        ::InvalidateRect(button, nullptr, FALSE);
      }
      return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      // Handled here rather than by the button so that the focus stays where it was.
      state->pressed = true;
      state->hot = true;
      ::SetCapture(button);
      ::InvalidateRect(button, nullptr, FALSE);
      return 0;
    case WM_LBUTTONUP: {
      bool click = state->pressed && PointInClient(button, lParam);
      state->pressed = false;
      if (::GetCapture() == button) ::ReleaseCapture();
      state->hot = PointInClient(button, lParam) && lParam != 0;
      ::InvalidateRect(button, nullptr, FALSE);
      if (click && ::IsWindowEnabled(button)) {
        ::SendMessageW(::GetParent(button), WM_COMMAND, MAKEWPARAM(::GetDlgCtrlID(button), BN_CLICKED),
                       reinterpret_cast<LPARAM>(button));
      }
      return 0;
    }
    case WM_CAPTURECHANGED:
      state->pressed = false;
      ::InvalidateRect(button, nullptr, FALSE);
      return 0;
    case WM_SETFOCUS:
      // Reached only through the keyboard shortcut paths; hand the focus back.
      if (wParam) ::SetFocus(reinterpret_cast<HWND>(wParam));
      return 0;
    case WM_ENABLE:
      ::InvalidateRect(button, nullptr, FALSE);
      break;
    default:
      break;
  }
  return CallBaseProc(button, message, wParam, lParam);
}

LRESULT CALLBACK ForwardingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT forwarded = 0;
  if (ForwardToRoot(window, message, wParam, lParam, &forwarded)) return forwarded;
  if (message == WM_ERASEBKGND) {
    // The rebar paints only its bands; the strip below them shows the face colour.
    RECT rc;
    ::GetClientRect(window, &rc);
    ::FillRect(reinterpret_cast<HDC>(wParam), &rc, ::GetSysColorBrush(COLOR_BTNFACE));
  }
  return CallBaseProc(window, message, wParam, lParam);
}

}  // namespace

COLORREF BackColourOf(const ControlSpec& design) {
  return design.backColor == kNoColor ? ::GetSysColor(COLOR_BTNFACE) : static_cast<COLORREF>(design.backColor);
}

void RegisterControlClasses(HINSTANCE instance) {
  WNDCLASSEXW panel{};
  panel.cbSize = sizeof(panel);
  panel.lpfnWndProc = PanelProc;
  panel.cbWndExtra = kPanelSlots * sizeof(LONG_PTR);
  panel.hInstance = instance;
  panel.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
  panel.lpszClassName = kPanelClass;
  ::RegisterClassExW(&panel);

  WNDCLASSEXW image{};
  image.cbSize = sizeof(image);
  image.lpfnWndProc = ImageProc;
  image.cbWndExtra = sizeof(LONG_PTR);
  image.hInstance = instance;
  image.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
  image.lpszClassName = kImageClass;
  ::RegisterClassExW(&image);
}

HWND CreatePanel(const ControlSpec& design, HWND parent, int id, HINSTANCE instance) {
  return ::CreateWindowExW(WS_EX_CONTROLPARENT, kPanelClass, design.caption,
                           WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, 0, 0, 0, 0, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance,
                           const_cast<ControlSpec*>(&design));
}

void MakeFlatButton(HWND button) {
  Subclass(button, FlatButtonProc, new FlatState);
}

void ForwardNotificationsToRoot(HWND container) { Subclass(container, ForwardingProc, new SubclassData); }

}  // namespace plakato
