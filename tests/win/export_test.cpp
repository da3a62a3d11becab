// The export in-process: the save dialog answered through the seam, the file
// checked byte for byte against the encoder on the cropped scene, and the
// failures with their texts and the files around them unchanged.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include "app/main_window_win.h"
#include "base/text_win.h"
#include "export/crop.h"
#include "export/jpeg_decode.h"
#include "export/jpeg_encode.h"
#include "scene/scene_surface_win.h"
#include "win_test_support.h"

namespace plakato {
namespace {

class ExportTest : public testing::Test {
 protected:
  ExportTest() : form(Options()) {
    form.Create();
    folder = FreshFolder(L"plakato-export-test");
  }
  MainWindowOptions Options() {
    MainWindowOptions options;
    options.ui = &ui;
    options.quitOnClose = false;
    return options;
  }
  void Export() {
    HWND button = form.Control(ControlId::ExportButton);
    ::SendMessageW(form.handle(), WM_COMMAND, MAKEWPARAM(::GetDlgCtrlID(button), BN_CLICKED),
                   reinterpret_cast<LPARAM>(button));
  }
  std::wstring Status() { return StatusText(form.Control(ControlId::StatusBar)); }
  // What the export must write for the scene as it is now.
  std::string ExpectedJpeg() {
    PixelCanvas scene = Capture(form.State().surface->dc(), 0, 0, 371, 120);
    Rect crop = CropRectangle(371, 120, form.State().layout.signWidth, form.State().layout.sceneHeight);
    std::vector<uint8_t> jpeg = EncodeJpeg(CropPixels(scene, crop));
    return std::string(jpeg.begin(), jpeg.end());
  }
  void ExpectFailure(const std::wstring& expected) {
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].text, expected);
    EXPECT_EQ(ui.boxes[0].flags, static_cast<UINT>(MB_OK | MB_ICONSTOP));
    EXPECT_EQ(Status(), L"");
    ui.boxes.clear();
  }

  ScriptedUi ui;
  MainWindow form;
  std::wstring folder;
};

TEST_F(ExportTest, WritesTheCroppedSceneAsJpegAndNamesTheFile) {
  std::wstring path = folder + L"牌子.jpg";
  ui.saveAnswers = {path};
  Export();
  ASSERT_TRUE(ui.boxes.empty());
  std::string written = FileBytes(path);
  EXPECT_EQ(written, ExpectedJpeg());
  EXPECT_EQ(Status(), L"导出成功至：" + path);
  EXPECT_EQ(form.State().savedPictureName, path);

  DecodedPreview decoded = DecodeJpegPreview({reinterpret_cast<const uint8_t*>(written.data()), written.size()},
                                             1000, 1000);
  EXPECT_EQ(decoded.width, form.State().layout.signWidth);
  EXPECT_EQ(decoded.height, form.State().layout.sceneHeight);
}

TEST_F(ExportTest, CancelWritesNothingAndTheDialogOffersTheLastConfirmedName) {
  Export();  // Cancel in the first export of the run
  ASSERT_EQ(ui.saveOffered.size(), 1u);
  EXPECT_EQ(ui.saveOffered[0], L"");
  EXPECT_EQ(Status(), L"");

  std::wstring path = folder + L"first.jpg";
  ui.saveAnswers = {path};
  Export();
  std::string first = FileBytes(path);
  ASSERT_FALSE(first.empty());

  // Another text, then Cancel: the earlier file stays, the status is empty.
  ::SendMessageW(form.Control(ControlId::SignTextEdit), WM_CHAR, L'Z', 1);
  Export();
  EXPECT_EQ(ui.saveOffered[2], path);
  EXPECT_EQ(Status(), L"");
  EXPECT_EQ(FileBytes(path), first);
  Export();
  EXPECT_EQ(ui.saveOffered[3], path) << "the name is offered again for the rest of the run";
  EXPECT_TRUE(ui.boxes.empty());
}

TEST_F(ExportTest, ConfirmedExistingFileIsReplaced) {
  std::wstring path = folder + L"old.jpg";
  ::CloseHandle(::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
  ui.saveAnswers = {path};
  Export();
  EXPECT_EQ(FileBytes(path), ExpectedJpeg());
}

TEST_F(ExportTest, AFileThatCannotBeCreatedIsReportedAndNothingIsLeftBehind) {
  // A missing folder.
  std::wstring missing = folder + L"no-such-folder\\x.jpg";
  ui.saveAnswers = {missing};
  Export();
  ExpectFailure(L"Cannot create file \"" + missing + L"\". Path not found.");
  EXPECT_FALSE(FileExists(missing));

  // A read-only file keeps its bytes.
  std::wstring readOnly = folder + L"read-only.jpg";
  {
    HANDLE f = ::CreateFileW(readOnly.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD n = 0;
    ::WriteFile(f, "old", 3, &n, nullptr);
    ::CloseHandle(f);
    ::SetFileAttributesW(readOnly.c_str(), FILE_ATTRIBUTE_READONLY);
  }
  ui.saveAnswers = {readOnly};
  Export();
  ExpectFailure(L"Cannot create file \"" + readOnly + L"\". Access denied.");
  EXPECT_EQ(FileBytes(readOnly), "old");

  // A file held open by another program without sharing.
  std::wstring held = folder + L"held.jpg";
  HANDLE holder = ::CreateFileW(held.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ui.saveAnswers = {held};
  Export();
  ExpectFailure(L"Cannot create file \"" + held + L"\". Sharing violation.");
  ::CloseHandle(holder);
  EXPECT_EQ(FileBytes(held), "");

  // Nothing but these three files is in the folder: no temporary stayed.
  int files = 0;
  WIN32_FIND_DATAW found;
  HANDLE search = ::FindFirstFileW((folder + L"*").c_str(), &found);
  do {
    if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) ++files;
  } while (::FindNextFileW(search, &found));
  ::FindClose(search);
  EXPECT_EQ(files, 2);
}

TEST_F(ExportTest, WhereTheCropReachesOutsideTheSceneThePictureIsWhite) {
  // A large font and a long text make a sign wider than the scene.
  ui.fontAnswer = [](const FontChoice& current) {
    FontDialogAnswer answer;
    answer.font = current.font;
    answer.color = current.color;
    answer.font.lfHeight = -40;
    return std::optional<FontDialogAnswer>(answer);
  };
  HWND button = form.Control(ControlId::FontButton);
  ::SendMessageW(form.handle(), WM_COMMAND, MAKEWPARAM(::GetDlgCtrlID(button), BN_CLICKED),
                 reinterpret_cast<LPARAM>(button));
  for (wchar_t c : std::wstring(L"WWWWWWWWWWWWWWWWWWWWWWWWWWWWWW")) ::SendMessageW(form.Control(ControlId::SignTextEdit), WM_CHAR, c, 1);
  int width = form.State().layout.signWidth;
  int height = form.State().layout.sceneHeight;
  ASSERT_GT(width, 371);
  std::wstring path = folder + L"wide.jpg";
  ui.saveAnswers = {path};
  Export();
  EXPECT_EQ(FileBytes(path), ExpectedJpeg());
  std::string written = FileBytes(path);
  DecodedPreview decoded = DecodeJpegPreview({reinterpret_cast<const uint8_t*>(written.data()), written.size()},
                                             width, height);
  ASSERT_EQ(decoded.picture.width, width);
  int left = (371 - width) / 2;  // negative: columns 0 .. -left-1 lie outside the scene
  for (int y = 0; y < height; y += 7) {
    uint32_t c = decoded.picture.At(0, y);
    EXPECT_GE(c & 0xFF, 235u) << "column 0, row " << y << " (scene column " << left << ")";
    EXPECT_GE((c >> 16) & 0xFF, 235u);
  }
}

}  // namespace
}  // namespace plakato
