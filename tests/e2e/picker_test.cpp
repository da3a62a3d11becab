// Choosing faces in the real program: a click on tool bar button k puts face
// k into the scene and changes nothing else there.
#include <gtest/gtest.h>

#include "driver_win.h"

namespace {

TEST(Picker, ClickingAFaceButtonRedrawsTheSceneWithThatFaceOnly) {
  driver::Process app = driver::Process::Launch(driver::OwnFolder() + L"plakato.exe");
  HWND window = driver::WaitForTopWindow(app.id(), L"Plakato - ", 20000);
  ASSERT_NE(window, nullptr);
  HWND image = driver::FindByClass(window, L"PlakatoImage");
  HWND bar = driver::FindByClass(window, L"ToolbarWindow32");
  ASSERT_NE(image, nullptr);
  ASSERT_NE(bar, nullptr);
  driver::Pause(300);
  SIZE size{};
  std::vector<unsigned> start = driver::CaptureClient(image, &size);
  ASSERT_EQ(size.cx, 371);
  ASSERT_EQ(size.cy, 120);

  driver::ClickAt(bar, 33 * 5 + 16, 16);
  std::vector<unsigned> after;
  driver::WaitUntil([&] { return (after = driver::CaptureClient(image)) != start; });
  int changed = 0;
  for (int y = 0; y < 120; ++y) {
    for (int x = 0; x < 371; ++x) {
      if (start[static_cast<size_t>(y) * 371 + x] == after[static_cast<size_t>(y) * 371 + x]) continue;
      ++changed;
      EXPECT_TRUE(x >= 172 && x < 198 && y >= 97) << "changed outside the face cell at " << x << "," << y;
    }
  }
  EXPECT_GT(changed, 100);
  CreateDirectoryW((driver::OwnFolder() + L"screenshots").c_str(), nullptr);
  driver::SaveScreenshot(window, driver::OwnFolder() + L"screenshots\\face5.bmp");

  // Face 0 again gives back the start picture.
  driver::ClickAt(bar, 16, 16);
  driver::WaitUntil([&] { return driver::CaptureClient(image) == start; });
  EXPECT_EQ(driver::CaptureClient(image), start);
  driver::PressCloseBox(window);
  EXPECT_EQ(app.WaitForExit(10000), 0u);
}

}  // namespace
