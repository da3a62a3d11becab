#include "export/sticker.h"

#include <gtest/gtest.h>

namespace plakato {
namespace {

// A placard-like figure drawn over white and over black: a 300 x 100 sign
// filled white inside a black frame, and a 10 x 40 pole under it.
struct Drawn {
  PixelCanvas onWhite, onBlack;
};
Drawn Figure(int width = 420, int height = 200) {
  Drawn d{PixelCanvas(width, height, 0xFFFFFF), PixelCanvas(width, height, 0x000000)};
  for (PixelCanvas* p : {&d.onWhite, &d.onBlack}) {
    for (int y = 20; y < 120; ++y) {
      for (int x = 50; x < 350; ++x) {
        bool frame = x < 53 || x >= 347 || y < 23 || y >= 117;
        p->At(x, y) = frame ? 0x000000 : 0xFFFFFF;
      }
    }
    for (int y = 120; y < 160; ++y) {
      for (int x = 195; x < 205; ++x) p->At(x, y) = 0x2040A0;
    }
  }
  return d;
}

uint32_t Alpha(uint32_t c) { return c >> 24; }

TEST(Sticker, TheFigureIsWhatBothDrawingsShareAndGetsTheLongerSideOf512) {
  Drawn d = Figure();
  EXPECT_EQ(FigureBounds(d.onWhite, d.onBlack), (Rect{50, 20, 350, 160}));
  PixelCanvas s = MakeSticker(d.onWhite, d.onBlack);
  const int margin = (512 - 300) / 2;  // 106 on every side
  ASSERT_EQ(s.width, 512);
  ASSERT_EQ(s.height, 140 + 2 * margin);
  // Corners and the figure's empty neighbourhood are fully transparent.
  for (auto [x, y] : {std::pair{0, 0}, {511, 0}, {0, s.height - 1}, {511, s.height - 1}, {margin + 20, margin + 130}}) {
    EXPECT_EQ(s.At(x, y), 0u) << x << "," << y;
  }
  // Inside, the drawn pixels, opaque: the sign's white fill is the placard's, not outline.
  EXPECT_EQ(s.At(margin + 150, margin + 50), 0xFFFFFFFFu);
  EXPECT_EQ(s.At(margin + 0, margin + 50), 0xFF000000u);
  EXPECT_EQ(s.At(margin + 150, margin + 120), 0xFF2040A0u);
}

TEST(Sticker, AWhiteOutlineOfEightPixelsRingsTheFigureAndFadesOutside) {
  Drawn d = Figure();
  PixelCanvas s = MakeSticker(d.onWhite, d.onBlack);
  const int margin = 106;
  const int mid = margin + 50;  // a row through the sign's left frame
  for (int k = 1; k <= 7; ++k) EXPECT_EQ(s.At(margin - k, mid), 0xFFFFFFFFu) << k << " px out";
  EXPECT_GT(Alpha(s.At(margin - 8, mid)), 0u);
  EXPECT_EQ(Alpha(s.At(margin - 10, mid)), 0u);
  // Round at the corners: diagonal reach is the same distance, not a square's.
  EXPECT_EQ(Alpha(s.At(margin - 7, margin - 7)), 0u);
  EXPECT_EQ(s.At(margin - 5, margin - 5), 0xFFFFFFFFu);
  // Around the pole, below the sign, too.
  EXPECT_EQ(s.At(margin + 145 + 10 + 4, margin + 120), 0xFFFFFFFFu);
}

TEST(Sticker, OverABackgroundTheAlphaMixesAndTheScaleRoundsDown) {
  PixelCanvas s(2, 1, 0);
  s.At(0, 0) = 0x80FFFFFF;  // half-covered white
  s.At(1, 0) = 0xFF102030;
  PixelCanvas flat = OverBackground(s, 0x000000);
  EXPECT_EQ(flat.At(0, 0), 0x808080u);
  EXPECT_EQ(flat.At(1, 0), 0x102030u);
  EXPECT_EQ(StickerDpiFrom(96, 100), 96 * kStickerFigureRoom / 100);
  EXPECT_EQ(StickerDpiFrom(480, kStickerFigureRoom + 1), 479);
}

}  // namespace
}  // namespace plakato
