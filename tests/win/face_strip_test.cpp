// The face strip from the keyboard, in the window built in this process: the
// highlight is the tool bar's hot button, Enter or Space picks its face as a
// click does, and each button's tool tip names its face.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/main_window_win.h"
#include "scene/face_names.h"
#include "scene/scene_surface_win.h"
#include "win_test_support.h"

namespace plakato {
namespace {

class FaceStripTest : public testing::Test {
 protected:
  FaceStripTest() : form(Options()) {
    form.Create();
    form.Show();
    ::SetForegroundWindow(form.handle());
    ::SetActiveWindow(form.handle());
    Pump();
    pager = form.Control(ControlId::FacePager);
    bar = form.Control(ControlId::FaceToolBar);
  }
  MainWindowOptions Options() {
    MainWindowOptions options;
    options.ui = &ui;
    options.quitOnClose = false;
    return options;
  }
  // A key pressed on the focused control, straight to it.
  void Key(WPARAM key) {
    ::SendMessageW(::GetFocus(), WM_KEYDOWN, key, 1);
    ::SendMessageW(::GetFocus(), WM_KEYUP, key, 0xC0000001);
  }
  // A key pressed as the program's message loop takes it, through the
  // window's keyboard navigation.
  void DialogKey(WPARAM key) {
    MSG msg{::GetFocus(), WM_KEYDOWN, key, 1, 0, {}};
    if (!::IsDialogMessageW(form.handle(), &msg)) {
      ::TranslateMessage(&msg);
      ::DispatchMessageW(&msg);
    }
    Pump();
  }
  int Hot() { return static_cast<int>(::SendMessageW(bar, TB_GETHOTITEM, 0, 0)); }
  void ClickFace(int k) {
    ::SendMessageW(pager, WM_COMMAND, MAKEWPARAM(5000 + k, BN_CLICKED), reinterpret_cast<LPARAM>(bar));
  }
  // True when button k lies whole in the part of the pager that shows the bar.
  bool InView(int k) {
    RECT item, view;
    ::SendMessageW(bar, TB_GETITEMRECT, k, reinterpret_cast<LPARAM>(&item));
    ::MapWindowPoints(bar, pager, reinterpret_cast<POINT*>(&item), 2);
    ::GetClientRect(pager, &view);
    return item.left >= view.left && item.right <= view.right;
  }
  PixelCanvas Scene() { return Capture(form.State().surface->dc(), 0, 0, 371, 120); }

  ScriptedUi ui;
  MainWindow form;
  HWND pager = nullptr;
  HWND bar = nullptr;
};

TEST_F(FaceStripTest, RightRightSpacePicksFaceTwoAsAClickDoes) {
  ASSERT_EQ(::GetFocus(), pager);
  EXPECT_EQ(Hot(), 0) << "the highlight starts on the face shown";
  PixelCanvas start = Scene();
  Key(VK_RIGHT);
  EXPECT_EQ(Hot(), 1);
  Key(VK_RIGHT);
  EXPECT_EQ(Hot(), 2);
  EXPECT_EQ(form.State().placard.face(), 0) << "moving the highlight picks nothing";
  EXPECT_EQ(Scene().pixels, start.pixels);
  Key(VK_SPACE);
  EXPECT_EQ(form.State().placard.face(), 2);
  EXPECT_EQ(Hot(), 2);
  PixelCanvas picked = Scene();
  EXPECT_NE(picked.pixels, start.pixels);
  // The same scene as a click on button 2 draws.
  ClickFace(0);
  ClickFace(2);
  EXPECT_EQ(Scene().pixels, picked.pixels);
  EXPECT_TRUE(ui.boxes.empty());
}

TEST_F(FaceStripTest, TheFaceInUseIsTheOneCheckedButtonWhereverTheHighlightGoes) {
  auto checked = [&] {
    std::vector<int> faces;
    for (int k = 0; k < 17; ++k) {
      if (::SendMessageW(bar, TB_ISBUTTONCHECKED, 5000 + k, 0)) faces.push_back(k);
    }
    return faces;
  };
  EXPECT_EQ(checked(), std::vector<int>{0});
  for (WPARAM key : {VK_END, VK_HOME, VK_RIGHT, VK_RIGHT}) Key(key);
  EXPECT_EQ(checked(), std::vector<int>{0}) << "the highlight is not the face in use";
  Key(VK_SPACE);
  Key(VK_LEFT);
  EXPECT_EQ(checked(), std::vector<int>{2});
  ClickFace(5);
  EXPECT_EQ(checked(), std::vector<int>{5});
}

TEST_F(FaceStripTest, HomeAndEndReachTheEndsAndTheArrowsStopThere) {
  Key(VK_LEFT);
  EXPECT_EQ(Hot(), 0);
  Key(VK_END);
  EXPECT_EQ(Hot(), 16);
  EXPECT_TRUE(InView(16)) << "the pager scrolls the last face into view";
  Key(VK_RIGHT);
  EXPECT_EQ(Hot(), 16);
  Key(VK_LEFT);
  EXPECT_EQ(Hot(), 15);
  Key(VK_HOME);
  EXPECT_EQ(Hot(), 0);
  EXPECT_TRUE(InView(0));
  EXPECT_EQ(::SendMessageW(pager, PGM_GETPOS, 0, 0), 0);
  EXPECT_EQ(form.State().placard.face(), 0);
}

TEST_F(FaceStripTest, EveryStepKeepsTheHighlightedFaceInView) {
  for (int k = 1; k < 17; ++k) {
    Key(VK_RIGHT);
    ASSERT_EQ(Hot(), k);
    EXPECT_TRUE(InView(k)) << "face " << k;
  }
  for (int k = 15; k >= 0; --k) {
    Key(VK_LEFT);
    ASSERT_EQ(Hot(), k);
    EXPECT_TRUE(InView(k)) << "face " << k;
  }
}

TEST_F(FaceStripTest, ArrowsAndEnterReachTheStripThroughTheWindowsKeyboardNavigation) {
  DialogKey(VK_RIGHT);
  DialogKey(VK_RIGHT);
  DialogKey(VK_RIGHT);
  EXPECT_EQ(::GetFocus(), pager) << "the arrows stay in the strip";
  EXPECT_EQ(Hot(), 3);
  DialogKey(VK_RETURN);
  EXPECT_EQ(form.State().placard.face(), 3);
  DialogKey(VK_LEFT);
  DialogKey(VK_SPACE);
  EXPECT_EQ(form.State().placard.face(), 2);
  // Tab still moves on, and the highlight goes with the focus.
  DialogKey(VK_TAB);
  EXPECT_EQ(::GetFocus(), form.Control(ControlId::SignTextEdit));
  EXPECT_EQ(Hot(), -1);
  EXPECT_TRUE(ui.boxes.empty());
}

TEST_F(FaceStripTest, TheHighlightComesBackOnTheFaceShownWhenTheFocusReturns) {
  ClickFace(14);
  ::SetFocus(form.Control(ControlId::SignTextEdit));
  EXPECT_EQ(Hot(), -1) << "no hot face while the strip has no focus";
  ::SendMessageW(pager, PGM_SETPOS, 0, 0);
  ::SetFocus(pager);
  EXPECT_EQ(Hot(), 14);
  EXPECT_TRUE(InView(14));
  // A click while the strip has the focus moves the highlight to that face.
  Key(VK_RIGHT);
  ClickFace(4);
  EXPECT_EQ(Hot(), 4);
  Key(VK_RIGHT);
  EXPECT_EQ(Hot(), 5);
}

TEST_F(FaceStripTest, ThePointerLeavingTheBarLeavesTheHighlightInPlace) {
  Key(VK_RIGHT);
  Key(VK_RIGHT);
  ASSERT_EQ(Hot(), 2);
  ::SendMessageW(bar, WM_MOUSEMOVE, 0, MAKELPARAM(33 * 5 + 16, 16));
  EXPECT_EQ(Hot(), 5) << "the pointer makes the face under it hot";
  ::SendMessageW(bar, WM_MOUSELEAVE, 0, 0);
  EXPECT_EQ(Hot(), 2);
  // Without the focus the pointer's hot face goes as the pointer leaves.
  ::SetFocus(form.Control(ControlId::SignTextEdit));
  ::SendMessageW(bar, WM_MOUSEMOVE, 0, MAKELPARAM(33 * 5 + 16, 16));
  EXPECT_EQ(Hot(), 5);
  ::SendMessageW(bar, WM_MOUSELEAVE, 0, 0);
  EXPECT_EQ(Hot(), -1);
}

TEST_F(FaceStripTest, EachButtonsToolTipIsItsFacesName) {
  HWND tips = reinterpret_cast<HWND>(::SendMessageW(bar, TB_GETTOOLTIPS, 0, 0));
  ASSERT_NE(tips, nullptr);
  for (int k = 0; k < 17; ++k) {
    TBBUTTON button{};
    ASSERT_TRUE(::SendMessageW(bar, TB_GETBUTTON, k, reinterpret_cast<LPARAM>(&button)));
    wchar_t text[80] = L"";
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof(tool);
    tool.hwnd = bar;
    tool.uId = static_cast<UINT_PTR>(button.idCommand);
    tool.lpszText = text;
    ::SendMessageW(tips, TTM_GETTEXTW, std::size(text), reinterpret_cast<LPARAM>(&tool));
    EXPECT_EQ(std::wstring(text), FaceName(k)) << "button " << k;
  }
  // Names, not captions: the buttons carry no text on the bar.
  RECT item;
  ::SendMessageW(bar, TB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&item));
  EXPECT_EQ(item.right - item.left, 33);
  EXPECT_EQ(item.bottom - item.top, 32);
}

}  // namespace
}  // namespace plakato
