#include "app/face_strip_win.h"

#include <commctrl.h>

#include <algorithm>
#include <memory>
#include <string_view>
#include <utility>

#include "app/face_strip.h"
#include "base/window_win.h"
#include "scene/face_names.h"

namespace plakato {

namespace {

StripKey KeyOf(WPARAM virtualKey) {
  switch (virtualKey) {
    case VK_LEFT:
    case VK_UP:
      return StripKey::Previous;
    case VK_RIGHT:
    case VK_DOWN:
      return StripKey::Next;
    case VK_HOME:
      return StripKey::First;
    case VK_END:
      return StripKey::Last;
    case VK_RETURN:
    case VK_SPACE:
      return StripKey::Pick;
    default:
      return StripKey::None;
  }
}

int ButtonCount(HWND toolBar) { return static_cast<int>(::SendMessageW(toolBar, TB_BUTTONCOUNT, 0, 0)); }

bool ButtonAt(HWND toolBar, int index, TBBUTTON& button) {
  button = TBBUTTON{};
  return index >= 0 && ::SendMessageW(toolBar, TB_GETBUTTON, index, reinterpret_cast<LPARAM>(&button)) != 0;
}

// The button that shows face `face`, or -1.
int ButtonOfFace(HWND toolBar, int face) {
  TBBUTTON button;
  for (int i = 0, n = ButtonCount(toolBar); i < n; ++i) {
    if (ButtonAt(toolBar, i, button) && button.iBitmap == face) return i;
  }
  return -1;
}

// The pager holds the focus for the strip and keeps the highlight.
class StripPager : public Subclass<StripPager> {
 public:
  StripPager(HWND toolBar, std::function<int()> currentFace)
      : toolBar_(toolBar), currentFace_(std::move(currentFace)) {}

  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  // Draws the highlight again, for when the tool bar dropped its hot button.
  void KeepHighlight() {
    if (focused_ && ::SendMessageW(toolBar_, TB_GETHOTITEM, 0, 0) != highlight_) {
      ::SendMessageW(toolBar_, TB_SETHOTITEM, highlight_, 0);
    }
  }

 private:
  LRESULT DialogCode(const MSG* msg, LRESULT base) const;
  void HighlightFaceShown();
  void Highlight(int button);
  void ScrollIntoView(int button);
  void Pick();

  HWND toolBar_;
  std::function<int()> currentFace_;
  int highlight_ = -1;
  bool focused_ = false;
};

LRESULT StripPager::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_GETDLGCODE:
      return DialogCode(reinterpret_cast<const MSG*>(lParam), CallBase(message, wParam, lParam));
    case WM_KEYDOWN: {
      StripKey key = KeyOf(wParam);
      if (key == StripKey::None) break;
      if (key == StripKey::Pick) {
        Pick();
      } else {
        Highlight(MoveHighlight(highlight_, key, ButtonCount(toolBar_)));
      }
      return 0;
    }
    case WM_SETFOCUS: {
      LRESULT result = CallBase(message, wParam, lParam);
      focused_ = true;
      HighlightFaceShown();
      return result;
    }
    case WM_KILLFOCUS:
      focused_ = false;
      ::SendMessageW(toolBar_, TB_SETHOTITEM, static_cast<WPARAM>(-1), 0);
      break;
    case WM_COMMAND:
      if (reinterpret_cast<HWND>(lParam) == toolBar_) {
        // A face was picked, by the pointer or the keyboard: the highlight
        // follows the face now shown.
        LRESULT result = CallBase(message, wParam, lParam);
        if (focused_) HighlightFaceShown();
        return result;
      }
      break;
    default:
      break;
  }
  return CallBase(message, wParam, lParam);
}

// The arrows, Home, End and Space come to the strip; Enter too, which would
// otherwise go to the window as a default button's press. Tab still moves on.
LRESULT StripPager::DialogCode(const MSG* msg, LRESULT base) const {
  LRESULT code = base | DLGC_WANTARROWS | DLGC_WANTCHARS;
  if (msg && msg->message == WM_KEYDOWN && msg->wParam == VK_RETURN) code |= DLGC_WANTMESSAGE;
  return code;
}

void StripPager::HighlightFaceShown() { Highlight(ButtonOfFace(toolBar_, currentFace_())); }

void StripPager::Highlight(int button) {
  highlight_ = button;
  if (!focused_) return;
  ::SendMessageW(toolBar_, TB_SETHOTITEM, static_cast<WPARAM>(highlight_), 0);
  ScrollIntoView(highlight_);
}

// Scrolls the pager until the button lies whole in its client area, which
// narrows while a scroll arrow shows; a few steps settle it.
void StripPager::ScrollIntoView(int button) {
  if (button < 0) return;
  for (int step = 0; step < 3; ++step) {
    RECT item;
    if (!::SendMessageW(toolBar_, TB_GETITEMRECT, button, reinterpret_cast<LPARAM>(&item))) return;
    ::MapWindowPoints(toolBar_, hwnd(), reinterpret_cast<POINT*>(&item), 2);
    RECT view;
    ::GetClientRect(hwnd(), &view);
    int move = ScrollToShow(item.left, item.right, view.left, view.right);
    if (move == 0) return;
    int position = static_cast<int>(::SendMessageW(hwnd(), PGM_GETPOS, 0, 0));
    ::SendMessageW(hwnd(), PGM_SETPOS, 0, std::max(0, position + move));
  }
}

// The same WM_COMMAND the tool bar sends for a click on the button.
void StripPager::Pick() {
  TBBUTTON button;
  if (!ButtonAt(toolBar_, highlight_, button) || !(button.fsState & TBSTATE_ENABLED)) return;
  ::SendMessageW(hwnd(), WM_COMMAND, MAKEWPARAM(button.idCommand, BN_CLICKED), reinterpret_cast<LPARAM>(toolBar_));
}

// The tool bar names its buttons' tool tips and keeps the highlight when the
// pointer leaves.
class StripToolBar : public Subclass<StripToolBar> {
 public:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

 private:
  void NameTip(NMTTDISPINFOW& info);
};

LRESULT StripToolBar::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_NOTIFY: {
      auto* header = reinterpret_cast<NMHDR*>(lParam);
      HWND tips = reinterpret_cast<HWND>(::SendMessageW(hwnd(), TB_GETTOOLTIPS, 0, 0));
      if (header->code == TTN_GETDISPINFOW && header->hwndFrom == tips) {
        NameTip(*reinterpret_cast<NMTTDISPINFOW*>(lParam));
        return 0;
      }
      break;
    }
    case WM_MOUSELEAVE: {
      LRESULT result = CallBase(message, wParam, lParam);
      if (StripPager* strip = Subclass<StripPager>::Of(::GetParent(hwnd()))) strip->KeepHighlight();
      return result;
    }
    default:
      break;
  }
  return CallBase(message, wParam, lParam);
}

void StripToolBar::NameTip(NMTTDISPINFOW& info) {
  TBBUTTON button;
  int index = static_cast<int>(::SendMessageW(hwnd(), TB_COMMANDTOINDEX, info.hdr.idFrom, 0));
  std::wstring_view name = ButtonAt(hwnd(), index, button) ? FaceName(button.iBitmap) : std::wstring_view{};
  size_t n = std::min(name.size(), std::size(info.szText) - 1);
  name.copy(info.szText, n);
  info.szText[n] = L'\0';
  info.lpszText = info.szText;
  info.hinst = nullptr;
}

}  // namespace

void MakeFaceStrip(HWND pager, HWND toolBar, std::function<int()> currentFace) {
  // The tool tips speak the window font, which has the Chinese characters.
  if (HWND tips = reinterpret_cast<HWND>(::SendMessageW(toolBar, TB_GETTOOLTIPS, 0, 0))) {
    ::SendMessageW(tips, WM_SETFONT, ::SendMessageW(toolBar, WM_GETFONT, 0, 0), FALSE);
  }
  Subclass<StripToolBar>::Attach(toolBar, std::make_unique<StripToolBar>());
  Subclass<StripPager>::Attach(pager, std::make_unique<StripPager>(toolBar, std::move(currentFace)));
}

}  // namespace plakato
