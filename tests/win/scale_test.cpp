// The window at other scales and the large picture: a move to a display of
// another dpi lays the window out again with art drawn for the new size,
// while the pictures the program sends stay as they are; Ctrl+Shift+C gives
// the placard at twice the size.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstdlib>

#include "app/main_window_win.h"
#include "base/dpi_win.h"
#include "export/crop.h"
#include "export/png_codec_win.h"
#include "scene/scene_surface_win.h"
#include "clipboard_bytes.h"
#include "win_test_support.h"

namespace plakato {
namespace {

using plakato::testing::ClipboardBytes;

// The window moved to a display of `dpi`, as the system tells it: the window
// rectangle scaled from the last dpi's, at the same place. The window takes
// the place.
void MoveWindowToDpi(const MainWindow& form, int dpi) {
  RECT now;
  ::GetWindowRect(form.handle(), &now);
  const int from = form.State().dpi;
  RECT suggested{now.left, now.top, now.left + MulDivRound(now.right - now.left, dpi, from),
                 now.top + MulDivRound(now.bottom - now.top, dpi, from)};
  ::SendMessageW(form.handle(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
  RECT after;
  ::GetWindowRect(form.handle(), &after);
  EXPECT_EQ(after.left, suggested.left);
  EXPECT_EQ(after.top, suggested.top);
}

RECT RectInParent(HWND control) {
  RECT rc;
  ::GetWindowRect(control, &rc);
  ::MapWindowPoints(nullptr, ::GetParent(control), reinterpret_cast<POINT*>(&rc), 2);
  return rc;
}

class ScaleTest : public ::testing::Test {
 protected:
  ScaleTest() : form(ScriptedWindowOptions(ui)) { form.Create(); }
  void Command(int id) { ::SendMessageW(form.handle(), WM_COMMAND, MAKEWPARAM(id, 1), 0); }
  // The picture on the clipboard, from its "PNG".
  PixelCanvas ClipboardPicture() {
    std::vector<uint8_t> png = ClipboardBytes(::RegisterClipboardFormatW(L"PNG"));
    return DecodePicturePreview(png, 4096, 4096).picture;
  }
  void MoveToDpi(int dpi) { MoveWindowToDpi(form, dpi); }
  SIZE ClientSize(ControlId id) {
    RECT rc;
    ::GetClientRect(id == ControlId::Count ? form.handle() : form.Control(id), &rc);
    return {rc.right, rc.bottom};
  }
  PixelCanvas Scene() {
    const SceneSurface& surface = *form.State().surface;
    return Capture(surface.dc(), 0, 0, surface.width(), surface.height());
  }
  // Opaque pixels of the placard's face in the scene that are not those of
  // the face drawn for `dpi`, over the columns no piece of the pole covers.
  int SceneFaceMismatches(int dpi) {
    const ImageList& art = FaceImagesAt(dpi);
    const SceneSurface& surface = *form.State().surface;
    DpiScale s{dpi};
    int left = surface.width() / 2 - art.Width() / 2;
    int top = surface.height() - s(10) - art.Height() / 2;
    return ArtMismatches(Scene(), left, top, art, form.State().placard.face(), s(12), art.Width() - s(12));
  }

  ScriptedUi ui;
  MainWindow form;
};

TEST_F(ScaleTest, AMoveToATwiceDenseDisplayRedrawsAllForItAndSendsTheSamePicture) {
  ::SetWindowTextW(form.Control(ControlId::SignTextEdit), L"搬家");
  ::SendMessageW(form.Control(ControlId::FacePager), WM_COMMAND, MAKEWPARAM(kFaceCommandBase + 12, BN_CLICKED),
                 reinterpret_cast<LPARAM>(form.Control(ControlId::FaceToolBar)));
  ASSERT_EQ(form.State().placard.face(), 12);
  HWND toolBar = form.Control(ControlId::FaceToolBar);
  PixelCanvas sceneAt96 = Scene();
  Command(MainWindow::kCopyCommand);
  PixelCanvas standard = ClipboardPicture();
  ASSERT_GT(standard.width, 0);
  EXPECT_EQ(ArtMismatches(ToolBarImage(toolBar, 12), 0, 0, FaceImages(), 12, 0, 26), 0);
  EXPECT_EQ(SceneFaceMismatches(96), 0);

  MoveToDpi(192);
  EXPECT_EQ(form.State().dpi, 192);
  SIZE client = ClientSize(ControlId::Count);
  EXPECT_NEAR(client.cx, 742, 2);
  EXPECT_NEAR(client.cy, 654, 2);
  SIZE image = ClientSize(ControlId::PlacardImage);
  EXPECT_NEAR(image.cx, 742, 2);
  EXPECT_NEAR(image.cy, 240, 2);
  EXPECT_EQ(form.State().surface->width(), image.cx);
  // The faces on the buttons and in the scene are the 2x art, not 26 px.
  PixelCanvas button = ToolBarImage(toolBar, 12);
  EXPECT_EQ(button.width, 52);
  EXPECT_EQ(ArtMismatches(button, 0, 0, FaceImagesAt(192), 12, 0, 52), 0);
  RECT first;
  ::SendMessageW(toolBar, TB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&first));
  EXPECT_NEAR(first.right - first.left, 66, 2);
  EXPECT_EQ(SceneFaceMismatches(192), 0);
  // The sign's text is drawn twice as high: the sign is taller than at 96 dpi.
  EXPECT_GE(form.State().layout.sceneHeight, 2 * 61 - 2);

  Command(MainWindow::kCopyCommand);
  EXPECT_TRUE(ClipboardPicture().pixels == standard.pixels) << "the sent picture does not follow the display";

  MoveToDpi(96);
  EXPECT_EQ(ClientSize(ControlId::Count).cx, 371);
  EXPECT_EQ(ToolBarImage(toolBar, 12).width, 26);
  EXPECT_TRUE(Scene().pixels == sceneAt96.pixels);
}

// The controls are laid out by the window font as measured, which grows
// with the dpi exactly only for the designed face: after every move the
// client area ends at the status bar's bottom, with Exit inside it, and a
// round of moves brings back the window's size, with either face.
TEST(ScaleLayout, AfterEveryMoveTheClientAreaFitsTheControlsLaidOut) {
  const FontSpec tahoma{L"Tahoma", kAnsiCharset, 12, false};
  for (const FontSpec* design : {&kWindowFont, &tahoma}) {
    ScriptedUi ui;
    MainWindowOptions options = ScriptedWindowOptions(ui);
    options.windowFont = design;
    MainWindow form(options);
    form.Create();
    RECT start;
    ::GetWindowRect(form.handle(), &start);
    for (int dpi : {120, 144, 168, 192, 96}) {
      // The size the window tells the system it will take is the one it
      // takes, where the frame is the system's (Wine's frame keeps its dpi).
      SIZE told{};
      EXPECT_TRUE(::SendMessageW(form.handle(), WM_GETDPISCALEDSIZE, dpi, reinterpret_cast<LPARAM>(&told)));
      MoveWindowToDpi(form, dpi);
      RECT window;
      ::GetWindowRect(form.handle(), &window);
      if (dpi == SystemDpi()) {
        EXPECT_EQ(window.right - window.left, told.cx) << design->face;
        EXPECT_EQ(window.bottom - window.top, told.cy) << design->face;
      }
      RECT client;
      ::GetClientRect(form.handle(), &client);
      RECT status = RectInParent(form.Control(ControlId::StatusBar));
      RECT exit = RectInParent(form.Control(ControlId::ExitButton));
      EXPECT_EQ(status.bottom, client.bottom) << design->face << " at " << dpi << " dpi";
      EXPECT_EQ(status.right, client.right) << design->face << " at " << dpi << " dpi";
      EXPECT_LE(exit.bottom, status.top) << design->face << " at " << dpi << " dpi";
      EXPECT_LE(exit.right, client.right) << design->face << " at " << dpi << " dpi";
    }
    RECT end;
    ::GetWindowRect(form.handle(), &end);
    EXPECT_EQ(end.right - end.left, start.right - start.left) << design->face;
    EXPECT_EQ(end.bottom - end.top, start.bottom - start.top) << design->face;
  }
}

// The large picture: twice the standard one in each dimension (within a
// pixel), and averaged back down over 2 x 2 blocks close to it.
TEST_F(ScaleTest, CtrlShiftCCopiesThePlacardAtTwiceTheSize) {
  Command(MainWindow::kCopyCommand);
  EXPECT_EQ(StatusText(form.Control(ControlId::StatusBar)), L"已复制到剪贴板");
  PixelCanvas standard = ClipboardPicture();
  Command(MainWindow::kCopyLargeCommand);
  ASSERT_TRUE(ui.boxes.empty());
  EXPECT_EQ(StatusText(form.Control(ControlId::StatusBar)), L"已复制大图到剪贴板");
  PixelCanvas large = ClipboardPicture();
  EXPECT_EQ(large.width, 2 * standard.width);  // the default sign's 100 px, doubled
  EXPECT_NEAR(large.height, 2 * standard.height, 1);
  EXPECT_FALSE(ClipboardBytes(CF_DIB).empty());

  // The face, hands and pole, in the bottom rows, are art drawn for each
  // size; the sign's text is the font's own at each size, so it is left out.
  long long difference = 0;
  int compared = 0;
  for (int sy = standard.height - 24; sy < standard.height; ++sy) {
    int y = large.height - 2 * (standard.height - sy);  // rows matched from the bottom
    for (int x = 0; x < standard.width && 2 * x + 1 < large.width; ++x) {
      for (int shift : {0, 8, 16}) {
        int sum = 0;
        for (int dy = 0; dy < 2; ++dy) {
          for (int dx = 0; dx < 2; ++dx) sum += (large.At(2 * x + dx, y + dy) >> shift) & 0xFF;
        }
        difference += std::abs(sum / 4 - static_cast<int>((standard.At(x, sy) >> shift) & 0xFF));
        ++compared;
      }
    }
  }
  ASSERT_GT(compared, 0);
  EXPECT_LT(static_cast<double>(difference) / compared, 8.0) << "mean difference per channel";
}

}  // namespace
}  // namespace plakato
