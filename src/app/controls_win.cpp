#include "app/controls_win.h"

#include <commctrl.h>

#include <cstdlib>
#include <iterator>
#include <memory>
#include <optional>
#include <string>

#include "app/message_edit_win.h"
#include "base/error.h"
#include "base/font_win.h"
#include "base/handles_win.h"
#include "base/text_win.h"

namespace plakato {

namespace {

constexpr wchar_t kPanelClass[] = L"PlakatoPanel";
constexpr wchar_t kImageClass[] = L"PlakatoImage";

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

bool PointInClient(HWND window, LPARAM lParam) {
  RECT rc;
  ::GetClientRect(window, &rc);
  POINT pt{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
  return ::PtInRect(&rc, pt) != FALSE;
}

void RegisterOwnClass(HINSTANCE instance, const wchar_t* name, WNDPROC proc) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  wc.lpfnWndProc = proc;
  wc.hInstance = instance;
  wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
  wc.lpszClassName = name;
  ::RegisterClassExW(&wc);
}

// The paint messages of a control that draws itself whole: WM_PAINT and
// WM_PRINTCLIENT draw through `paint`, and the background is never erased
// apart, so nothing flickers. Nothing for any other message.
template <typename Paint>
std::optional<LRESULT> PaintMessage(HWND window, UINT message, WPARAM wParam, Paint&& paint) {
  switch (message) {
    case WM_PAINT: {
      PaintScope scope(window);
      paint(scope.get());
      return 0;
    }
    case WM_PRINTCLIENT:
      paint(reinterpret_cast<HDC>(wParam));
      return 0;
    case WM_ERASEBKGND:
      return 1;
    default:
      return std::nullopt;
  }
}

SIZE TextExtent(HWND reference, HFONT font, const std::wstring& text) {
  WindowDc dc(reference);
  SelectGuard select(dc.get(), font);
  SIZE size{};
  ::GetTextExtentPoint32W(dc.get(), text.c_str(), static_cast<int>(text.size()), &size);
  return size;
}

RECT RectInParent(HWND window) {
  RECT r;
  ::GetWindowRect(window, &r);
  ::MapWindowPoints(nullptr, ::GetParent(window), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

// A label is as large as its text; an empty label keeps the size of one space.
void SizeLabel(HWND label, HFONT font, const std::wstring& text) {
  SIZE size = TextExtent(label, font, text.empty() ? L" " : text);
  ::SetWindowPos(label, nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// Flat buttons keep their hover and pressed state in their subclass.
class FlatButton : public Subclass<FlatButton> {
 public:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

 private:
  void Paint(HDC dc);

  bool hot_ = false;
  bool pressed_ = false;
};

void FlatButton::Paint(HDC dc) {
  HWND button = hwnd();
  RECT rc;
  ::GetClientRect(button, &rc);
  ::FillRect(dc, &rc, ::GetSysColorBrush(COLOR_BTNFACE));
  bool enabled = ::IsWindowEnabled(button);
  bool down = pressed_ && hot_;
  if (enabled && down) {
    ::DrawEdge(dc, &rc, BDR_SUNKENOUTER, BF_RECT);
  } else if (enabled && hot_) {
    ::DrawEdge(dc, &rc, BDR_RAISEDINNER, BF_RECT);
  }
  std::wstring caption = WindowText(button);
  SelectGuard font(dc, reinterpret_cast<HFONT>(::SendMessageW(button, WM_GETFONT, 0, 0)));
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
}

LRESULT FlatButton::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  HWND button = hwnd();
  if (auto painted = PaintMessage(button, message, wParam, [this](HDC dc) { Paint(dc); })) return *painted;
  switch (message) {
    case WM_MOUSEMOVE: {
      bool inside = PointInClient(button, lParam);
      if (!hot_ && inside) {
        TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, button, 0};
        ::TrackMouseEvent(&track);
      }
      if (inside != hot_) {
        hot_ = inside;
        ::InvalidateRect(button, nullptr, FALSE);
      }
      return 0;
    }
    case WM_MOUSELEAVE:
      if (!pressed_) {
        hot_ = false;
        ::InvalidateRect(button, nullptr, FALSE);
      }
      return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      // Handled here rather than by the button so that the focus stays where it was.
      pressed_ = true;
      hot_ = true;
      ::SetCapture(button);
      ::InvalidateRect(button, nullptr, FALSE);
      return 0;
    case WM_LBUTTONUP: {
      bool click = pressed_ && PointInClient(button, lParam);
      pressed_ = false;
      if (::GetCapture() == button) ::ReleaseCapture();
      hot_ = PointInClient(button, lParam) && lParam != 0;
      ::InvalidateRect(button, nullptr, FALSE);
      if (click && ::IsWindowEnabled(button)) {
        ::SendMessageW(::GetParent(button), WM_COMMAND, MAKEWPARAM(::GetDlgCtrlID(button), BN_CLICKED),
                       reinterpret_cast<LPARAM>(button));
      }
      return 0;
    }
    case WM_CAPTURECHANGED:
      pressed_ = false;
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
  return CallBase(message, wParam, lParam);
}

class ForwardingContainer : public Subclass<ForwardingContainer> {
 public:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT forwarded = 0;
    if (ForwardToRoot(hwnd(), message, wParam, lParam, &forwarded)) return forwarded;
    if (message == WM_ERASEBKGND) {
      // The rebar paints only its bands; the strip below them shows the face colour.
      RECT rc;
      ::GetClientRect(hwnd(), &rc);
      ::FillRect(reinterpret_cast<HDC>(wParam), &rc, ::GetSysColorBrush(COLOR_BTNFACE));
    }
    return CallBase(message, wParam, lParam);
  }
};

}  // namespace

COLORREF BackColourOf(const ControlSpec& design) {
  return design.backColor == kNoColor ? ::GetSysColor(COLOR_BTNFACE) : static_cast<COLORREF>(design.backColor);
}

void RegisterControlClasses(HINSTANCE instance) {
  PanelWindow::Register(instance);
  ImageView::Register(instance);
}

void PanelWindow::Register(HINSTANCE instance) { RegisterOwnClass(instance, kPanelClass, &Proc); }

HWND PanelWindow::Create(HWND parent, int id, HINSTANCE instance) {
  return ::CreateWindowExW(WS_EX_CONTROLPARENT, kPanelClass, design_.caption,
                           WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, 0, 0, 0, 0, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, this);
}

void PanelWindow::Paint(HDC dc) {
  HWND window = hwnd();
  RECT rc;
  ::GetClientRect(window, &rc);
  ::SetBkColor(dc, BackColourOf(design_));
  ::ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &rc, nullptr, 0, nullptr);
  if (design_.edge == Edge::SoftBevel) ::DrawEdge(dc, &rc, BDR_RAISEDINNER, BF_RECT | BF_SOFT);
  std::wstring caption = WindowText(window);
  if (!caption.empty()) {
    SelectGuard select(dc, font_ ? font_ : ::GetStockObject(DEFAULT_GUI_FONT));
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, ::GetSysColor(COLOR_WINDOWTEXT));
    ::DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &rc,
                DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  }
}

LRESULT PanelWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  HWND window = hwnd();
  LRESULT forwarded = 0;
  if (ForwardToRoot(window, message, wParam, lParam, &forwarded)) return forwarded;
  if (auto painted = PaintMessage(window, message, wParam, [this](HDC dc) { Paint(dc); })) return *painted;
  switch (message) {
    case WM_SETFONT:
      font_ = reinterpret_cast<HFONT>(wParam);
      if (LOWORD(lParam)) ::InvalidateRect(window, nullptr, TRUE);
      return 0;
    case WM_GETFONT:
      return reinterpret_cast<LRESULT>(font_);
    case WM_LBUTTONDOWN:
      ::SetCapture(window);
      pressed_ = true;
      return 0;
    case WM_LBUTTONUP: {
      bool pressed = pressed_;
      pressed_ = false;
      if (::GetCapture() == window) ::ReleaseCapture();
      if (pressed && PointInClient(window, lParam)) {
        ::SendMessageW(::GetParent(window), WM_COMMAND, MAKEWPARAM(::GetDlgCtrlID(window), STN_CLICKED),
                       reinterpret_cast<LPARAM>(window));
      }
      return 0;
    }
    case WM_CAPTURECHANGED:
      pressed_ = false;
      return 0;
    default:
      return DefaultProc(message, wParam, lParam);
  }
}

void ImageView::Register(HINSTANCE instance) { RegisterOwnClass(instance, kImageClass, &Proc); }

HWND ImageView::Create(HWND parent, int id, HINSTANCE instance, const Rect& r) {
  return ::CreateWindowExW(0, kImageClass, L"", WS_CHILD | WS_VISIBLE, r.left, r.top, r.width(), r.height(), parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, this);
}

void ImageView::SetSource(HDC source) {
  source_ = source;
  if (hwnd()) ::InvalidateRect(hwnd(), nullptr, FALSE);
}

void ImageView::Paint(HDC dc) {
  RECT rc;
  ::GetClientRect(hwnd(), &rc);
  if (source_) {
    ::BitBlt(dc, 0, 0, rc.right, rc.bottom, source_, 0, 0, SRCCOPY);
  } else {
    ::FillRect(dc, &rc, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
  }
}

// The drag starts once the pointer leaves the rectangle of the system's drag
// size centred on the press, as DragDetect decides it; the view lets go of
// the mouse first, as the drag takes it over.
void ImageView::OnMouseMove(WPARAM keys, POINT at) {
  if (!pressed_) return;
  if ((keys & MK_LBUTTON) == 0) {
    pressed_ = false;
    if (::GetCapture() == hwnd()) ::ReleaseCapture();
    return;
  }
  int dx = at.x - pressedAt_.x;
  int dy = at.y - pressedAt_.y;
  if (std::abs(dx) * 2 <= ::GetSystemMetrics(SM_CXDRAG) && std::abs(dy) * 2 <= ::GetSystemMetrics(SM_CYDRAG)) return;
  pressed_ = false;
  HWND view = hwnd();
  if (::GetCapture() == view) ::ReleaseCapture();
  ::SendMessageW(::GetParent(view), WM_COMMAND, MAKEWPARAM(::GetDlgCtrlID(view), kImageDragStarted),
                 reinterpret_cast<LPARAM>(view));
}

LRESULT ImageView::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (auto painted = PaintMessage(hwnd(), message, wParam, [this](HDC dc) { Paint(dc); })) return *painted;
  switch (message) {
    case WM_LBUTTONDOWN:
      ::SetCapture(hwnd());  // first: taking the capture may tell this view it lost an earlier one
      pressed_ = true;
      pressedAt_ = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
      return 0;
    case WM_MOUSEMOVE:
      OnMouseMove(wParam, {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))});
      return 0;
    case WM_LBUTTONUP:
      pressed_ = false;
      if (::GetCapture() == hwnd()) ::ReleaseCapture();
      return 0;
    case WM_CAPTURECHANGED:
      pressed_ = false;
      return 0;
    case WM_CONTEXTMENU:
      // Straight to the form, naming this view: passed up parent by parent,
      // the message would arrive naming the panel in between.
      ::SendMessageW(::GetAncestor(hwnd(), GA_ROOT), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(hwnd()), lParam);
      return 0;
    default:
      return DefaultProc(message, wParam, lParam);
  }
}

void MakeFlatButton(HWND button) { Subclass<FlatButton>::Attach(button, std::make_unique<FlatButton>()); }

void ForwardNotificationsToRoot(HWND container) {
  Subclass<ForwardingContainer>::Attach(container, std::make_unique<ForwardingContainer>());
}

WindowFont MakeWindowFont(const FontSpec& design, int dpi) {
  WindowFont made;
  LOGFONTW lf = MakeLogFont(design.face, design.charSet, FontRequestHeight(design.height, dpi),
                            design.bold ? FW_BOLD : FW_NORMAL);
  made.font.reset(::CreateFontIndirectW(&lf));
  made.scale.measured = TextExtent(nullptr, made.font.get(), L"0").cy;
  if (made.scale.measured <= 0) made.scale.measured = kDesignTextHeight;
  return made;
}

FormControls::FormControls() : windows_(static_cast<size_t>(ControlId::Count), nullptr) {}
FormControls::FormControls(FormControls&&) noexcept = default;
FormControls& FormControls::operator=(FormControls&&) noexcept = default;
FormControls::~FormControls() = default;

FormControls CreateFormControls(HWND form, HFONT windowFont, const LayoutScale& scale) {
  FormControls controls;
  controls.whiteBrush_.reset(::CreateSolidBrush(RGB(255, 255, 255)));
  for (const ControlSpec& design : MainFormControls()) {
    controls.windows_[static_cast<size_t>(design.id)] = controls.CreateControl(design, form, windowFont, scale);
  }
  return controls;
}

HWND FormControls::CreateControl(const ControlSpec& design, HWND form, HFONT windowFont, const LayoutScale& scale) {
  HWND parent = design.parent == ControlId::None ? form : (*this)[design.parent];
  HINSTANCE instance = ::GetModuleHandleW(nullptr);
  int id = CommandIdOf(design.id);
  HMENU menuId = reinterpret_cast<HMENU>(static_cast<INT_PTR>(id));
  DWORD child = WS_CHILD | WS_VISIBLE | (design.tabStop ? WS_TABSTOP : 0);
  HFONT own = OwnFont(design, scale, ownFonts_);
  HFONT font = own ? own : windowFont;
  Rect r = scale(design.bounds);
  HWND hwnd = nullptr;

  auto create = [&](DWORD exStyle, const wchar_t* cls, DWORD style) {
    return ::CreateWindowExW(exStyle, cls, design.caption, child | style, r.left, r.top, r.width(), r.height(),
                             parent, menuId, instance, nullptr);
  };

  switch (design.kind) {
    case ControlKind::Panel:
      panels_.push_back(std::make_unique<PanelWindow>(design));
      hwnd = panels_.back()->Create(parent, id, instance);
      if (hwnd) ::MoveWindow(hwnd, r.left, r.top, r.width(), r.height(), FALSE);
      break;
    case ControlKind::Label:
      hwnd = create(0, L"STATIC", SS_LEFT | SS_NOPREFIX);
      SizeLabel(hwnd, font, design.caption);
      break;
    case ControlKind::Edit:
      hwnd = create(WS_EX_CLIENTEDGE, L"EDIT", ES_LEFT | ES_AUTOHSCROLL);
      LimitEditToCp936Bytes(hwnd);
      break;
    case ControlKind::CheckBox:
      hwnd = create(0, L"BUTTON", BS_AUTOCHECKBOX);
      break;
    case ControlKind::FlatButton:
      hwnd = create(0, L"BUTTON", BS_PUSHBUTTON | BS_OWNERDRAW);
      MakeFlatButton(hwnd);
      break;
    case ControlKind::PushButton:
      hwnd = create(0, L"BUTTON", BS_PUSHBUTTON);
      break;
    case ControlKind::Image:
      imageView_ = std::make_unique<ImageView>();
      hwnd = imageView_->Create(parent, id, instance, r);
      break;
    case ControlKind::StatusBar:
      hwnd = create(0, STATUSCLASSNAMEW, CCS_NORESIZE | CCS_NOPARENTALIGN | CCS_NODIVIDER);
      break;
    case ControlKind::CoolBar:
      hwnd = create(WS_EX_CONTROLPARENT, REBARCLASSNAMEW,
                    WS_CLIPCHILDREN | WS_CLIPSIBLINGS | CCS_NORESIZE | CCS_NOPARENTALIGN | CCS_NODIVIDER |
                        RBS_VARHEIGHT);
      ::SendMessageW(hwnd, RB_SETBKCOLOR, 0, static_cast<LPARAM>(::GetSysColor(COLOR_BTNFACE)));
      ForwardNotificationsToRoot(hwnd);
      break;
    case ControlKind::PageScroller:
      hwnd = create(0, WC_PAGESCROLLERW, PGS_HORZ | PGS_AUTOSCROLL | PGS_DRAGNDROP);
      break;
    case ControlKind::ToolBar:
      hwnd = create(0, TOOLBARCLASSNAMEW,
                    TBSTYLE_FLAT | TBSTYLE_TOOLTIPS | CCS_NORESIZE | CCS_NOPARENTALIGN | CCS_NODIVIDER);
      break;
  }
  if (!hwnd) throw AppError(L"无法创建控件 " + WidenUtf8(design.name));
  ::SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  return hwnd;
}

HFONT FormControls::OwnFont(const ControlSpec& design, const LayoutScale& scale, std::vector<UniqueFont>& fonts) {
  if (!design.font) return nullptr;
  LOGFONTW lf = MakeLogFont(design.font->face, design.font->charSet, -scale(design.font->height),
                            design.font->bold ? FW_BOLD : FW_NORMAL);
  fonts.emplace_back(::CreateFontIndirectW(&lf));
  return fonts.back().get();
}

void FormControls::Rescale(HFONT windowFont, const LayoutScale& scale) {
  std::vector<UniqueFont> fonts;
  for (const ControlSpec& design : MainFormControls()) {
    HWND control = (*this)[design.id];
    HFONT own = OwnFont(design, scale, fonts);
    HFONT font = own ? own : windowFont;
    ::SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    if (design.kind == ControlKind::PageScroller || design.kind == ControlKind::ToolBar) continue;
    Rect r = scale(design.bounds);
    ::SetWindowPos(control, nullptr, r.left, r.top, r.width(), r.height(), SWP_NOZORDER | SWP_NOACTIVATE);
    if (design.kind == ControlKind::Label) SizeLabel(control, font, WindowText(control));
  }
  // The old fonts go only now that no control uses them.
  ownFonts_ = std::move(fonts);
}

// Labels, the check box and the panels' captions show their parent's colour.
HBRUSH FormControls::Colour(HDC dc, HWND control) const {
  std::optional<ControlId> id = ControlOfCommand(::GetDlgCtrlID(control));
  if (!id) return nullptr;
  const ControlSpec& design = DesignOf(*id);
  const ControlSpec* parent = design.parent == ControlId::None ? nullptr : &DesignOf(design.parent);
  COLORREF back = parent ? BackColourOf(*parent) : ::GetSysColor(COLOR_BTNFACE);
  ::SetTextColor(dc, design.textColor == kNoColor ? ::GetSysColor(COLOR_WINDOWTEXT) : design.textColor);
  ::SetBkColor(dc, back);
  ::SetBkMode(dc, TRANSPARENT);
  return back == RGB(255, 255, 255) ? whiteBrush_.get() : ::GetSysColorBrush(COLOR_BTNFACE);
}

int TrackPlacardMenu(HWND owner, HWND image, LPARAM screenPoint, const PlacardMenuCommands& commands) {
  POINT at{static_cast<short>(LOWORD(screenPoint)), static_cast<short>(HIWORD(screenPoint))};
  if (screenPoint == -1) {
    RECT rc;
    ::GetWindowRect(image, &rc);
    at = {(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
  }
  UniqueMenu menu(::CreatePopupMenu());
  if (!menu) throw AppError(L"系统资源不足");
  ::AppendMenuW(menu.get(), MF_STRING, commands.copy, L"复制图片(&C)\tCtrl+C");
  ::AppendMenuW(menu.get(), MF_STRING, commands.copyLarge, L"复制大图(&L)\tCtrl+Shift+C");
  ::AppendMenuW(menu.get(), MF_STRING, commands.copySticker, L"复制贴纸(&T)");
  // The motions, in kMotions's order.
  static constexpr const wchar_t* kMotionItems[] = {L"静止(&N)", L"举牌(&P)", L"跳动(&B)", L"摇晃(&S)"};
  static_assert(std::size(kMotionItems) == std::size(kMotions));
  UniqueMenu submenu(::CreatePopupMenu());
  if (!submenu) throw AppError(L"系统资源不足");
  HMENU motions = submenu.get();
  if (!::AppendMenuW(menu.get(), MF_POPUP, reinterpret_cast<UINT_PTR>(motions), L"动画(&A)")) {
    throw AppError(L"系统资源不足");
  }
  submenu.release();  // the menu destroys it with itself
  for (size_t i = 0; i < std::size(kMotions); ++i) {
    ::AppendMenuW(motions, MF_STRING, commands.firstMotion + static_cast<int>(i), kMotionItems[i]);
    if (kMotions[i] == commands.motion) {
      ::CheckMenuRadioItem(motions, 0, static_cast<UINT>(std::size(kMotions) - 1), static_cast<UINT>(i), MF_BYPOSITION);
    }
  }
  ::AppendMenuW(motions, MF_SEPARATOR, 0, nullptr);
  ::AppendMenuW(motions, MF_STRING, commands.nextMotion, L"下一个动画(&M)\tCtrl+M");
  ::AppendMenuW(menu.get(), MF_STRING, commands.exportPicture, L"导出(&E)...\tCtrl+S");
  return static_cast<int>(
      ::TrackPopupMenu(menu.get(), TPM_RIGHTBUTTON | TPM_RETURNCMD | TPM_NONOTIFY, at.x, at.y, 0, owner, nullptr));
}

void SetLabelText(HWND label, const std::wstring& text) {
  // Clear the old text's area in the parent, which the smaller label may no longer cover.
  RECT old = RectInParent(label);
  ::SetWindowTextW(label, text.c_str());
  SizeLabel(label, reinterpret_cast<HFONT>(::SendMessageW(label, WM_GETFONT, 0, 0)), text);
  ::InvalidateRect(::GetParent(label), &old, TRUE);
}

}  // namespace plakato
