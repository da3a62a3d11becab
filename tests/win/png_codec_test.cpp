// The PNG encoding through WIC read back chunk by chunk and pixel by pixel,
// and the save dialog's preview of PNG files.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/error.h"
#include "base/com_win.h"
#include "export/jpeg_encode.h"
#include "export/png_codec_win.h"
#include "../core/test_pictures.h"

namespace plakato {
namespace {

uint32_t BigEndian(const uint8_t* p) {
  return uint32_t{p[0]} << 24 | uint32_t{p[1]} << 16 | uint32_t{p[2]} << 8 | p[3];
}

// The chunk types in file order, and the IHDR's data, read without WIC.
std::vector<std::string> ChunkTypes(const std::vector<uint8_t>& png, std::vector<uint8_t>& header) {
  std::vector<std::string> types;
  for (size_t at = 8; at + 12 <= png.size(); at += BigEndian(&png[at]) + 12) {
    types.emplace_back(reinterpret_cast<const char*>(&png[at + 4]), 4);
    if (types.back() == "IHDR") header.assign(&png[at + 8], &png[at + 8] + BigEndian(&png[at]));
  }
  return types;
}

class PngTest : public testing::Test {
 protected:
  ComScope com;  // keeps WIC loaded across the encodes of one test
};

// One pixel; odd widths whose BGR rows need padding to whole DWORDs; the sizes
// the program exports.
const std::pair<int, int> kSizes[] = {{1, 1}, {2, 3}, {101, 61}, {100, 61}, {257, 9}, {371, 120}};

TEST_F(PngTest, ChunksAreHeaderDataAndEndOnlyWithEightBitRgb) {
  for (auto [w, h] : kSizes) {
    std::vector<uint8_t> header;
    std::vector<std::string> types = ChunkTypes(EncodePng(TestPicture(w, h)), header);
    ASSERT_GE(types.size(), 3u) << w << "x" << h;
    EXPECT_EQ(types.front(), "IHDR");
    EXPECT_EQ(types.back(), "IEND");
    for (size_t i = 1; i + 1 < types.size(); ++i) EXPECT_EQ(types[i], "IDAT") << i;
    ASSERT_EQ(header.size(), 13u);
    EXPECT_EQ(BigEndian(&header[0]), static_cast<uint32_t>(w));
    EXPECT_EQ(BigEndian(&header[4]), static_cast<uint32_t>(h));
    EXPECT_EQ(header[8], 8) << "bit depth";
    EXPECT_EQ(header[9], 2) << "colour type: RGB without alpha";
    EXPECT_EQ(header[12], 0) << "interlace";
  }
}

TEST_F(PngTest, DecodesToExactlyThePixels) {
  for (auto [w, h] : kSizes) {
    PixelCanvas picture = TestPicture(w, h, static_cast<uint32_t>(w + h));
    DecodedPreview back = DecodePicturePreview(EncodePng(picture), w, h);
    EXPECT_EQ(back.width, w);
    EXPECT_EQ(back.height, h);
    EXPECT_TRUE(back.picture.width == w && back.picture.pixels == picture.pixels) << w << "x" << h;
  }
}

TEST_F(PngTest, RefusesPicturesWithoutTheirPixels) {
  PixelCanvas shortOfPixels(10, 10);
  shortOfPixels.pixels.resize(50);
  EXPECT_THROW(EncodePng(shortOfPixels), AppError);
  EXPECT_THROW(EncodePng(PixelCanvas()), AppError);
}

TEST_F(PngTest, PreviewScalesDownKeepingTheAspectButNeverUp) {
  PixelCanvas wide(400, 100, 0x0000FF);  // red left half, blue right half
  for (int y = 0; y < 100; ++y) std::fill_n(&wide.At(200, y), 200, 0xFF0000u);
  DecodedPreview p = DecodePicturePreview(EncodePng(wide), 200, 150);
  EXPECT_EQ(p.width, 400);
  EXPECT_EQ(p.height, 100);
  ASSERT_EQ(p.picture.width, 200);
  ASSERT_EQ(p.picture.height, 50);
  EXPECT_EQ(p.picture.At(90, 49), 0x0000FFu);
  EXPECT_EQ(p.picture.At(110, 0), 0xFF0000u);

  DecodedPreview tall = DecodePicturePreview(EncodePng(PixelCanvas(60, 300)), 100, 100);
  EXPECT_EQ(tall.picture.width, 20);
  EXPECT_EQ(tall.picture.height, 100);

  DecodedPreview small = DecodePicturePreview(EncodePng(PixelCanvas(30, 20)), 200, 200);
  EXPECT_EQ(small.picture.width, 30);
  EXPECT_EQ(small.picture.height, 20);
}

TEST_F(PngTest, TransparencyPreviewsOverWhite) {
  // 4 x 1 RGBA, as python3-pil writes it: opaque red, fully transparent blue,
  // black at alpha 128, opaque dark green.
  const std::vector<uint8_t> rgba = {
      0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A, 0x1A, 0x0A, 0x00, 0x00, 0x00, 0x0D, 0x49, 0x48, 0x44, 0x52,
      0x00, 0x00, 0x00, 0x04, 0x00, 0x00, 0x00, 0x01, 0x08, 0x06, 0x00, 0x00, 0x00, 0xF9, 0x3C, 0x0F,
      0xCD, 0x00, 0x00, 0x00, 0x14, 0x49, 0x44, 0x41, 0x54, 0x78, 0x9C, 0x63, 0xF8, 0xCF, 0xC0, 0x00,
      0x41, 0x0C, 0x0C, 0x0D, 0x0C, 0x0D, 0x0C, 0xFF, 0x01, 0x2B, 0xE9, 0x04, 0xFD, 0x5A, 0x6A, 0x81,
      0xDC, 0x00, 0x00, 0x00, 0x00, 0x49, 0x45, 0x4E, 0x44, 0xAE, 0x42, 0x60, 0x82};
  DecodedPreview p = DecodePicturePreview(rgba, 10, 10);
  ASSERT_EQ(p.picture.pixels.size(), 4u);
  EXPECT_EQ(p.picture.At(0, 0), 0x0000FFu);
  EXPECT_EQ(p.picture.At(1, 0), 0xFFFFFFu);
  uint32_t grey = p.picture.At(2, 0) & 0xFF;
  EXPECT_NEAR(static_cast<int>(grey), 127, 1);  // half of white over black
  EXPECT_EQ(p.picture.At(2, 0), grey * 0x010101u);
  EXPECT_EQ(p.picture.At(3, 0), 0x008000u);
}

TEST_F(PngTest, JpegStillPreviewsAndOtherBytesGiveNothing) {
  DecodedPreview jpeg = DecodePicturePreview(EncodeJpeg(TestPicture(64, 32)), 32, 32);
  EXPECT_EQ(jpeg.width, 64);
  EXPECT_EQ(jpeg.picture.height, 16);

  std::vector<uint8_t> png = EncodePng(TestPicture(101, 61));
  std::vector<uint8_t> signatureThenNoise(png.begin(), png.begin() + 8);
  for (int i = 0; i < 200; ++i) signatureThenNoise.push_back(static_cast<uint8_t>(i * 37));
  const std::vector<uint8_t> cases[] = {
      {}, {'B', 'M', 0x3A, 0, 0, 0, 0, 0, 0, 0, 0x36, 0}, signatureThenNoise, {png.begin(), png.end() - png.size() / 2}};
  for (const std::vector<uint8_t>& bytes : cases) {
    DecodedPreview p = DecodePicturePreview(bytes, 100, 100);
    EXPECT_TRUE(p.picture.pixels.empty() && p.width == 0) << bytes.size() << " bytes";
  }
  EXPECT_TRUE(DecodePicturePreview(png, 0, 100).picture.pixels.empty());
}

}  // namespace
}  // namespace plakato
