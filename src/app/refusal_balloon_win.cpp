#include "app/refusal_balloon_win.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <cwchar>

#include "base/font_win.h"

namespace plakato {

namespace {

constexpr UINT_PTR kToolId = 1;
// The text wraps at this many times the font's height: two short lines for
// the longest message, well inside the window.
constexpr int kWidthInLines = 18;
// The stem stays this far inside the edit's ends, the balloon as far inside
// the window's right side.
constexpr LONG kEdgeInset = 6;

TTTOOLINFOW ToolOf(HWND edit, const wchar_t* text) {
  TTTOOLINFOW tool{};
  // The size common controls 5 also accept (the test programs carry no manifest).
  tool.cbSize = TTTOOLINFOW_V2_SIZE;
  tool.uFlags = TTF_TRACK | TTF_ABSOLUTE;
  tool.hwnd = edit;
  tool.uId = kToolId;
  tool.lpszText = const_cast<wchar_t*>(text);
  return tool;
}

}  // namespace

RefusalBalloon::~RefusalBalloon() {
  if (shown_) ::KillTimer(edit_, kTimerId);
  // When the main window goes, the tooltip it owns goes before the edit.
  if (tip_ && !::IsWindow(tip_.get())) tip_.release();
}

bool RefusalBalloon::Create() {
  if (tip_) return true;
  tip_.reset(::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                               WS_POPUP | TTS_NOPREFIX | TTS_BALLOON | TTS_ALWAYSTIP, CW_USEDEFAULT, CW_USEDEFAULT,
                               CW_USEDEFAULT, CW_USEDEFAULT, edit_, nullptr, ::GetModuleHandleW(nullptr), nullptr));
  if (!tip_) return false;
  TTTOOLINFOW tool = ToolOf(edit_, L"");
  if (!::SendMessageW(tip_.get(), TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool))) {
    tip_.reset();
    return false;
  }
  return true;
}

// The tooltip's own font (MS Shell Dlg) has no Chinese under Wine: it takes
// the edit's, a Song face, which shows whatever the edit shows. The edit's
// font follows the display's dpi, so it is looked at before every showing.
void RefusalBalloon::FollowEditFont() {
  LOGFONTW lf{};
  auto editFont = reinterpret_cast<HFONT>(::SendMessageW(edit_, WM_GETFONT, 0, 0));
  if (!editFont || !::GetObjectW(editFont, sizeof(lf), &lf)) {
    lf = MakeLogFont(L"宋体", GB2312_CHARSET, -12, FW_DONTCARE);
  }
  if (font_ && std::memcmp(&lf, &fontShown_, sizeof(lf)) == 0) return;
  UniqueFont font(::CreateFontIndirectW(&lf));
  if (!font) return;
  ::SendMessageW(tip_.get(), WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), FALSE);
  font_ = std::move(font);  // the old font goes once the tooltip no longer uses it
  fontShown_ = lf;
  int lineHeight = std::max(12, std::abs(static_cast<int>(lf.lfHeight)));
  ::SendMessageW(tip_.get(), TTM_SETMAXTIPWIDTH, 0, kWidthInLines * lineHeight);
}

// Under the caret, on the edit's lower edge.
POINT RefusalBalloon::Anchor() const {
  RECT client{};
  ::GetClientRect(edit_, &client);
  POINT caret{client.left, client.top};
  if (::GetFocus() != edit_ || !::GetCaretPos(&caret)) caret.x = client.left + 16;
  LONG left = client.left + kEdgeInset;
  POINT at{std::clamp<LONG>(caret.x, left, std::max(left, client.right - kEdgeInset)), client.bottom};
  ::ClientToScreen(edit_, &at);
  return at;
}

void RefusalBalloon::Show(const RefusalMessage& message) {
  if (message.text.empty() || !::IsWindowVisible(edit_) || !Create()) return;
  FollowEditFont();
  HWND tip = tip_.get();
  TTTOOLINFOW tool = ToolOf(edit_, message.text.c_str());
  ::SendMessageW(tip, TTM_TRACKACTIVATE, FALSE, reinterpret_cast<LPARAM>(&tool));
  ::SendMessageW(tip, TTM_SETTITLEW, TTI_WARNING, reinterpret_cast<LPARAM>(message.title.c_str()));
  ::SendMessageW(tip, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
  POINT at = Anchor();
  ::SendMessageW(tip, TTM_TRACKPOSITION, 0, MAKELPARAM(at.x, at.y));
  ::SendMessageW(tip, TTM_TRACKACTIVATE, TRUE, reinterpret_cast<LPARAM>(&tool));
  // A balloon that would stick out right of the window's client area
  // points further left on the edit instead; its size is known only once
  // it is up.
  RECT balloon{};
  RECT client{};
  RECT box{};
  ::GetWindowRect(tip, &balloon);
  HWND root = ::GetAncestor(edit_, GA_ROOT);
  ::GetClientRect(root, &client);
  ::MapWindowPoints(root, nullptr, reinterpret_cast<POINT*>(&client), 2);
  ::GetWindowRect(edit_, &box);
  LONG x = std::max<LONG>(at.x - (balloon.right - (client.right - kEdgeInset)), box.left + kEdgeInset);
  if (x < at.x) ::SendMessageW(tip, TTM_TRACKPOSITION, 0, MAKELPARAM(x, at.y));
  ::SetTimer(edit_, kTimerId, kShowMilliseconds, nullptr);
  shown_ = true;
}

void RefusalBalloon::Hide() {
  if (!shown_) return;
  shown_ = false;
  ::KillTimer(edit_, kTimerId);
  TTTOOLINFOW tool = ToolOf(edit_, nullptr);
  if (tip_) ::SendMessageW(tip_.get(), TTM_TRACKACTIVATE, FALSE, reinterpret_cast<LPARAM>(&tool));
}

bool RefusalBalloon::OnTimer(UINT_PTR timer) {
  if (timer != kTimerId) return false;
  Hide();
  return true;
}

}  // namespace plakato
