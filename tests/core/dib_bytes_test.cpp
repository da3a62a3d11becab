#include "export/dib_bytes.h"

#include <gtest/gtest.h>

#include "base/error.h"

namespace plakato {
namespace {

uint32_t Le32(const std::vector<uint8_t>& b, size_t at) {
  return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (static_cast<uint32_t>(b[at + 3]) << 24);
}

// Rows bottom-up, blue first, each padded: what every reader of CF_DIB expects.
TEST(Dib24Bytes, RowsAreBottomUpBlueFirstAndPadded) {
  PixelCanvas picture(3, 2, 0xFFFFFF);
  picture.At(0, 0) = 0x0000FF;  // red, top-left
  picture.At(2, 1) = 0xFF0000;  // blue, bottom-right
  std::vector<uint8_t> dib = Dib24Bytes(picture);
  ASSERT_EQ(dib.size(), 40u + 2 * 12);  // 9 bytes a row padded to 12
  EXPECT_EQ(Le32(dib, 0), 40u);
  EXPECT_EQ(Le32(dib, 4), 3u);
  EXPECT_EQ(Le32(dib, 8), 2u);
  EXPECT_EQ(dib[14], 24);
  EXPECT_EQ(Le32(dib, 16), 0u);   // BI_RGB
  EXPECT_EQ(Le32(dib, 20), 24u);  // image size
  // First stored row is the bottom one: its last pixel is blue.
  EXPECT_EQ(dib[40 + 6], 0xFF);
  EXPECT_EQ(dib[40 + 7], 0x00);
  EXPECT_EQ(dib[40 + 8], 0x00);
  EXPECT_EQ(dib[40 + 9], 0);  // padding
  // Second stored row is the top one: its first pixel is red.
  EXPECT_EQ(dib[52 + 0], 0x00);
  EXPECT_EQ(dib[52 + 1], 0x00);
  EXPECT_EQ(dib[52 + 2], 0xFF);
  EXPECT_THROW(Dib24Bytes(PixelCanvas()), AppError);
}

TEST(Dib24Bytes, ARowAlreadyAMultipleOfFourBytesGetsNoPadding) {
  EXPECT_EQ(Dib24Bytes(PixelCanvas(4, 2)).size(), 40u + 2 * 12);
  EXPECT_EQ(Le32(Dib24Bytes(PixelCanvas(4, 2)), 20), 24u);
  EXPECT_EQ(Dib24Bytes(PixelCanvas(5, 2)).size(), 40u + 2 * 16);
  EXPECT_EQ(Dib24Bytes(PixelCanvas(1, 1)).size(), 40u + 4);
  EXPECT_THROW(Dib24Bytes(PixelCanvas(4, 0)), AppError);
  EXPECT_THROW(Dib24Bytes(PixelCanvas(0, 4)), AppError);
}

}  // namespace
}  // namespace plakato
