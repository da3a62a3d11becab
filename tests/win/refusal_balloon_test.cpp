// A character the message edit refuses brings up a balloon under the edit
// that says why; an accepted key takes it down and brings none.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>

#include "app/main_window_win.h"
#include "app/refusal_balloon_win.h"
#include "base/dpi_win.h"
#include "base/text_win.h"
#include "driver_win.h"
#include "win_test_support.h"

namespace plakato {
namespace {

// The visible balloon tooltip of this thread, or null.
HWND VisibleBalloon() {
  return VisibleThreadWindow(TOOLTIPS_CLASSW, TTS_BALLOON);
}

// Wine's tooltip does not answer TTM_GETTITLE: the titles are checked with
// the messages' texts, and seen in the screenshot.
std::wstring BalloonText(HWND tip, HWND edit) {
  wchar_t text[256] = L"";
  TTTOOLINFOW tool{};
  tool.cbSize = TTTOOLINFOW_V2_SIZE;
  tool.hwnd = edit;
  tool.uId = 1;
  tool.lpszText = text;
  ::SendMessageW(tip, TTM_GETTEXTW, 256, reinterpret_cast<LPARAM>(&tool));
  return text;
}

class RefusalBalloonTest : public testing::Test {
 protected:
  RefusalBalloonTest() : form(Options()) {
    form.Create();
    form.Show();
    ::SetForegroundWindow(form.handle());
    edit = form.Control(ControlId::SignTextEdit);
    ::SetFocus(edit);
    Pump();
  }
  MainWindowOptions Options() {
    MainWindowOptions options;
    options.ui = &ui;
    options.quitOnClose = false;
    return options;
  }
  void Type(const std::wstring& text) {
    for (wchar_t c : text) ::SendMessageW(edit, WM_CHAR, c, 1);
  }

  ScriptedUi ui;
  MainWindow form;
  HWND edit = nullptr;
};

TEST_F(RefusalBalloonTest, AFullEditSaysWhyAndAnAcceptedKeyTakesItDown) {
  Type(L"一二三四五六七八九十甲乙丙丁");  // 28 bytes
  EXPECT_EQ(VisibleBalloon(), nullptr) << "accepted keys bring no balloon";
  Type(L"戊");                           // 30 bytes: still taken
  EXPECT_EQ(VisibleBalloon(), nullptr);

  Type(L"己");
  HWND tip = VisibleBalloon();
  ASSERT_NE(tip, nullptr) << "the refused key brings a balloon";
  EXPECT_EQ(BalloonText(tip, edit), L"标牌最多容纳30个字节（15个汉字），已用30个字节。");
  // It points at the edit: its stem is at the edit's lower edge.
  RECT balloon;
  RECT box;
  ::GetWindowRect(tip, &balloon);
  ::GetWindowRect(edit, &box);
  EXPECT_LT(balloon.left, box.right);
  EXPECT_GT(balloon.right, box.left);
  EXPECT_GE(balloon.top, box.bottom - 4);
  EXPECT_LT(balloon.top, box.bottom + 8);
  // ... and stays inside the window rather than reach past its right side.
  RECT client;
  ::GetClientRect(form.handle(), &client);
  ::MapWindowPoints(form.handle(), nullptr, reinterpret_cast<POINT*>(&client), 2);
  EXPECT_LE(balloon.right, client.right);

  // Backspace, an accepted key, takes it down and none comes back.
  ::SendMessageW(edit, WM_KEYDOWN, VK_BACK, 1);
  Type(L"\b");
  EXPECT_EQ(VisibleBalloon(), nullptr);
  Type(L"a");
  EXPECT_EQ(VisibleBalloon(), nullptr);
  EXPECT_EQ(WindowText(edit), L"一二三四五六七八九十甲乙丙丁a");

  // A character without a form is named, a pair as the whole character.
  ::SendMessageW(edit, WM_CHAR, 0xD83D, 1);
  ::SendMessageW(edit, WM_CHAR, 0xDE00, 1);
  tip = VisibleBalloon();
  ASSERT_NE(tip, nullptr);
  EXPECT_EQ(BalloonText(tip, edit), L"字符“\U0001F600”（U+1F600）不在GBK字符集中，无法写在标牌上。");

  // Losing the focus takes it down as well; the tooltip goes with the window.
  ::SetFocus(nullptr);
  EXPECT_EQ(VisibleBalloon(), nullptr);
  ::DestroyWindow(form.handle());
  EXPECT_FALSE(::IsWindow(tip));
}

TEST_F(RefusalBalloonTest, APasteThatPartlyFitsCountsWhatWentInAndTheTimerTakesItDown) {
  Type(L"abcdefghij");
  driver::SetClipboardText(L"一二三四五六七八九十甲");
  ::SendMessageW(edit, WM_PASTE, 0, 0);
  EXPECT_EQ(WindowText(edit), L"abcdefghij一二三四五六七八九十");
  HWND tip = VisibleBalloon();
  ASSERT_NE(tip, nullptr);
  EXPECT_EQ(BalloonText(tip, edit), L"标牌最多容纳30个字节（15个汉字），已用30个字节。");

  // The balloon's timer: sent now rather than waited for.
  ::SendMessageW(edit, WM_TIMER, RefusalBalloon::kTimerId, 0);
  EXPECT_EQ(VisibleBalloon(), nullptr);
  EXPECT_TRUE(ui.boxes.empty());
}

// After a move to a display of another dpi the balloon is written in the
// edit's font for that display, not the one it was first shown in.
TEST_F(RefusalBalloonTest, TheBalloonIsWrittenAtTheDisplaysSizeAfterAMove) {
  auto heightOf = [](HWND window) {
    LOGFONTW lf{};
    ::GetObjectW(reinterpret_cast<HFONT>(::SendMessageW(window, WM_GETFONT, 0, 0)), sizeof(lf), &lf);
    return lf.lfHeight;
  };
  auto refuse = [&] {  // a character without a form in the code page
    ::SendMessageW(edit, WM_CHAR, 0xD83D, 1);
    ::SendMessageW(edit, WM_CHAR, 0xDE00, 1);
  };
  refuse();
  HWND tip = VisibleBalloon();
  ASSERT_NE(tip, nullptr);
  const LONG before = heightOf(tip);
  EXPECT_EQ(before, heightOf(edit));
  for (int dpi : {192, 96}) {
    RECT place;
    ::GetWindowRect(form.handle(), &place);
    ::SendMessageW(form.handle(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&place));
    ::SetFocus(edit);
    refuse();
    tip = VisibleBalloon();
    ASSERT_NE(tip, nullptr);
    EXPECT_EQ(heightOf(tip), heightOf(edit)) << "at " << dpi << " dpi";
    EXPECT_EQ(heightOf(tip), dpi == 192 ? 2 * before : before);
  }
}

}  // namespace
}  // namespace plakato
