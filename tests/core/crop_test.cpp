#include "export/crop.h"

#include <gtest/gtest.h>

namespace plakato {
namespace {

TEST(Crop, SignCentredAndResting) {
  EXPECT_EQ(CropRectangle(371, 120, 100, 60), (Rect{135, 60, 235, 120}));
}

TEST(Crop, WideSignTruncatesTowardZero) {
  Rect r = CropRectangle(371, 120, 400, 60);
  EXPECT_EQ(r.left, -14);
  EXPECT_EQ(r.right, 386);
}

TEST(Crop, TallSceneStartsAboveTheTop) {
  Rect r = CropRectangle(371, 120, 100, 130);
  EXPECT_EQ(r.top, -10);
  EXPECT_EQ(r.bottom, 120);
}

PixelCanvas Numbered(int w, int h) {
  PixelCanvas p(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) p.At(x, y) = static_cast<uint32_t>(y * 1000 + x);
  return p;
}

TEST(Crop, PixelsInsideComeFromTheScene) {
  PixelCanvas scene = Numbered(371, 120);
  PixelCanvas out = CropPixels(scene, CropRectangle(371, 120, 100, 60));
  ASSERT_EQ(out.width, 100);
  ASSERT_EQ(out.height, 60);
  EXPECT_EQ(out.At(0, 0), scene.At(135, 60));
  EXPECT_EQ(out.At(99, 59), scene.At(234, 119));
  EXPECT_EQ(out.At(40, 7), scene.At(175, 67));
}

TEST(Crop, OutsideTheSceneIsWhite) {
  PixelCanvas scene = Numbered(371, 120);
  Rect r = CropRectangle(371, 120, 400, 130);  // -14,-10 .. 386,120
  PixelCanvas out = CropPixels(scene, r);
  ASSERT_EQ(out.width, 400);
  ASSERT_EQ(out.height, 130);
  EXPECT_EQ(out.At(13, 50), 0xFFFFFFu);   // column -1
  EXPECT_EQ(out.At(14, 50), scene.At(0, 40));
  EXPECT_EQ(out.At(384, 50), scene.At(370, 40));
  EXPECT_EQ(out.At(385, 50), 0xFFFFFFu);  // column 371
  EXPECT_EQ(out.At(100, 9), 0xFFFFFFu);   // row -1
  EXPECT_EQ(out.At(100, 10), scene.At(86, 0));
}

TEST(Crop, ARectangleAwayFromEveryEdgeTakesExactlyItsPixels) {
  PixelCanvas scene = Numbered(371, 120);
  PixelCanvas out = CropPixels(scene, Rect{10, 20, 15, 30});
  ASSERT_EQ(out.width, 5);
  ASSERT_EQ(out.height, 10);
  EXPECT_EQ(out.At(0, 0), scene.At(10, 20));
  EXPECT_EQ(out.At(4, 9), scene.At(14, 29));
}

TEST(Crop, TheExportedPictureIsTheSignWideAndTheSceneHeightHigh) {
  PixelCanvas scene = Numbered(371, 120);
  PixelCanvas out = ExportedPicture(scene, SceneLayout{100, 61});
  EXPECT_EQ(out.pixels, CropPixels(scene, Rect{135, 59, 235, 120}).pixels);
  EXPECT_EQ(out.width, 100);
}

}  // namespace
}  // namespace plakato
