// The save dialog's preview: a JPEG read back at a size that fits its box.
#include "export/jpeg_decode.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "export/jpeg_encode.h"
#include "test_pictures.h"

namespace plakato {
namespace {

// Width and height of the preview of a width x height picture in a box of boxWidth x boxHeight.
std::pair<int, int> PreviewSize(int width, int height, int boxWidth, int boxHeight) {
  DecodedPreview preview = DecodeJpegPreview(EncodeJpeg(TestPicture(width, height)), boxWidth, boxHeight);
  EXPECT_EQ(preview.width, width);
  EXPECT_EQ(preview.height, height);
  return {preview.picture.width, preview.picture.height};
}

TEST(JpegPreview, FitsTheBoxByItsTighterSideAndNeverGrows) {
  EXPECT_EQ(PreviewSize(400, 100, 40, 40), std::make_pair(40, 10));
  EXPECT_EQ(PreviewSize(100, 400, 40, 40), std::make_pair(10, 40));
  // Too wide only, and too high only: no reduced size of libjpeg fits, the rest is scaled.
  EXPECT_EQ(PreviewSize(100, 20, 60, 60), std::make_pair(60, 12));
  EXPECT_EQ(PreviewSize(20, 100, 60, 60), std::make_pair(12, 60));
  EXPECT_EQ(PreviewSize(30, 20, 60, 60), std::make_pair(30, 20));
  // A sliver keeps one row rather than none.
  EXPECT_EQ(PreviewSize(200, 2, 10, 10), std::make_pair(10, 1));
}

TEST(JpegPreview, KeepsTheColoursAndRefusesWhatIsNoJpeg) {
  DecodedPreview red = DecodeJpegPreview(EncodeJpeg(PixelCanvas(16, 16, 0x0000FF)), 8, 8);
  ASSERT_EQ(red.picture.width, 8);
  uint32_t c = red.picture.At(4, 4);
  EXPECT_GT(c & 0xFF, 0xF0u) << std::hex << c;
  EXPECT_LT((c >> 8) & 0xFF, 0x10u) << std::hex << c;
  EXPECT_LT((c >> 16) & 0xFF, 0x10u) << std::hex << c;
  const std::vector<uint8_t> notJpeg = {'n', 'o', 't', ' ', 'a', ' ', 'J', 'P', 'E', 'G'};
  EXPECT_EQ(DecodeJpegPreview(notJpeg, 8, 8).picture.width, 0);
}

}  // namespace
}  // namespace plakato
