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

// The export of a placard larger than the scene: the whole sign, its frame
// on all four sides with white around it, every character inside, and the
// face under it. Dark means a JPEG pixel darker than mid-grey.
class WholePlacardTest : public ExportTest, public testing::WithParamInterface<std::pair<const wchar_t*, int>> {
 protected:
  PixelCanvas ExportedAt(const std::wstring& text, int points) {
    ui.fontAnswer = [points](const FontChoice& current) {
      FontDialogAnswer answer;
      answer.font = current.font;
      answer.color = current.color;
      answer.font.lfHeight = -::MulDiv(points, 96, 72);
      return std::optional<FontDialogAnswer>(answer);
    };
    HWND button = form.Control(ControlId::FontButton);
    ::SendMessageW(form.handle(), WM_COMMAND, MAKEWPARAM(::GetDlgCtrlID(button), BN_CLICKED),
                   reinterpret_cast<LPARAM>(button));
    ::SetWindowTextW(form.Control(ControlId::SignTextEdit), text.c_str());
    std::wstring path = folder + L"whole.jpg";
    ui.saveAnswers = {path};
    Export();
    std::string written = FileBytes(path);
    return DecodeJpegPreview({reinterpret_cast<const uint8_t*>(written.data()), written.size()}, 20000, 20000)
        .picture;
  }
};

bool Dark(const PixelCanvas& p, int x, int y) {
  uint32_t c = p.At(x, y);
  return (c & 0xFF) + ((c >> 8) & 0xFF) + ((c >> 16) & 0xFF) < 3 * 110;
}

// The share of dark pixels along a row (or a column) between two places.
double DarkShare(const PixelCanvas& p, int fixed, int from, int to, bool row) {
  int dark = 0;
  for (int i = from; i < to; ++i) dark += row ? Dark(p, i, fixed) : Dark(p, fixed, i);
  return to > from ? static_cast<double>(dark) / (to - from) : 0;
}

TEST_P(WholePlacardTest, ThePictureHoldsTheWholeSignFrameTextAndFace) {
  const auto [text, points] = GetParam();
  PixelCanvas p = ExportedAt(text, points);
  ASSERT_EQ(p.width, form.State().layout.signWidth);
  ASSERT_EQ(p.height, form.State().layout.sceneHeight);
  // Nothing is cut at the picture's edges.
  for (int x = 0; x < p.width; ++x) ASSERT_FALSE(Dark(p, x, 0)) << x;
  for (int y = 0; y < p.height; ++y) ASSERT_FALSE(Dark(p, 0, y) || Dark(p, p.width - 1, y)) << y;

  // The left and right frame lines: the first and last columns that are mostly dark over some rows.
  int left = -1, right = -1, top = -1, bottom = -1;
  for (int y = 0; y < p.height && left < 0; ++y) {
    for (int x = 0; x < 12; ++x) {
      if (Dark(p, x, y)) {
        left = x;
        break;
      }
    }
  }
  ASSERT_GE(left, 0) << "no left frame";
  for (int y = 0; y < p.height; ++y) {
    if (DarkShare(p, y, left, p.width - left, true) > 0.9) (top < 0 ? top : bottom) = y;
  }
  ASSERT_GE(top, 0) << "no top frame";
  ASSERT_GT(bottom, top + points) << "no bottom frame";
  for (int x = p.width - 1; x > p.width - 13 && right < 0; --x) {
    if (DarkShare(p, x, top, bottom, false) > 0.9) right = x;
  }
  ASSERT_GE(right, 0) << "no right frame";
  EXPECT_GT(DarkShare(p, left + 1, top, bottom, false), 0.9) << "the left frame is whole";

  // The first and last characters: ink just inside each end of the sign.
  const int inner = points * 96 / 72;
  int inkLeft = 0, inkRight = 0;
  for (int y = top + 3; y < bottom - 2; ++y) {
    for (int x = left + 4; x < left + 4 + inner; ++x) inkLeft += Dark(p, x, y);
    for (int x = right - 3 - inner; x < right - 3; ++x) inkRight += Dark(p, x, y);
  }
  EXPECT_GT(inkLeft, inner) << "the first character";
  EXPECT_GT(inkRight, inner) << "the last character";

  // The face and pole under the sign, at the bottom of the picture's middle.
  int faceColoured = 0;
  for (int y = p.height - 20; y < p.height - 4; ++y) {
    for (int x = p.width / 2 - 10; x < p.width / 2 + 10; ++x) {
      uint32_t c = p.At(x, y);
      faceColoured += (c & 0xFF) + ((c >> 8) & 0xFF) + ((c >> 16) & 0xFF) < 3 * 220;
    }
  }
  EXPECT_GT(faceColoured, 40);
}

INSTANTIATE_TEST_SUITE_P(LargeSigns, WholePlacardTest,
                         testing::Values(std::pair{L"今天天气真好我们去公园玩吧好不", 20},
                                         std::pair{L"今天天气真好我们去公园玩吧好不", 72}, std::pair{L"加油", 48}));

}  // namespace
}  // namespace plakato
