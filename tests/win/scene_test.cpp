// The placard scene drawn by real GDI into the window's scene bitmap, and the
// figure tool bar, read back as pixels.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <vector>

#include "app/main_window_win.h"
#include "scene/pixels.h"
#include "scene/scene_surface_win.h"
#include "win_test_support.h"

namespace plakato {
namespace {

class SilentUi : public UiHost {
 public:
  int ShowMessageBox(HWND, const std::wstring& text, const std::wstring&, UINT) override {
    ADD_FAILURE() << "unexpected message box";
    (void)text;
    return IDOK;
  }
};

class SceneTest : public testing::Test {
 protected:
  SceneTest() : form(Options()) { form.Create(); }
  MainWindowOptions Options() {
    MainWindowOptions options;
    options.ui = &ui;
    options.quitOnClose = false;
    return options;
  }
  PixelCanvas Scene() { return Capture(form.State().surface->dc(), 0, 0, 371, 120); }
  void ClickFace(int k) {
    ::SendMessageW(form.Control(ControlId::FacePager), WM_COMMAND, MAKEWPARAM(kFaceCommandBase + k, BN_CLICKED),
                   reinterpret_cast<LPARAM>(form.Control(ControlId::FaceToolBar)));
  }

  SilentUi ui;
  MainWindow form;
  ImageList faces{FaceArtwork()};
  ImageList pieces{PieceArtwork()};
};

// True where an opaque pixel of a pole piece lands in the scene at start.
bool UnderAPiece(const ImageList& pieces, int x, int y, int t) {
  struct At { int index, left, top; };
  for (At a : {At{1, 187, 105}, At{0, 167, 97}, At{2, 168, 82 - t}}) {
    int cx = x - a.left, cy = y - a.top;
    if (cx >= 0 && cy >= 0 && cx < 16 && cy < 16 && pieces.Opaque(a.index, cx, cy)) return true;
  }
  return false;
}

TEST_F(SceneTest, TheSceneAtStartHasItsPiecesAtTheirPlaces) {
  SceneLayout layout = form.State().layout;
  SceneSurface& surface = const_cast<SceneSurface&>(*form.State().surface);
  TextSize text = surface.TextExtent(L"Quillion");
  int t = surface.TextExtent(L"T").height;
  EXPECT_EQ(layout.signWidth, std::max(100, 2 * (text.width / 2) + 15));
  EXPECT_EQ(layout.sceneHeight, 48 + t);
  EXPECT_EQ(form.State().surface->font().lfWeight, FW_BOLD);

  PixelCanvas scene = Scene();
  // White where nothing is drawn.
  for (auto [x, y] : {std::pair{0, 0}, {370, 0}, {10, 110}, {360, 119}, {100, 60}}) {
    EXPECT_EQ(scene.At(x, y), 0xFFFFFFu) << x << "," << y;
  }
  // The sign: a 3-pixel black frame around a white inside.
  int signX = text.width >= 50 ? 185 : 172;
  int signY = 91 - t / 2;
  int left = signX - text.width / 2 - 5, right = signX + text.width / 2 + 5;
  int top = signY - text.height / 2 - 5;
  int middle = signY;
  for (int dx = -1; dx <= 1; ++dx) EXPECT_EQ(scene.At(left + dx, middle), 0u) << "left frame " << dx;
  for (int dx = -2; dx <= 0; ++dx) EXPECT_EQ(scene.At(right + dx, middle), 0u) << "right frame " << dx;
  EXPECT_EQ(scene.At(left + 3, top + 3), 0xFFFFFFu);
  EXPECT_EQ(scene.At(left - 3, middle), 0xFFFFFFu);

  // The face's opaque pixels, wherever no pole piece lies over them.
  int checked = 0;
  for (int y = 0; y < 23; ++y) {
    for (int x = 0; x < 26; ++x) {
      if (!faces.Opaque(0, x, y) || UnderAPiece(pieces, 172 + x, 97 + y, t)) continue;
      EXPECT_EQ(scene.At(172 + x, 97 + y), faces.Colour(0, x, y)) << x << "," << y;
      ++checked;
    }
  }
  EXPECT_GT(checked, 250);
  // The pole's shaft, columns 168 to 172, with its black outline on both sides.
  for (int y = 97; y < 104; ++y) {
    EXPECT_EQ(scene.At(168, y), 0u) << y;
    EXPECT_EQ(scene.At(172, y), 0u) << y;
    for (int x = 169; x <= 171; ++x) EXPECT_EQ(scene.At(x, y), pieces.Colour(0, x - 167, y - 97));
  }
  // The pole top stands over the shaft.
  EXPECT_EQ(scene.At(168, 82 - t), 0u);
  EXPECT_EQ(scene.At(172, 82 - t), 0u);
}

TEST_F(SceneTest, ChoosingAFaceChangesOnlyTheFaceCell) {
  PixelCanvas before = Scene();
  int signWidth = form.State().layout.signWidth, sceneHeight = form.State().layout.sceneHeight;
  ClickFace(14);
  EXPECT_EQ(form.State().placard.face(), 14);
  PixelCanvas after = Scene();
  int changed = 0;
  for (int y = 0; y < 120; ++y) {
    for (int x = 0; x < 371; ++x) {
      if (before.At(x, y) == after.At(x, y)) continue;
      ++changed;
      EXPECT_TRUE(x >= 172 && x < 198 && y >= 97) << "changed outside the face cell at " << x << "," << y;
    }
  }
  EXPECT_GT(changed, 100);
  EXPECT_EQ(form.State().layout.signWidth, signWidth);
  EXPECT_EQ(form.State().layout.sceneHeight, sceneHeight);
  // The same face again redraws an identical scene; face 0 brings the start back.
  ClickFace(14);
  EXPECT_EQ(Scene().pixels, after.pixels);
  ClickFace(0);
  EXPECT_EQ(Scene().pixels, before.pixels);
}

TEST_F(SceneTest, TheToolBarOffersEveryFaceInListOrderAsOneRadioGroup) {
  HWND bar = form.Control(ControlId::FaceToolBar);
  ASSERT_EQ(::SendMessageW(bar, TB_BUTTONCOUNT, 0, 0), 17);
  RECT rc;
  ::GetWindowRect(bar, &rc);
  EXPECT_EQ(rc.right - rc.left, 561);
  form.Show();
  ::UpdateWindow(form.handle());
  for (int k = 0; k < 17; ++k) {
    TBBUTTON button{};
    ASSERT_TRUE(::SendMessageW(bar, TB_GETBUTTON, k, reinterpret_cast<LPARAM>(&button)));
    EXPECT_EQ(button.iBitmap, k);
    EXPECT_EQ(button.fsStyle & (BTNS_CHECK | BTNS_GROUP), BTNS_CHECKGROUP);  // one radio group
    RECT item;
    ::SendMessageW(bar, TB_GETITEMRECT, k, reinterpret_cast<LPARAM>(&item));
    EXPECT_EQ(item.left, 33 * k);
    EXPECT_EQ(item.right - item.left, 33);
    EXPECT_EQ(item.bottom - item.top, 32);
  }
  // Button k shows face k: render the bar and find each face in its button.
  HDC screen = ::GetDC(nullptr);
  HDC memory = ::CreateCompatibleDC(screen);
  HBITMAP bitmap = ::CreateCompatibleBitmap(screen, 561, 33);
  HGDIOBJ old = ::SelectObject(memory, bitmap);
  ::SendMessageW(bar, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(memory), PRF_CLIENT | PRF_ERASEBKGND);
  PixelCanvas strip = Capture(memory, 0, 0, 561, 33);
  ::SelectObject(memory, old);
  ::DeleteObject(bitmap);
  ::DeleteDC(memory);
  ::ReleaseDC(nullptr, screen);
  for (int k = 0; k < 17; ++k) {
    bool found = false;
    for (int oy = 0; oy <= 6 && !found; ++oy) {
      for (int ox = 0; ox <= 7 && !found; ++ox) {
        bool all = true;
        for (int y = 0; y < 26 && all; ++y) {
          for (int x = 0; x < 26 && all; ++x) {
            if (faces.Opaque(k, x, y)) all = strip.At(33 * k + ox + x, oy + y) == faces.Colour(k, x, y);
          }
        }
        found = all;
      }
    }
    EXPECT_TRUE(found) << "button " << k << " does not show face " << k;
  }
}

TEST_F(SceneTest, ThePagerShowsOnlyTheRightArrowAtStart) {
  HWND pager = form.Control(ControlId::FacePager);
  auto state = [&](int button) { return ::SendMessageW(pager, PGM_GETBUTTONSTATE, 0, button); };
  EXPECT_EQ(state(PGB_TOPORLEFT), PGF_INVISIBLE);
  EXPECT_NE(state(PGB_BOTTOMORRIGHT), PGF_INVISIBLE);
  // Faces 0 to 9 are fully in view, face 10 only in part.
  RECT bar;
  ::GetWindowRect(form.Control(ControlId::FaceToolBar), &bar);
  ::MapWindowPoints(nullptr, pager, reinterpret_cast<POINT*>(&bar), 2);
  EXPECT_EQ(bar.left, 0);
  EXPECT_LE(bar.left + 330, 354 - 12);
  EXPECT_GT(bar.left + 363, 354 - 12);
  // Scrolled to the end: only the left arrow shows and the last button is at
  // the right end (Windows' pager puts it flush; Wine's keeps the arrow's
  // 12 pixels free).
  ::SendMessageW(pager, PGM_SETPOS, 0, 1000);
  EXPECT_NE(state(PGB_TOPORLEFT), PGF_INVISIBLE);
  EXPECT_EQ(state(PGB_BOTTOMORRIGHT), PGF_INVISIBLE);
  ::GetWindowRect(form.Control(ControlId::FaceToolBar), &bar);
  ::MapWindowPoints(nullptr, pager, reinterpret_cast<POINT*>(&bar), 2);
  EXPECT_GE(bar.right, 354 - 12);
  EXPECT_LE(bar.right, 354);
}

}  // namespace
}  // namespace plakato
