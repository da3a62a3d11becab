// The sign's settings in the real program: typing and pasting into the
// message edit, and the system's font and colour dialogs.
#include <gtest/gtest.h>

#include <windows.h>
#include <dlgs.h>

#include <algorithm>

#include "driver_win.h"

namespace {

class SettingsE2e : public testing::Test {
 protected:
  void SetUp() override {
    app = driver::Process::Launch(driver::OwnFolder() + L"plakato.exe");
    window = driver::WaitForTopWindow(app.id(), L"Plakato - ", 20000);
    ASSERT_NE(window, nullptr);
    image = driver::FindByClass(window, L"PlakatoImage");
    edit = driver::FindByClass(window, L"Edit");
    ASSERT_NE(image, nullptr);
    ASSERT_NE(edit, nullptr);
    driver::Pause(300);
    start = driver::CaptureClient(image);
  }
  void TearDown() override {
    if (!window) return;
    driver::PressCloseBox(window);
    EXPECT_EQ(app.WaitForExit(10000), 0u);
  }
  // The scene as shown once it differs from `before` (or when waiting ends).
  std::vector<unsigned> SceneOnceChanged(const std::vector<unsigned>& before) {
    std::vector<unsigned> now;
    driver::WaitUntil([&] { return (now = driver::CaptureClient(image)) != before; });
    return now;
  }
  static size_t Reddish(const std::vector<unsigned>& rgb) {
    return static_cast<size_t>(std::count_if(rgb.begin(), rgb.end(), [](unsigned c) {
      unsigned r = (c >> 16) & 0xFF, g = (c >> 8) & 0xFF, b = c & 0xFF;
      return r > 150 && g < 100 && b < 100;
    }));
  }

  driver::Process app;
  HWND window = nullptr;
  HWND image = nullptr;
  HWND edit = nullptr;
  std::vector<unsigned> start;
};

TEST_F(SettingsE2e, TypingAndPastingRedrawTheSign) {
  driver::Type(edit, L"举牌子");
  EXPECT_EQ(driver::ReadText(edit), L"举牌子");
  std::vector<unsigned> typed = SceneOnceChanged(start);
  EXPECT_NE(typed, start);
  ::CreateDirectoryW((driver::OwnFolder() + L"screenshots").c_str(), nullptr);
  driver::SaveScreenshot(window, driver::OwnFolder() + L"screenshots\\typed.bmp");

  // A paste of 40 bytes over everything keeps the first 30.
  driver::SetClipboardText(L"0123456789一二三四五六七八九十甲乙丙丁戊");
  ::SendMessageW(edit, EM_SETSEL, 0, -1);
  ::SendMessageW(edit, WM_CHAR, 0x16, 1);  // Ctrl+V
  EXPECT_EQ(driver::ReadText(edit), L"0123456789一二三四五六七八九十");
  EXPECT_NE(SceneOnceChanged(typed), typed);

  // Emptied, the sign shows the default text again: the start picture.
  ::SendMessageW(edit, EM_SETSEL, 0, -1);
  ::SendMessageW(edit, WM_CHAR, VK_BACK, 1);
  std::vector<unsigned> now;
  driver::WaitUntil([&] { return (now = driver::CaptureClient(image)) == start; });
  EXPECT_EQ(now, start);
}

TEST_F(SettingsE2e, RedFromTheFontDialogsColourListTurnsTheTextRed) {
  driver::Type(edit, L"RED");
  std::vector<unsigned> typed = SceneOnceChanged(start);
  driver::Click(driver::FindByCaption(window, L"字体设置..."));
  HWND dialog = driver::WaitForDialog(app.id(), 10000);
  ASSERT_NE(dialog, nullptr);
  HWND colours = ::GetDlgItem(dialog, cmb4);
  ASSERT_NE(colours, nullptr);
  int red = -1;
  int count = static_cast<int>(::SendMessageW(colours, CB_GETCOUNT, 0, 0));
  for (int i = 0; i < count && red < 0; ++i) {
    if (::SendMessageW(colours, CB_GETITEMDATA, i, 0) == RGB(255, 0, 0)) red = i;
  }
  ASSERT_GE(red, 0) << "the colour list offers red";
  ::SendMessageW(colours, CB_SETCURSEL, red, 0);
  ::SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(cmb4, CBN_SELCHANGE), reinterpret_cast<LPARAM>(colours));
  ::PostMessageW(dialog, WM_COMMAND, IDOK, 0);
  driver::WaitUntil([&] { return !::IsWindow(dialog); });
  std::vector<unsigned> after;
  driver::WaitUntil([&] { return Reddish(after = driver::CaptureClient(image)) > Reddish(typed); });
  EXPECT_GT(Reddish(after), Reddish(typed) + 20);
  CreateDirectoryW((driver::OwnFolder() + L"screenshots").c_str(), nullptr);
  driver::SaveScreenshot(window, driver::OwnFolder() + L"screenshots\\red-text.bmp");
}

TEST_F(SettingsE2e, CancelledDialogsLeaveTheSceneAsItWas) {
  driver::Click(driver::FindByCaption(window, L"字体设置..."));
  HWND fontDialog = driver::WaitForDialog(app.id(), 10000);
  ASSERT_NE(fontDialog, nullptr);
  ::PostMessageW(fontDialog, WM_COMMAND, IDCANCEL, 0);
  driver::WaitUntil([&] { return !::IsWindow(fontDialog); });

  driver::Click(driver::FindByCaption(window, L"背景色设置..."));
  HWND colourDialog = driver::WaitForDialog(app.id(), 10000);
  ASSERT_NE(colourDialog, nullptr);
  ::PostMessageW(colourDialog, WM_COMMAND, IDCANCEL, 0);
  driver::WaitUntil([&] { return !::IsWindow(colourDialog); });
  driver::Pause(100);
  EXPECT_EQ(driver::CaptureClient(image), start);
}

}  // namespace
