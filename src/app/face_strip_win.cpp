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
  StripPager(HWND toolBar, FaceStrip::CurrentFace currentFace, FaceStrip::PickFace pickFace)
      : toolBar_(toolBar), currentFace_(std::move(currentFace)), pickFace_(std::move(pickFace)) {}

  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  // Shows the face in use as the one pressed button of the strip, whatever
  // the keyboard's highlight does.
  void CheckFaceShown() {
    ::SendMessageW(toolBar_, TB_CHECKBUTTON, static_cast<WPARAM>(kFaceCommandBase + currentFace_()), TRUE);
  }
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

  void PickCommand(int command);

  HWND toolBar_;
  FaceStrip::CurrentFace currentFace_;
  FaceStrip::PickFace pickFace_;
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
        PickCommand(LOWORD(wParam));
        CheckFaceShown();
        if (focused_) HighlightFaceShown();
        return 0;
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

// The face of the button with this command, as its image says.
void StripPager::PickCommand(int command) {
  TBBUTTONINFOW info{};
  info.cbSize = sizeof(info);
  info.dwMask = TBIF_IMAGE;
  if (::SendMessageW(toolBar_, TB_GETBUTTONINFOW, command, reinterpret_cast<LPARAM>(&info)) < 0) return;
  pickFace_(info.iImage);
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

void FaceStrip::Create(HWND rebar, HWND pager, HWND toolBar, const LayoutScale& scale, int dpi,
                       CurrentFace currentFace, PickFace pickFace) {
  rebar_ = rebar;
  pager_ = pager;
  toolBar_ = toolBar;
  ::SendMessageW(pager, PGM_SETBKCOLOR, 0, static_cast<LPARAM>(::GetSysColor(COLOR_BTNFACE)));
  REBARBANDINFOW band{};
  band.cbSize = sizeof(band);
  band.fMask = RBBIM_CHILD | RBBIM_CHILDSIZE | RBBIM_SIZE | RBBIM_STYLE | RBBIM_COLORS;
  band.clrFore = ::GetSysColor(COLOR_BTNTEXT);
  band.clrBack = ::GetSysColor(COLOR_BTNFACE);
  band.fStyle = RBBS_GRIPPERALWAYS;
  band.hwndChild = pager;
  band.cxMinChild = 0;
  band.cyMinChild = scale(33);
  band.cx = scale(367);
  ::SendMessageW(rebar, RB_INSERTBANDW, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&band));
  PlacePager(scale);

  ::SendMessageW(toolBar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
  ::SendMessageW(pager, PGM_SETCHILD, 0, reinterpret_cast<LPARAM>(toolBar));
  const int count = FaceImages().Count();
  // Each button goes in front of the ones made before it.
  for (int i = count - 1; i >= 0; --i) {
    TBBUTTON button{};
    button.iBitmap = i;
    button.idCommand = kFaceCommandBase + i;
    button.fsState = TBSTATE_ENABLED;
    // One group of check buttons, as radio buttons: one face is in use.
    button.fsStyle = BTNS_CHECKGROUP;
    ::SendMessageW(toolBar, TB_INSERTBUTTONW, 0, reinterpret_cast<LPARAM>(&button));
  }
  SizeButtons(scale, dpi);
  Subclass<StripToolBar>::Attach(toolBar, std::make_unique<StripToolBar>());
  auto strip = std::make_unique<StripPager>(toolBar, std::move(currentFace), std::move(pickFace));
  strip->CheckFaceShown();
  Subclass<StripPager>::Attach(pager, std::move(strip));
}

void FaceStrip::Rescale(const LayoutScale& scale, int dpi) {
  REBARBANDINFOW band{};
  band.cbSize = sizeof(band);
  band.fMask = RBBIM_CHILDSIZE | RBBIM_SIZE;
  band.cxMinChild = 0;
  band.cyMinChild = scale(33);
  band.cx = scale(367);
  ::SendMessageW(rebar_, RB_SETBANDINFOW, 0, reinterpret_cast<LPARAM>(&band));
  PlacePager(scale);
  SizeButtons(scale, dpi);
}

// The rebar leaves a right margin of its own that differs between comctl32
// versions, so the pager is put back at its designed place afterwards.
void FaceStrip::PlacePager(const LayoutScale& scale) {
  Rect place = scale(DesignOf(ControlId::FacePager).bounds);
  ::MoveWindow(pager_, place.left, place.top, place.width(), place.height(), FALSE);
}

void FaceStrip::SizeButtons(const LayoutScale& scale, int dpi) {
  const ImageList& faces = FaceImagesAt(dpi);
  ::SendMessageW(pager_, PGM_SETBUTTONSIZE, 0, scale(12));
  UniqueImageList images = MakeSystemImageList(faces);
  ::SendMessageW(toolBar_, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images.get()));
  images_ = std::move(images);  // the old list goes once the tool bar has let go of it
  ::SendMessageW(toolBar_, TB_SETBITMAPSIZE, 0, MAKELPARAM(faces.Width(), faces.Height()));
  ::SendMessageW(toolBar_, TB_SETBUTTONSIZE, 0, MAKELPARAM(scale(33), scale(32)));
  SIZE size{};
  ::SendMessageW(toolBar_, TB_GETMAXSIZE, 0, reinterpret_cast<LPARAM>(&size));
  RECT pagerArea;
  ::GetClientRect(pager_, &pagerArea);
  ::SetWindowPos(toolBar_, nullptr, 0, 0, size.cx, pagerArea.bottom, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  ::SendMessageW(pager_, PGM_RECALCSIZE, 0, 0);
  // Some pagers (Wine's) decide which arrows to show only when the position
  // changes; a step there and back shows the right arrow from the start.
  int at = static_cast<int>(::SendMessageW(pager_, PGM_GETPOS, 0, 0));
  ::SendMessageW(pager_, PGM_SETPOS, 0, at + 1);
  ::SendMessageW(pager_, PGM_SETPOS, 0, at);

  // The tool tips speak the window font, which has the Chinese characters.
  if (HWND tips = reinterpret_cast<HWND>(::SendMessageW(toolBar_, TB_GETTOOLTIPS, 0, 0))) {
    ::SendMessageW(tips, WM_SETFONT, ::SendMessageW(toolBar_, WM_GETFONT, 0, 0), FALSE);
  }
}

// The pager scrolls the tool bar, which is as wide as its buttons.
bool FaceStrip::OnNotify(NMHDR* header) const {
  if (!pager_ || header->hwndFrom != pager_ || header->code != PGN_CALCSIZE) return false;
  auto* calc = reinterpret_cast<NMPGCALCSIZE*>(header);
  SIZE size{};
  ::SendMessageW(toolBar_, TB_GETMAXSIZE, 0, reinterpret_cast<LPARAM>(&size));
  if (calc->dwFlag == PGF_CALCWIDTH) calc->iWidth = size.cx;
  if (calc->dwFlag == PGF_CALCHEIGHT) calc->iHeight = size.cy;
  return true;
}

}  // namespace plakato
