// The ways the placard leaves the real program, through real keyboard input:
// Ctrl+C fills the clipboard with the crop of the scene on screen, Ctrl+S
// opens the save dialog whose second type writes a PNG of that crop, and a
// key the message edit refuses shows a balloon that says why.
#include <windows.h>
#include <commctrl.h>
#include <dlgs.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "clipboard_bytes.h"
#include "driver_win.h"
#include "export/crop.h"

namespace {

using plakato::testing::ClipboardBytes;

// The scene as the screen shows it, in the program's 0x00BBGGRR pixels.
plakato::PixelCanvas ShownScene(HWND image) {
  SIZE size{};
  std::vector<unsigned> shown = driver::CaptureClient(image, &size);
  plakato::PixelCanvas scene(size.cx, size.cy);
  std::transform(shown.begin(), shown.end(), scene.pixels.begin(), plakato::SwapRedBlue);
  return scene;
}

plakato::PixelCanvas CropOf(const plakato::PixelCanvas& scene, int width, int height) {
  return plakato::CropPixels(scene, plakato::CropRectangle(scene.width, scene.height, width, height));
}

class PlacardOutE2e : public testing::Test {
 protected:
  void SetUp() override {
    window = driver::WaitForTopWindow(app.id(), L"Plakato - ", 20000);
    ASSERT_NE(window, nullptr);
    image = driver::FindByClass(window, L"PlakatoImage");
    status = driver::FindByClass(window, L"msctls_statusbar32");
    edit = driver::FindByClass(window, L"Edit");
    ASSERT_TRUE(driver::BringToFront(window));
  }
  void TearDown() override {
    driver::PressCloseBox(window);
    EXPECT_EQ(app.WaitForExit(10000), 0u);
  }

  driver::Process app = driver::Process::Launch(driver::OwnFolder() + L"plakato.exe");
  HWND window = nullptr;
  HWND image = nullptr;
  HWND status = nullptr;
  HWND edit = nullptr;
};

TEST_F(PlacardOutE2e, CtrlCPutsTheCropOfTheSceneOnTheClipboard) {
  driver::Type(edit, L"复制");
  driver::Pause(300);
  plakato::PixelCanvas scene = ShownScene(image);
  driver::SetClipboardText(L"before");
  driver::PressCtrlKey('C');  // the focus is on the face strip
  EXPECT_EQ(driver::WaitForTextStartingWith(status, L"已复制到剪贴板"), L"已复制到剪贴板");

  std::vector<uint8_t> dib = ClipboardBytes(CF_DIB);
  ASSERT_GE(dib.size(), sizeof(BITMAPINFOHEADER));
  BITMAPINFOHEADER header;
  std::memcpy(&header, dib.data(), sizeof(header));
  ASSERT_EQ(header.biBitCount, 24);
  ASSERT_GT(header.biHeight, 0);
  size_t stride = (static_cast<size_t>(header.biWidth) * 3 + 3) & ~size_t{3};
  ASSERT_GE(dib.size(), header.biSize + stride * header.biHeight);
  plakato::PixelCanvas expected = CropOf(scene, header.biWidth, header.biHeight);
  int wrong = 0;
  for (int y = 0; y < expected.height; ++y) {
    const uint8_t* row = dib.data() + header.biSize + stride * (expected.height - 1 - y);
    for (int x = 0; x < expected.width; ++x) {
      uint32_t got = uint32_t{row[3 * x]} << 16 | uint32_t{row[3 * x + 1]} << 8 | row[3 * x + 2];
      wrong += got != expected.At(x, y);
    }
  }
  EXPECT_EQ(wrong, 0) << "pixels of the clipboard's DIB that differ from the screen";
  std::vector<uint8_t> png = ClipboardBytes(::RegisterClipboardFormatW(L"PNG"));
  ASSERT_GE(png.size(), 8u);
  EXPECT_EQ(std::memcmp(png.data(), "\x89PNG\r\n\x1a\n", 8), 0);
}

// Leaves the PNG and the crop of the screen, as a PPM, in png-export\ beside
// the tests, where a script compares them with an independent decoder.
TEST_F(PlacardOutE2e, CtrlSOpensTheSaveDialogAndItsPngTypeWritesTheCropOnScreen) {
  std::wstring folder = driver::OwnFolder() + L"png-export\\";
  ::CreateDirectoryW(folder.c_str(), nullptr);
  std::wstring path = folder + L"举牌.png";
  ::DeleteFileW(path.c_str());
  driver::Type(edit, L"透明无损");
  driver::Pause(300);
  plakato::PixelCanvas scene = ShownScene(image);

  driver::PressCtrlKey('S');
  HWND dialog = driver::WaitForDialog(app.id(), 10000);
  ASSERT_NE(dialog, nullptr);
  HWND types = ::GetDlgItem(dialog, cmb1);
  ASSERT_NE(types, nullptr);
  ASSERT_EQ(::SendMessageW(types, CB_GETCOUNT, 0, 0), 6);
  const wchar_t* listed[] = {L"2x PNG Image File (*.png)", L"WebP Sticker 512 (*.webp)", L"PNG Sticker 512 (*.png)",
                             L"GIF Animation (*.gif)"};
  for (int k = 2; k < 6; ++k) {
    wchar_t type[64] = {};
    ::SendMessageW(types, CB_GETLBTEXT, k, reinterpret_cast<LPARAM>(type));
    EXPECT_STREQ(type, listed[k - 2]);
  }
  ::SendMessageW(types, CB_SETCURSEL, 1, 0);
  // What a choice in the drop-down list tells the dialog.
  for (WORD code : {CBN_SELCHANGE, CBN_SELENDOK}) {
    ::SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(cmb1, code), reinterpret_cast<LPARAM>(types));
  }
  std::wstring typed = folder + L"举牌";  // the chosen type gives ".png"
  ::SendMessageW(driver::FindByClass(dialog, L"Edit"), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(typed.c_str()));
  ::PostMessageW(dialog, WM_COMMAND, IDOK, 0);
  EXPECT_EQ(driver::WaitForTextStartingWith(status, L"导出成功至："), L"导出成功至：" + path);

  HANDLE file = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  uint8_t head[24] = {};
  DWORD got = 0;
  ::ReadFile(file, head, sizeof(head), &got, nullptr);
  ::CloseHandle(file);
  ASSERT_EQ(got, sizeof(head));
  ASSERT_EQ(std::memcmp(head, "\x89PNG\r\n\x1a\nxxxxIHDR", 8), 0);
  auto be = [&](int at) { return int(head[at]) << 24 | int(head[at + 1]) << 16 | int(head[at + 2]) << 8 | head[at + 3]; };
  plakato::PixelCanvas expected = CropOf(scene, be(16), be(20));
  ASSERT_GT(expected.width, 0);

  std::string ppm = "P6\n" + std::to_string(expected.width) + " " + std::to_string(expected.height) + "\n255\n";
  for (uint32_t p : expected.pixels) ppm += {char(p & 0xFF), char((p >> 8) & 0xFF), char((p >> 16) & 0xFF)};
  FILE* out = _wfopen((folder + L"screen-crop.ppm").c_str(), L"wb");
  ASSERT_NE(out, nullptr);
  fwrite(ppm.data(), 1, ppm.size(), out);
  fclose(out);

  // The third type writes the large picture: twice as wide.
  driver::PressCtrlKey('S');
  dialog = driver::WaitForDialog(app.id(), 10000);
  ASSERT_NE(dialog, nullptr);
  types = ::GetDlgItem(dialog, cmb1);
  ::SendMessageW(types, CB_SETCURSEL, 2, 0);
  for (WORD code : {CBN_SELCHANGE, CBN_SELENDOK}) {
    ::SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(cmb1, code), reinterpret_cast<LPARAM>(types));
  }
  std::wstring large = folder + L"大图.png";
  ::DeleteFileW(large.c_str());
  ::SendMessageW(driver::FindByClass(dialog, L"Edit"), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(large.c_str()));
  ::PostMessageW(dialog, WM_COMMAND, IDOK, 0);
  EXPECT_EQ(driver::WaitForTextStartingWith(status, L"导出成功至：" + large), L"导出成功至：" + large);
  file = ::CreateFileW(large.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  ::ReadFile(file, head, sizeof(head), &got, nullptr);
  ::CloseHandle(file);
  EXPECT_EQ(be(16), 2 * expected.width);
}

// A name whose extension the program does not write gets the chosen type's
// format and extension, completed inside the dialog.
TEST_F(PlacardOutE2e, ThePngTypeCompletesAnOddNameAndWritesAPng) {
  const std::wstring odd = driver::OwnFolder() + L"bigcn.jpgyellow";
  for (const std::wstring& path : {odd, odd + L".png"}) ::DeleteFileW(path.c_str());
  driver::PressCtrlKey('S');
  HWND dialog = driver::WaitForDialog(app.id(), 10000);
  ASSERT_NE(dialog, nullptr);
  HWND types = ::GetDlgItem(dialog, cmb1);
  ::SendMessageW(types, CB_SETCURSEL, 1, 0);  // "PNG Image File (*.png)"
  for (WORD code : {CBN_SELCHANGE, CBN_SELENDOK}) {
    ::SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(cmb1, code), reinterpret_cast<LPARAM>(types));
  }
  ::SendMessageW(driver::FindByClass(dialog, L"Edit"), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(odd.c_str()));
  ::PostMessageW(dialog, WM_COMMAND, IDOK, 0);
  EXPECT_EQ(driver::WaitForTextStartingWith(status, L"导出成功至："), L"导出成功至：" + odd + L".png");
  EXPECT_EQ(::GetFileAttributesW(odd.c_str()), INVALID_FILE_ATTRIBUTES);
  char head[4] = {};
  if (FILE* in = _wfopen((odd + L".png").c_str(), L"rb")) {
    fread(head, 1, sizeof head, in);
    fclose(in);
  }
  EXPECT_EQ(std::string(head, 4), "\x89PNG");
}

TEST_F(PlacardOutE2e, ARefusedKeyShowsABalloonThatTheNextKeyTakesAway) {
  // The click lands in the middle of the field: typing before it is handled
  // would put the caret inside the text.
  ASSERT_TRUE(driver::ClickToFocus(window, edit));
  driver::Type(edit, L"一二三四五六七八九十一二三四五");  // 30 bytes: full
  driver::Pause(200);
  EXPECT_TRUE(driver::VisibleTopWindows(app.id(), TOOLTIPS_CLASSW).empty());
  driver::TypeKeys(L"满");
  std::vector<HWND> balloons;
  driver::WaitUntil([&] { return !(balloons = driver::VisibleTopWindows(app.id(), TOOLTIPS_CLASSW)).empty(); });
  ASSERT_EQ(balloons.size(), 1u);
  EXPECT_TRUE(::GetWindowLongW(balloons[0], GWL_STYLE) & TTS_BALLOON);
  EXPECT_EQ(driver::ReadText(edit), L"一二三四五六七八九十一二三四五");
  RECT tip;
  RECT field;
  ::GetWindowRect(balloons[0], &tip);
  ::GetWindowRect(edit, &field);
  EXPECT_GE(tip.top, field.top) << "the balloon points at the edit from below";
  EXPECT_LT(tip.top, field.bottom + 40);
  ::CreateDirectoryW((driver::OwnFolder() + L"screenshots").c_str(), nullptr);
  driver::SaveScreenshot(window, driver::OwnFolder() + L"screenshots\\balloon.bmp");

  driver::PressKey(VK_BACK);
  driver::WaitUntil([&] { return driver::VisibleTopWindows(app.id(), TOOLTIPS_CLASSW).empty(); });
  EXPECT_TRUE(driver::VisibleTopWindows(app.id(), TOOLTIPS_CLASSW).empty());
  EXPECT_EQ(driver::ReadText(edit), L"一二三四五六七八九十一二三四");
}

}  // namespace
