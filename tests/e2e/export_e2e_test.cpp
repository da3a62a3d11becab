// The export in the real program through the real save dialog: the file is
// the encoder's JPEG of exactly the scene's crop, with the expected header.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "driver_win.h"
#include "export/crop.h"
#include "export/jpeg_decode.h"
#include "export/jpeg_encode.h"

namespace {

std::vector<uint8_t> ReadFileBytes(const std::wstring& path) {
  std::vector<uint8_t> bytes;
  HANDLE file = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return bytes;
  uint8_t buffer[65536];
  DWORD got = 0;
  while (::ReadFile(file, buffer, sizeof(buffer), &got, nullptr) && got > 0) bytes.insert(bytes.end(), buffer, buffer + got);
  ::CloseHandle(file);
  return bytes;
}

TEST(ExportE2e, TheSaveDialogWritesTheCropOfTheSceneAsBaselineJfif) {
  wchar_t temp[MAX_PATH];
  ::GetTempPathW(MAX_PATH, temp);
  std::wstring folder = std::wstring(temp) + L"plakato-export-e2e\\";
  ::CreateDirectoryW(folder.c_str(), nullptr);
  std::wstring path = folder + L"举牌.jpg";
  ::DeleteFileW(path.c_str());

  driver::Process app = driver::Process::Launch(driver::OwnFolder() + L"plakato.exe");
  HWND window = driver::WaitForTopWindow(app.id(), L"Plakato - ", 20000);
  ASSERT_NE(window, nullptr);
  HWND image = driver::FindByClass(window, L"PlakatoImage");
  HWND status = driver::FindByClass(window, L"msctls_statusbar32");
  driver::Type(driver::FindByClass(window, L"Edit"), L"出口");
  driver::Pause(300);
  SIZE size{};
  std::vector<unsigned> shown = driver::CaptureClient(image, &size);

  driver::Click(driver::FindByCaption(window, L"导　出..."));
  HWND dialog = driver::WaitForDialog(app.id(), 10000);
  ASSERT_NE(dialog, nullptr);
  HWND name = driver::FindByClass(dialog, L"Edit");
  ASSERT_NE(name, nullptr);
  std::wstring typed = folder + L"举牌";  // the dialog adds ".jpg"
  ::SendMessageW(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(typed.c_str()));
  ::PostMessageW(dialog, WM_COMMAND, IDOK, 0);
  EXPECT_EQ(driver::WaitForTextStartingWith(status, L"导出成功至："), L"导出成功至：" + path);

  std::vector<uint8_t> jpeg = ReadFileBytes(path);
  ASSERT_GT(jpeg.size(), 20u);
  const std::vector<uint8_t> jfif = {0xFF, 0xD8, 0xFF, 0xE0, 0, 16, 'J', 'F', 'I', 'F', 0, 1, 1, 0, 0, 1, 0, 1, 0, 0};
  EXPECT_EQ(std::vector<uint8_t>(jpeg.begin(), jpeg.begin() + 20), jfif);
  plakato::DecodedPreview decoded = plakato::DecodeJpegPreview(jpeg, 1000, 1000);
  ASSERT_GT(decoded.width, 0);

  // The same bytes as the encoder gives for the crop of the scene on screen.
  plakato::PixelCanvas scene(size.cx, size.cy);
  std::transform(shown.begin(), shown.end(), scene.pixels.begin(), plakato::SwapRedBlue);
  plakato::Rect crop = plakato::CropRectangle(size.cx, size.cy, decoded.width, decoded.height);
  EXPECT_EQ(jpeg, plakato::EncodeJpeg(plakato::CropPixels(scene, crop)));

  // The next export offers the same name, and its pane previews that file.
  driver::Click(driver::FindByCaption(window, L"导　出..."));
  dialog = driver::WaitForDialog(app.id(), 10000);
  ASSERT_NE(dialog, nullptr);
  driver::Pause(500);
  EXPECT_EQ(driver::ReadText(driver::FindByClass(dialog, L"Edit")).find(L"举牌"), 0u);
  HWND preview = driver::FindByCaption(dialog, std::to_wstring(decoded.width) + L" x " +
                                                   std::to_wstring(decoded.height));
  EXPECT_NE(preview, nullptr) << "the preview names the picture's size";
  ::CreateDirectoryW((driver::OwnFolder() + L"screenshots").c_str(), nullptr);
  driver::SaveScreenshot(dialog, driver::OwnFolder() + L"screenshots\\save-dialog.bmp");
  ::PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
  driver::WaitUntil([&] { return !::IsWindow(dialog); });
  EXPECT_EQ(driver::ReadText(status), L"") << "a cancelled export leaves the status bar empty";
  driver::PressCloseBox(window);
  EXPECT_EQ(app.WaitForExit(10000), 0u);
}

}  // namespace
