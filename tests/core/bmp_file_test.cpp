#include "messenger/bmp_file.h"

#include <gtest/gtest.h>

#include <numeric>
#include <vector>

#include "base/error.h"

namespace plakato {
namespace {

uint32_t Read32(const std::vector<uint8_t>& b, size_t at) {
  return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<uint32_t>(b[at + 3]) << 24;
}
uint16_t Read16(const std::vector<uint8_t>& b, size_t at) { return static_cast<uint16_t>(b[at] | b[at + 1] << 8); }

std::vector<uint8_t> Rows(int width, int height, int bitCount) {
  std::vector<uint8_t> rows(static_cast<size_t>(BmpRowBytes(width, bitCount) * height));
  std::iota(rows.begin(), rows.end(), uint8_t{1});
  return rows;
}

TEST(BmpFile, ThirtyTwoBitThumbnailIs1078BytesWithItsHeadersReadingBack) {
  std::vector<uint8_t> rows = Rows(16, 16, 32);
  std::vector<uint8_t> file = BmpFileBytes(16, 16, 32, rows, {});
  ASSERT_EQ(file.size(), 1078u);
  EXPECT_EQ(file[0], 'B');
  EXPECT_EQ(file[1], 'M');
  EXPECT_EQ(Read32(file, 2), 1078u);
  EXPECT_EQ(Read32(file, 6), 0u);  // both reserved words
  EXPECT_EQ(Read32(file, 10), 54u);
  EXPECT_EQ(Read32(file, 14), 40u);
  EXPECT_EQ(Read32(file, 18), 16u);
  EXPECT_EQ(Read32(file, 22), 16u);
  EXPECT_EQ(Read16(file, 26), 1u);
  EXPECT_EQ(Read16(file, 28), 32u);
  EXPECT_EQ(Read32(file, 30), 0u);
  EXPECT_EQ(Read32(file, 34), 1024u);
  for (size_t at : {38u, 42u, 46u, 50u}) EXPECT_EQ(Read32(file, at), 0u) << at;
  EXPECT_TRUE(std::equal(rows.begin(), rows.end(), file.begin() + 54));
}

TEST(BmpFile, TwentyFourBitRowsOf48Bytes) {
  EXPECT_EQ(BmpRowBytes(16, 24), 48);
  std::vector<uint8_t> file = BmpFileBytes(16, 16, 24, Rows(16, 16, 24), {});
  EXPECT_EQ(file.size(), 822u);
  EXPECT_EQ(Read32(file, 2), 822u);
  EXPECT_EQ(Read32(file, 10), 54u);
  EXPECT_EQ(Read32(file, 34), 768u);
}

TEST(BmpFile, RowsArePaddedToFourBytes) {
  EXPECT_EQ(BmpRowBytes(3, 24), 12);
  EXPECT_EQ(BmpRowBytes(5, 8), 8);
  EXPECT_EQ(BmpRowBytes(16, 4), 8);
  EXPECT_EQ(BmpRowBytes(16, 1), 4);
  EXPECT_EQ(BmpRowBytes(33, 1), 8);
  EXPECT_EQ(BmpRowBytes(1, 16), 4);
}

TEST(BmpFile, EightBitCarriesA256ColourTable) {
  std::vector<uint32_t> table(256);
  for (uint32_t i = 0; i < 256; ++i) table[i] = i * 0x010101u;
  std::vector<uint8_t> file = BmpFileBytes(16, 16, 8, Rows(16, 16, 8), table);
  EXPECT_EQ(Read32(file, 10), 1078u);
  EXPECT_EQ(file.size(), 1078u + 256u);
  EXPECT_EQ(Read16(file, 28), 8u);
  EXPECT_EQ(Read32(file, 46), 0u);
  EXPECT_EQ(Read32(file, 54), 0u);
  EXPECT_EQ(Read32(file, 54 + 4 * 255), 0xFFFFFFu);
  EXPECT_EQ(file[1078], 1u);
}

TEST(BmpFile, MismatchedRowsOrTableAreRefused) {
  EXPECT_THROW(BmpFileBytes(16, 16, 32, Rows(16, 15, 32), {}), AppError);
  EXPECT_THROW(BmpFileBytes(16, 16, 24, std::vector<uint8_t>(16 * 16 * 3 + 1), {}), AppError);
  std::vector<uint32_t> table(16);
  EXPECT_THROW(BmpFileBytes(16, 16, 8, Rows(16, 16, 8), table), AppError);
  EXPECT_THROW(BmpFileBytes(16, 16, 32, Rows(16, 16, 32), table), AppError);
  EXPECT_NO_THROW(BmpFileBytes(16, 16, 4, Rows(16, 16, 4), table));
  EXPECT_THROW(BmpFileBytes(16, 16, 12, {}, {}), AppError);
  EXPECT_THROW(BmpFileBytes(0, 16, 32, {}, {}), AppError);
  EXPECT_THROW(BmpFileBytes(16, -16, 32, {}, {}), AppError);
}

// Each refusal below has rows and table that would fit: only the depth or the size is wrong.
TEST(BmpFile, EveryDepthABitmapKnowsAndNoOtherUpTo32768Pixels) {
  EXPECT_EQ(BmpFileBytes(16, 16, 1, Rows(16, 16, 1), std::vector<uint32_t>(2)).size(), 54u + 8 + 64);
  EXPECT_EQ(BmpFileBytes(16, 16, 16, Rows(16, 16, 16), {}).size(), 54u + 512);
  EXPECT_THROW(BmpFileBytes(16, 16, 2, Rows(16, 16, 2), std::vector<uint32_t>(4)), AppError);
  EXPECT_THROW(BmpFileBytes(16, 16, 15, Rows(16, 16, 15), {}), AppError);
  EXPECT_EQ(BmpFileBytes(32768, 1, 1, Rows(32768, 1, 1), std::vector<uint32_t>(2)).size(), 54u + 8 + 4096);
  EXPECT_THROW(BmpFileBytes(32769, 1, 1, Rows(32769, 1, 1), std::vector<uint32_t>(2)), AppError);
}

}  // namespace
}  // namespace plakato
