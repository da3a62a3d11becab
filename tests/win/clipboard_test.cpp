// The picture on the clipboard: Ctrl+C and the placard's menu put exactly the
// pixels the export encodes there, in both formats; Ctrl+C in the message edit
// with a selection stays a text copy; a clipboard held by another program is
// an error that changes nothing.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <thread>

#include "app/main_window_win.h"
#include "export/crop.h"
#include "export/png_codec_win.h"
#include "scene/scene_surface_win.h"
#include "clipboard_bytes.h"
#include "win_test_support.h"

namespace plakato {
namespace {

using plakato::testing::ClipboardBytes;

std::wstring ClipboardText() {
  std::vector<uint8_t> bytes = ClipboardBytes(CF_UNICODETEXT);
  std::wstring text(reinterpret_cast<const wchar_t*>(bytes.data()), bytes.size() / sizeof(wchar_t));
  return text.substr(0, text.find(L'\0'));
}

void PutText(const std::wstring& text) {
  ASSERT_TRUE(::OpenClipboard(nullptr));
  ::EmptyClipboard();
  HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
  std::memcpy(::GlobalLock(block), text.c_str(), (text.size() + 1) * sizeof(wchar_t));
  ::GlobalUnlock(block);
  ::SetClipboardData(CF_UNICODETEXT, block);
  ::CloseClipboard();
}

// A 24-bit bottom-up DIB read back into 0x00BBGGRR rows, top to bottom.
PixelCanvas FromDib(const std::vector<uint8_t>& dib) {
  PixelCanvas picture;
  if (dib.size() < sizeof(BITMAPINFOHEADER)) return picture;
  BITMAPINFOHEADER header;
  std::memcpy(&header, dib.data(), sizeof(header));
  if (header.biBitCount != 24 || header.biCompression != BI_RGB || header.biHeight <= 0) return picture;
  size_t stride = (static_cast<size_t>(header.biWidth) * 3 + 3) & ~size_t{3};
  if (dib.size() < header.biSize + stride * header.biHeight) return picture;
  picture = PixelCanvas(header.biWidth, header.biHeight);
  for (int y = 0; y < picture.height; ++y) {
    const uint8_t* row = dib.data() + header.biSize + stride * (picture.height - 1 - y);
    for (int x = 0; x < picture.width; ++x) {
      picture.At(x, y) = uint32_t{row[3 * x]} << 16 | uint32_t{row[3 * x + 1]} << 8 | row[3 * x + 2];
    }
  }
  return picture;
}

class ClipboardTest : public ::testing::Test {
 protected:
  ClipboardTest() : form(ScriptedWindowOptions(ui)) { form.Create(); }
  void Command(int id) { ::SendMessageW(form.handle(), WM_COMMAND, MAKEWPARAM(id, 1), 0); }
  std::wstring Status() { return StatusText(form.Control(ControlId::StatusBar)); }
  PixelCanvas ExpectedPicture() {
    PixelCanvas scene = Capture(form.State().surface->dc(), 0, 0, 371, 120);
    return CropPixels(scene, CropRectangle(371, 120, form.State().layout.signWidth, form.State().layout.sceneHeight));
  }

  ScriptedUi ui;
  MainWindow form;
};

TEST_F(ClipboardTest, CopyPutsTheExportedPixelsOnTheClipboardAsDibAndPng) {
  ::SetWindowTextW(form.Control(ControlId::SignTextEdit), L"复制到剪贴板");
  PutText(L"earlier");
  Command(MainWindow::kCopyCommand);
  ASSERT_TRUE(ui.boxes.empty()) << ui.boxes[0].text;
  EXPECT_EQ(Status(), L"已复制到剪贴板");

  PixelCanvas expected = ExpectedPicture();
  PixelCanvas dib = FromDib(ClipboardBytes(CF_DIB));
  EXPECT_EQ(dib.width, expected.width);
  EXPECT_EQ(dib.height, expected.height);
  EXPECT_TRUE(dib.pixels == expected.pixels);

  std::vector<uint8_t> png = ClipboardBytes(::RegisterClipboardFormatW(L"PNG"));
  ASSERT_GT(png.size(), 8u);
  DecodedPreview decoded = DecodePicturePreview(png, 4096, 4096);
  EXPECT_EQ(decoded.width, expected.width);
  EXPECT_TRUE(decoded.picture.pixels == expected.pixels);
  // What was there before is replaced, not kept beside the picture.
  EXPECT_EQ(ClipboardText(), L"");
}

TEST_F(ClipboardTest, CtrlCInTheEditWithASelectionCopiesTheText) {
  HWND edit = form.Control(ControlId::SignTextEdit);
  ::SetWindowTextW(edit, L"一二三四");
  ::SetFocus(edit);
  ::SendMessageW(edit, EM_SETSEL, 1, 3);
  PutText(L"earlier");
  Command(MainWindow::kCopyCommand);
  EXPECT_EQ(ClipboardText(), L"二三");
  EXPECT_TRUE(ClipboardBytes(CF_DIB).empty());
  EXPECT_EQ(Status(), L"");

  // Without a selection the same keys copy the picture.
  ::SendMessageW(edit, EM_SETSEL, 2, 2);
  Command(MainWindow::kCopyCommand);
  EXPECT_FALSE(ClipboardBytes(CF_DIB).empty());
}

TEST_F(ClipboardTest, AClipboardHeldByAnotherProgramIsAnErrorThatChangesNothing) {
  PutText(L"kept");
  std::atomic<bool> holding{false};
  std::atomic<bool> release{false};
  std::thread other([&] {
    if (!::OpenClipboard(nullptr)) return;
    holding = true;
    while (!release) ::Sleep(10);
    ::CloseClipboard();
  });
  while (!holding) ::Sleep(5);
  Command(MainWindow::kCopyCommand);
  release = true;
  other.join();
  ASSERT_EQ(ui.boxes.size(), 1u);
  EXPECT_EQ(ui.boxes[0].text, L"剪贴板正被其他程序占用，图片没有复制，请稍后再试.");
  EXPECT_EQ(Status(), L"");
  EXPECT_EQ(ClipboardText(), L"kept");
  EXPECT_TRUE(ClipboardBytes(CF_DIB).empty());
}

TEST_F(ClipboardTest, ExportShortcutRunsTheExportAndANameEndingInPngWritesPng) {
  std::wstring folder = FreshFolder(L"plakato-png-export");
  std::wstring path = folder + L"牌子.PNG";
  ui.saveAnswers = {path};
  Command(MainWindow::kExportCommand);
  ASSERT_TRUE(ui.boxes.empty()) << ui.boxes[0].text;
  std::string written = FileBytes(path);
  ASSERT_EQ(written.substr(0, 8), std::string("\x89PNG\r\n\x1a\n", 8));
  DecodedPreview decoded = DecodePicturePreview(
      {reinterpret_cast<const uint8_t*>(written.data()), written.size()}, 4096, 4096);
  EXPECT_TRUE(decoded.picture.pixels == ExpectedPicture().pixels);
  EXPECT_EQ(Status(), L"导出成功至：" + path);
}

TEST(ClipboardOwnerTest, ThePngOutlivesTheWindowThatCopiedIt) {
  ScriptedUi ui;
  MainWindowOptions options;
  options.ui = &ui;
  options.quitOnClose = false;
  PixelCanvas expected;
  {
    MainWindow form(options);
    form.Create();
    PixelCanvas scene = Capture(form.State().surface->dc(), 0, 0, 371, 120);
    expected = CropPixels(scene, CropRectangle(371, 120, form.State().layout.signWidth, form.State().layout.sceneHeight));
    ::SendMessageW(form.handle(), WM_COMMAND, MAKEWPARAM(MainWindow::kCopyCommand, 1), 0);
    ASSERT_TRUE(ui.boxes.empty());
  }  // the window is gone before anything asked for the PNG
  std::vector<uint8_t> png = ClipboardBytes(::RegisterClipboardFormatW(L"PNG"));
  ASSERT_GT(png.size(), 8u);
  EXPECT_TRUE(DecodePicturePreview(png, 4096, 4096).picture.pixels == expected.pixels);
}

TEST_F(ClipboardTest, ThePlacardsMenuOffersCopyLargeCopyStickerAnimationAndExport) {
  std::vector<std::wstring> items = PlacardMenuItems(form.Control(ControlId::PlacardImage));
  std::erase_if(items, [](const std::wstring& item) { return item.starts_with(L"  "); });  // the motions'
  EXPECT_EQ(items, (std::vector<std::wstring>{L"复制图片(&C)\tCtrl+C", L"复制大图(&L)\tCtrl+Shift+C",
                                               L"复制贴纸(&T)", L"动画(&A)", L"导出(&E)...\tCtrl+S"}));
  // Closed without a choice: nothing was copied or exported.
  EXPECT_TRUE(ui.saveOffered.empty());
  EXPECT_EQ(Status(), L"");
}

}  // namespace
}  // namespace plakato
