#include "export/sticker.h"

#include <gtest/gtest.h>

namespace plakato {
namespace {

// A placard-like picture drawn over white and over black: a 300 x 100 sign
// filled white inside a black frame, 10 pixels in from the picture's edges,
// and a 10 x 40 pole under it.
struct Drawn {
  PixelCanvas onWhite, onBlack;
};
Drawn Figure() {
  Drawn d{PixelCanvas(320, 160, 0xFFFFFF), PixelCanvas(320, 160, 0x000000)};
  for (PixelCanvas* p : {&d.onWhite, &d.onBlack}) {
    for (int y = 10; y < 110; ++y) {
      for (int x = 10; x < 310; ++x) {
        bool frame = x < 13 || x >= 307 || y < 13 || y >= 107;
        p->At(x, y) = frame ? 0x000000 : 0xFFFFFF;
      }
    }
    for (int y = 110; y < 150; ++y) {
      for (int x = 155; x < 165; ++x) p->At(x, y) = 0x2040A0;
    }
  }
  return d;
}

uint32_t Alpha(uint32_t c) { return c >> 24; }

// The picture lands in the sticker's middle: (512 - 320) / 2 = 96 across,
// the outline's 8 pixels down.
constexpr int kLeft = 96 + 10, kTop = 8 + 10;  // where the sign's frame starts

TEST(Sticker, ThePictureGetsTheLongerSideOf512AndOnlyItsFigureIsOpaque) {
  Drawn d = Figure();
  PixelCanvas s = MakeSticker(d.onWhite, d.onBlack);
  ASSERT_EQ(s.width, 512);
  ASSERT_EQ(s.height, 160 + 2 * 8);
  // Corners and the figure's empty neighbourhood are fully transparent.
  for (auto [x, y] : {std::pair{0, 0}, {511, 0}, {0, s.height - 1}, {511, s.height - 1}, {kLeft + 20, kTop + 130}}) {
    EXPECT_EQ(s.At(x, y), 0u) << x << "," << y;
  }
  // Inside, the drawn pixels, opaque: the sign's white fill is the placard's, not outline.
  EXPECT_EQ(s.At(kLeft + 150, kTop + 50), 0xFFFFFFFFu);
  EXPECT_EQ(s.At(kLeft, kTop + 50), 0xFF000000u);
  EXPECT_EQ(s.At(kLeft + 150, kTop + 120), 0xFF2040A0u);
  // A tall picture stands the same way up.
  PixelCanvas tall = MakeSticker(PixelCanvas(100, 300, 0xFFFFFF), PixelCanvas(100, 300, 0));
  EXPECT_EQ(tall.width, 116);
  EXPECT_EQ(tall.height, 512);
}

TEST(Sticker, AWhiteOutlineOfEightPixelsRingsTheFigureAndFadesOutside) {
  Drawn d = Figure();
  PixelCanvas s = MakeSticker(d.onWhite, d.onBlack);
  const int mid = kTop + 50;  // a row through the sign's left frame
  for (int k = 1; k <= 7; ++k) EXPECT_EQ(s.At(kLeft - k, mid), 0xFFFFFFFFu) << k << " px out";
  EXPECT_GT(Alpha(s.At(kLeft - 8, mid)), 0u);
  EXPECT_EQ(Alpha(s.At(kLeft - 10, mid)), 0u);
  // Round at the corners: diagonal reach is the same distance, not a square's.
  EXPECT_EQ(Alpha(s.At(kLeft - 7, kTop - 7)), 0u);
  EXPECT_EQ(s.At(kLeft - 5, kTop - 5), 0xFFFFFFFFu);
  // Around the pole, below the sign, too.
  EXPECT_EQ(s.At(kLeft + 145 + 10 + 4, kTop + 120), 0xFFFFFFFFu);
}

TEST(Sticker, OverABackgroundTheAlphaMixes) {
  PixelCanvas s(2, 1, 0);
  s.At(0, 0) = 0x80FFFFFF;  // half-covered white
  s.At(1, 0) = 0xFF102030;
  PixelCanvas flat = OverBackground(s, 0x000000);
  EXPECT_EQ(flat.At(0, 0), 0x808080u);
  EXPECT_EQ(flat.At(1, 0), 0x102030u);
}

}  // namespace
}  // namespace plakato
