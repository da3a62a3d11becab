// Choosing a face with the keyboard in the real program, by real key presses
// (SendInput): the face strip takes the focus by Tab, the arrows move its hot
// face and Space puts that face into the scene.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <functional>

#include "driver_win.h"
#include "scene/pixels.h"

namespace {

constexpr int kSceneWidth = 371;

bool WaitFor(const std::function<bool()>& done) { return driver::WaitUntil(done); }

// How many opaque pixels of face `k` the scene shows in the face's cell,
// which the pole pieces partly cover; and how many it has there.
int FacePixelsShown(const std::vector<unsigned>& scene, const plakato::ImageList& faces, int k, int* opaque) {
  int shown = 0;
  *opaque = 0;
  for (int y = 0; y < faces.Height(); ++y) {
    for (int x = 0; x < faces.Width(); ++x) {
      if (!faces.Opaque(k, x, y)) continue;
      ++*opaque;
      unsigned rgb = scene[static_cast<size_t>(97 + y) * kSceneWidth + 172 + x];
      if (rgb == plakato::SwapRedBlue(faces.Colour(k, x, y))) ++shown;
    }
  }
  return shown;
}

TEST(FaceKeys, TabToTheStripThenRightRightSpaceDrawsFaceTwo) {
  driver::Process app = driver::Process::Launch(driver::OwnFolder() + L"plakato.exe");
  HWND window = driver::WaitForTopWindow(app.id(), L"Plakato - ", 20000);
  ASSERT_NE(window, nullptr);
  HWND image = driver::FindByClass(window, L"PlakatoImage");
  HWND pager = driver::FindByClass(window, L"SysPager");
  HWND bar = driver::FindByClass(window, L"ToolbarWindow32");
  HWND edit = driver::FindByClass(window, L"Edit");
  ASSERT_TRUE(image && pager && bar && edit);
  driver::Pause(300);
  ASSERT_TRUE(driver::BringToFront(window));
  auto hot = [&] { return static_cast<int>(::SendMessageW(bar, TB_GETHOTITEM, 0, 0)); };

  // Away from the strip and back to it by the keyboard.
  ASSERT_TRUE(WaitFor([&] { return driver::FocusOf(window) == pager; })) << "the focus starts on the strip";
  driver::PressKey(VK_TAB);
  ASSERT_TRUE(WaitFor([&] { return driver::FocusOf(window) == edit; }));
  EXPECT_EQ(hot(), -1) << "no hot face while the strip has no focus";
  driver::PressKey(VK_TAB, true);
  ASSERT_TRUE(WaitFor([&] { return driver::FocusOf(window) == pager; }));
  EXPECT_TRUE(WaitFor([&] { return hot() == 0; })) << "the hot face starts on the face shown";

  SIZE size{};
  std::vector<unsigned> start = driver::CaptureClient(image, &size);
  ASSERT_EQ(size.cx, kSceneWidth);
  driver::PressKey(VK_RIGHT);
  driver::PressKey(VK_RIGHT);
  EXPECT_TRUE(WaitFor([&] { return hot() == 2; })) << "hot face " << hot();
  EXPECT_EQ(driver::FocusOf(window), pager);
  driver::Pause(200);
  EXPECT_EQ(driver::CaptureClient(image), start) << "moving the hot face picks nothing";
  CreateDirectoryW((driver::OwnFolder() + L"screenshots").c_str(), nullptr);
  driver::SaveScreenshot(window, driver::OwnFolder() + L"screenshots\\face-strip-hot.bmp");

  driver::PressKey(VK_SPACE);
  std::vector<unsigned> after;
  WaitFor([&] { return (after = driver::CaptureClient(image)) != start; });
  int changed = 0;
  for (int y = 0; y < size.cy; ++y) {
    for (int x = 0; x < size.cx; ++x) {
      if (start[static_cast<size_t>(y) * size.cx + x] == after[static_cast<size_t>(y) * size.cx + x]) continue;
      ++changed;
      EXPECT_TRUE(x >= 172 && x < 198 && y >= 97) << "changed outside the face cell at " << x << "," << y;
    }
  }
  EXPECT_GT(changed, 100);
  plakato::ImageList faces{plakato::FaceArtwork()};
  int opaque = 0;
  int shownTwo = FacePixelsShown(after, faces, 2, &opaque);
  EXPECT_GT(shownTwo * 10, opaque * 8) << "face 2 is in the scene";
  int shownZeroBefore = FacePixelsShown(start, faces, 0, &opaque);
  EXPECT_GT(shownZeroBefore * 10, opaque * 8) << "face 0 was in the scene";
  EXPECT_LT(FacePixelsShown(after, faces, 0, &opaque) * 2, shownZeroBefore) << "face 0 is gone";
  driver::SaveScreenshot(window, driver::OwnFolder() + L"screenshots\\face-strip-picked.bmp");

  // End brings the last face into view, Home the first.
  driver::PressKey(VK_END);
  EXPECT_TRUE(WaitFor([&] { return hot() == 16; }));
  EXPECT_GT(::SendMessageW(pager, PGM_GETPOS, 0, 0), 0);
  driver::PressKey(VK_HOME);
  EXPECT_TRUE(WaitFor([&] { return hot() == 0; }));
  EXPECT_EQ(::SendMessageW(pager, PGM_GETPOS, 0, 0), 0);

  driver::PressCloseBox(window);
  EXPECT_EQ(app.WaitForExit(10000), 0u);
}

}  // namespace
