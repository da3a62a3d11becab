#include "scene/picture_fit.h"

#include <gtest/gtest.h>

namespace plakato {
namespace {

TEST(PictureFit, EachReducedPixelAveragesWhatItCoversByteForByte) {
  PixelCanvas picture(3, 2, 0);
  // Columns 0..2 of byte value 0, 90 and 180 in every byte; reduced to 2 x 1,
  // each half covers one and a half columns.
  for (int y = 0; y < 2; ++y) {
    picture.At(1, y) = 0x5A5A5A5A;
    picture.At(2, y) = 0xB4B4B4B4;
  }
  PixelCanvas out = AreaReduced(picture, 2, 1);
  EXPECT_EQ(out.At(0, 0), 0x1E1E1E1Eu);  // (0 + 0.5 * 90) / 1.5 = 30
  EXPECT_EQ(out.At(1, 0), 0x96969696u);  // (0.5 * 90 + 180) / 1.5 = 150
}

TEST(PictureFit, APictureThatFitsIsPlacedAsItIsAndALargerOneReducedInProportion) {
  PixelCanvas small(2, 1, 0x000000);
  PixelCanvas placed = FittedInto(small, 6, 4, 0xFFFFFF);
  EXPECT_EQ(placed.At(2, 3), 0u) << "centred across, on the bottom row";
  EXPECT_EQ(placed.At(3, 3), 0u);
  EXPECT_EQ(placed.At(1, 3), 0xFFFFFFu);
  EXPECT_EQ(placed.At(2, 2), 0xFFFFFFu);

  PixelCanvas wide(40, 4, 0x000000);
  PixelCanvas reduced = FittedInto(wide, 10, 10, 0xFFFFFF);
  ASSERT_EQ(reduced.width, 10);
  for (int x = 0; x < 10; ++x) EXPECT_EQ(reduced.At(x, 9), 0u) << "a quarter: one row of black";
  EXPECT_EQ(reduced.At(5, 8), 0xFFFFFFu);
}

}  // namespace
}  // namespace plakato
