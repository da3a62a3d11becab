// The window on a display of the system DPI this run was started with
// (PLAKATO_WINE_DPI; one Wine prefix per DPI): laid out at the scale, faces
// drawn for it, icons of the system's sizes, and the pictures it sends the
// same bytes as at 96 dpi. The 96-dpi run keeps its pictures in
// PLAKATO_DPI_PICTURES for the runs at the other DPIs to compare with.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "app/main_window_win.h"
#include "base/dpi_win.h"
#include "base/files_win.h"
#include "scene/scene_surface_win.h"
#include "win_test_support.h"

namespace plakato {
namespace {

int ExpectedDpi() {
  const char* dpi = std::getenv("PLAKATO_WINE_DPI");
  return dpi ? std::atoi(dpi) : kStandardDpi;
}

// The folder of the 96-dpi pictures, as Wine sees the Linux path.
std::wstring ReferenceFolder() {
  const char* folder = std::getenv("PLAKATO_DPI_PICTURES");
  std::wstring path = L"Z:";
  for (const char* c = folder ? folder : "/tmp"; *c; ++c) path += *c == '/' ? L'\\' : static_cast<wchar_t>(*c);
  ::CreateDirectoryW(path.c_str(), nullptr);
  return path + L"\\";
}

class DpiTest : public ::testing::Test {
 protected:
  DpiTest() : form(ScriptedWindowOptions(ui)) {
    EXPECT_EQ(SystemDpi(), ExpectedDpi()) << "the prefix's LogPixels";
    form.Create();
  }
  void Command(int id) { ::SendMessageW(form.handle(), WM_COMMAND, MAKEWPARAM(id, 1), 0); }
  void PickFace(int face) {
    ::SendMessageW(form.Control(ControlId::FacePager), WM_COMMAND, MAKEWPARAM(kFaceCommandBase + face, BN_CLICKED),
                   reinterpret_cast<LPARAM>(form.Control(ControlId::FaceToolBar)));
  }
  SIZE ClientSize(HWND window) {
    RECT rc;
    ::GetClientRect(window, &rc);
    return {rc.right, rc.bottom};
  }

  ScriptedUi ui;
  MainWindow form;
};

TEST_F(DpiTest, TheWindowAndItsFacesAreLaidOutForTheDisplay) {
  const int dpi = ExpectedDpi();
  const DpiScale s{dpi};
  EXPECT_EQ(form.State().dpi, dpi);
  SIZE client = ClientSize(form.handle());
  EXPECT_NEAR(client.cx, s(371), 3);
  EXPECT_NEAR(client.cy, s(327), 3);
  SIZE image = ClientSize(form.Control(ControlId::PlacardImage));
  EXPECT_NEAR(image.cx, s(371), 3);
  EXPECT_NEAR(image.cy, s(120), 3);

  // Every button shows its face drawn for this scale, pixel for pixel.
  const ImageList& art = FaceImagesAt(dpi);
  EXPECT_EQ(art.Width(), s(26));
  HWND toolBar = form.Control(ControlId::FaceToolBar);
  for (int face = 0; face < art.Count(); ++face) {
    PixelCanvas button = ToolBarImage(toolBar, face);
    ASSERT_EQ(button.width, art.Width());
    EXPECT_EQ(ArtMismatches(button, 0, 0, art, face, 0, art.Width()), 0) << "face " << face;
  }
  RECT first;
  ::SendMessageW(toolBar, TB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&first));
  EXPECT_NEAR(first.right - first.left, s(33), 2);

  // The scene's face is the same art, where the scene's geometry puts it.
  PickFace(12);
  const SceneSurface& surface = *form.State().surface;
  PixelCanvas scene = Capture(surface.dc(), 0, 0, surface.width(), surface.height());
  int left = surface.width() / 2 - art.Width() / 2;
  int top = surface.height() - s(10) - art.Height() / 2;
  EXPECT_EQ(ArtMismatches(scene, left, top, art, 12, s(12), art.Width() - s(12)), 0);
}

TEST_F(DpiTest, TheIconsAreOfTheSizesTheSystemAsksFor) {
  for (auto [which, metric] : {std::pair{ICON_BIG, SM_CXICON}, {ICON_SMALL, SM_CXSMICON}}) {
    auto icon = reinterpret_cast<HICON>(::SendMessageW(form.handle(), WM_GETICON, which, 0));
    ICONINFO info{};
    ASSERT_TRUE(icon && ::GetIconInfo(icon, &info));
    BITMAP mask{};
    ::GetObjectW(info.hbmMask, sizeof(mask), &mask);
    ::DeleteObject(info.hbmMask);
    if (info.hbmColor) ::DeleteObject(info.hbmColor);
    EXPECT_EQ(mask.bmWidth, SystemMetricAtDpi(metric, ExpectedDpi()));
  }
}

// The font dialog speaks the display's pixels; the placard keeps the size.
TEST_F(DpiTest, TheFontDialogShowsTheSignsFontAtTheDisplaysSize) {
  const DpiScale s{ExpectedDpi()};
  ui.fontAnswer = [&](const FontChoice& current) {
    FontDialogAnswer answer;
    answer.font = current.font;
    answer.font.lfHeight = s(-20);  // 15 points on this display
    return std::optional<FontDialogAnswer>(answer);
  };
  const SignFont before = form.State().placard.font();
  ::SendMessageW(form.Control(ControlId::FontButton), BM_CLICK, 0, 0);
  ASSERT_EQ(ui.fontShown.size(), 1u);
  EXPECT_EQ(ui.fontShown[0].font.lfHeight, before.HeightAtDpi(ExpectedDpi()));
  EXPECT_EQ(form.State().placard.font().pointTenths, 150);
  EXPECT_EQ(form.State().placard.font().HeightAtDpi(kStandardDpi), -20);
}

// The system's own dialog gives back every size chosen in it, on every
// display, and the picture sent asks for it at 96 dpi's height.
TEST_F(DpiTest, TheFontDialogGivesBackTheSizeChosen) {
  for (int points : {8, 10, 11, 14, 16, 22, 72}) {
    FontDialogUser choose;
    choose.sizes = {std::to_wstring(points)};
    ui.fontAnswer = [&](const FontChoice& current) { return choose.Run(form.handle(), current); };
    ::SendMessageW(form.Control(ControlId::FontButton), BM_CLICK, 0, 0);
    ASSERT_EQ(choose.refusals, 0);
    EXPECT_EQ(form.State().placard.font().HeightAtDpi(kStandardDpi), -MulDivRound(points, 96, 72));

    FontDialogUser reopen;
    reopen.sizes = {std::to_wstring(points)};
    ui.fontAnswer = [&](const FontChoice& current) { return reopen.Run(form.handle(), current); };
    ::SendMessageW(form.Control(ControlId::FontButton), BM_CLICK, 0, 0);
    EXPECT_EQ(reopen.shown, std::to_wstring(points)) << "chosen at " << ExpectedDpi() << " dpi";
  }
}

// The JPEG and the large PNG written at this DPI are the 96-dpi run's bytes.
TEST_F(DpiTest, ThePicturesSentAreTheSameOnEveryDisplay) {
  ::SetWindowTextW(form.Control(ControlId::SignTextEdit), L"每个屏幕");
  PickFace(7);
  std::wstring folder = FreshFolder(L"plakato-dpi-pictures");
  ui.saveAnswers = {SavePictureAnswer(folder + L"standard.jpg"), SavePictureAnswer(folder + L"large.png", true)};
  Command(MainWindow::kExportCommand);
  Command(MainWindow::kExportCommand);
  ASSERT_TRUE(ui.boxes.empty()) << ui.boxes[0].text;
  std::wstring reference = ReferenceFolder();
  for (const wchar_t* name : {L"standard.jpg", L"large.png"}) {
    std::string bytes = FileBytes(folder + name);
    ASSERT_FALSE(bytes.empty());
    if (ExpectedDpi() == kStandardDpi) {
      WriteFileReplacing(reference + name, {reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()});
    } else {
      std::string expected = FileBytes(reference + name);
      ASSERT_FALSE(expected.empty()) << "the 96-dpi run keeps the pictures to compare with";
      EXPECT_TRUE(bytes == expected) << "the picture at " << ExpectedDpi() << " dpi differs from 96 dpi's";
    }
  }
}

}  // namespace
}  // namespace plakato
