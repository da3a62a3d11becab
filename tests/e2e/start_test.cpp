// The real plakato.exe started as a user starts it, checked from outside.
#include <gtest/gtest.h>

#include "app/app_text.h"
#include "driver_win.h"

namespace {

const std::wstring kCaptionPrefix = L"Plakato - ";

std::wstring ProgramPath() { return driver::OwnFolder() + L"plakato.exe"; }

struct Started {
  driver::Process process;
  HWND window;
};

Started Start(const std::wstring& arguments = L"") {
  Started s{driver::Process::Launch(ProgramPath(), arguments), nullptr};
  s.window = driver::WaitForTopWindow(s.process.id(), kCaptionPrefix, 20000);
  return s;
}

void ExpectRect(HWND form, const std::wstring& caption, RECT expected) {
  HWND control = driver::FindByCaption(form, caption);
  ASSERT_NE(control, nullptr) << "no control captioned " << testing::PrintToString(caption);
  RECT rc = driver::RectIn(control, form);
  EXPECT_EQ(rc.left, expected.left) << testing::PrintToString(caption);
  EXPECT_EQ(rc.top, expected.top) << testing::PrintToString(caption);
  EXPECT_EQ(rc.right, expected.right) << testing::PrintToString(caption);
  EXPECT_EQ(rc.bottom, expected.bottom) << testing::PrintToString(caption);
}

RECT ByClass(HWND form, const wchar_t* cls) { return driver::RectIn(driver::FindByClass(form, cls), form); }

TEST(Start, WindowOpensAtItsDesignedSizeAndClosesByTheCloseBox) {
  Started app = Start();
  ASSERT_NE(app.window, nullptr) << "the main window did not appear";
  EXPECT_EQ(driver::ReadText(app.window), L"Plakato - support@plakato.cn");
  SIZE client = driver::ClientSize(app.window);
  EXPECT_EQ(client.cx, 371);
  EXPECT_EQ(client.cy, 327);

  // Places in the window's client area (parents' offsets added).
  ExpectRect(app.window, L"退　出", {302, 235, 367, 300});
  ExpectRect(app.window, L"字体设置...", {0, 282, 81, 304});
  ExpectRect(app.window, L"背景色设置...", {88, 282, 177, 304});
  ExpectRect(app.window, L"导　出...", {208, 282, 281, 304});
  ExpectRect(app.window, L"设置QQ号...", {208, 254, 281, 276});
  ExpectRect(app.window, L"导出至QQ表情", {8, 260, 105, 277});
  ExpectRect(app.window, L"K", {300, 5, 367, 62});
  ExpectRect(app.window, L"文字内容：", {8, 236, 68, 248});

  RECT edit = ByClass(app.window, L"Edit");
  EXPECT_EQ(edit.left, 72);
  EXPECT_EQ(edit.top, 228);
  EXPECT_EQ(edit.right - edit.left, 209);
  EXPECT_EQ(edit.bottom - edit.top, 20);
  RECT status = ByClass(app.window, L"msctls_statusbar32");
  EXPECT_EQ(status.top, 308);
  EXPECT_EQ(status.bottom, 327);
  EXPECT_EQ(status.right - status.left, 371);
  RECT pager = ByClass(app.window, L"SysPager");
  EXPECT_EQ(pager.left, 9);
  EXPECT_EQ(pager.top, 65);
  EXPECT_EQ(pager.right - pager.left, 354);
  EXPECT_EQ(pager.bottom - pager.top, 33);
  RECT image = ByClass(app.window, L"PlakatoImage");
  EXPECT_EQ(image.left, 0);
  EXPECT_EQ(image.top, 105);
  EXPECT_EQ(image.right, 371);
  EXPECT_EQ(image.bottom, 225);

  driver::Pause(300);  // let the first paint reach the screen
  CreateDirectoryW((driver::OwnFolder() + L"screenshots").c_str(), nullptr);
  driver::SaveScreenshot(app.window, driver::OwnFolder() + L"screenshots\\start.bmp");

  driver::PressCloseBox(app.window);
  EXPECT_EQ(app.process.WaitForExit(10000), 0u);
}

TEST(Start, AboutBoxShowsTheProductTextAndExitEndsTheProgram) {
  Started app = Start();
  ASSERT_NE(app.window, nullptr);
  driver::Click(driver::FindByCaption(app.window, L"K"));
  HWND about = driver::WaitForTopWindow(app.process.id(), L"关于", 10000);
  ASSERT_NE(about, nullptr) << "the About box did not open";
  EXPECT_EQ(driver::ReadText(about), L"关于");
  HWND text = driver::FindByCaption(about, plakato::AboutText());
  EXPECT_NE(text, nullptr) << "the About box does not show the product text";
  ::PostMessageW(about, WM_COMMAND, IDOK, 0);

  driver::WaitUntil([&] { return !::IsWindow(about); });
  EXPECT_FALSE(::IsWindow(about));
  driver::Click(driver::FindByCaption(app.window, L"退　出"));
  EXPECT_EQ(app.process.WaitForExit(10000), 0u);
}

TEST(Start, IgnoresItsCommandLineAndEndsWithAltF4) {
  Started app = Start(L"--reset C:\\nowhere\\face.xml /?");
  ASSERT_NE(app.window, nullptr);
  driver::PressAltF4(app.window);
  EXPECT_EQ(app.process.WaitForExit(10000), 0u);
}

}  // namespace
