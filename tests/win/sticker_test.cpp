// The sticker as real GDI draws it: 512 on its longer side, the figure's
// pixels those of the placard drawn at the sticker's scale, a white ring
// around it and nothing but transparency beyond.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>

#include "export/sticker.h"
#include "export/sticker_picture_win.h"
#include "scene/placard_view_win.h"
#include "scene/scene_surface_win.h"

namespace plakato {
namespace {

uint32_t Alpha(uint32_t c) { return c >> 24; }

Placard WithFont(const std::wstring& text, int points) {
  SignFont font = DefaultSceneFont();
  font.weight = FW_BOLD;
  if (points) font.pointTenths = points * 10;
  return Placard().WithText(text).WithFont(font);
}

class StickerTest : public testing::TestWithParam<std::pair<const wchar_t*, int>> {};

TEST_P(StickerTest, ItsFigureIsThePlacardAtItsScaleInsideAWhiteRingOnTransparency) {
  const auto [text, points] = GetParam();
  PlacardView view;
  const Placard placard = WithFont(text, points);
  const StickerPicture sticker = DrawSticker(view, placard);
  const PixelCanvas& s = sticker.pixels;
  EXPECT_EQ(std::max(s.width, s.height), kStickerSide);
  EXPECT_LE(std::min(s.width, s.height), kStickerSide);
  for (auto [x, y] : {std::pair{0, 0}, {s.width - 1, 0}, {0, s.height - 1}, {s.width - 1, s.height - 1}}) {
    EXPECT_EQ(s.At(x, y), 0u) << "corner " << x << "," << y;
  }

  // The placard drawn at the sticker's scale, over white and black: its
  // figure lands in the sticker at the margin, pixel for pixel.
  const PixelCanvas onWhite = view.RenderCut(placard, sticker.dpi, 0xFFFFFF);
  const PixelCanvas onBlack = view.RenderCut(placard, sticker.dpi, 0x000000);
  const Rect figure = FigureBounds(onWhite, onBlack);
  ASSERT_LE(std::max(figure.width(), figure.height()), kStickerFigureRoom);
  EXPECT_GE(std::max(figure.width(), figure.height()), kStickerFigureRoom - 12) << "the figure fills the room";
  const int margin = (kStickerSide - std::max(figure.width(), figure.height())) / 2;
  int mismatches = 0, figurePixels = 0, ringGaps = 0;
  for (int y = 0; y < onWhite.height; ++y) {
    for (int x = 0; x < onWhite.width; ++x) {
      const bool inFigure = onWhite.At(x, y) == onBlack.At(x, y);
      const int sx = x - figure.left + margin, sy = y - figure.top + margin;
      if (!inFigure) continue;
      ++figurePixels;
      mismatches += s.At(sx, sy) != (onWhite.At(x, y) | kStickerOpaque);
      // Every background neighbour of the figure is the outline's full white.
      for (auto [dx, dy] : {std::pair{-1, 0}, {1, 0}, {0, -1}, {0, 1}}) {
        const int nx = x + dx, ny = y + dy;
        const bool neighbourOut = !onWhite.Contains(nx, ny) || onWhite.At(nx, ny) != onBlack.At(nx, ny);
        if (neighbourOut) ringGaps += s.At(sx + dx, sy + dy) != 0xFFFFFFFFu;
      }
    }
  }
  EXPECT_GT(figurePixels, 1000);
  EXPECT_EQ(mismatches, 0) << "inside the figure, the placard's own pixels";
  EXPECT_EQ(ringGaps, 0) << "the ring is whole";
  // No pixel of the sticker is half transparent except on the ring's outer edge:
  // opaque pixels are exactly the figure's and the ring's.
  int opaque = 0;
  for (uint32_t c : s.pixels) opaque += Alpha(c) == 255 && c != 0xFFFFFFFFu;
  int figureNotWhite = 0;
  for (int y = 0; y < onWhite.height; ++y) {
    for (int x = 0; x < onWhite.width; ++x) {
      figureNotWhite += onWhite.At(x, y) == onBlack.At(x, y) && onWhite.At(x, y) != 0xFFFFFF;
    }
  }
  EXPECT_EQ(opaque, figureNotWhite);

  // The face, the pole's foot and the sign's middle are in the figure.
  const int cx = onWhite.width / 2, cy = onWhite.height - DpiScale{sticker.dpi}(10);
  EXPECT_EQ(Alpha(s.At(cx - figure.left + margin, cy - figure.top + margin)), 255u) << "the face";
}

INSTANTIATE_TEST_SUITE_P(Texts, StickerTest,
                         testing::Values(std::pair{L"x", 0}, std::pair{L"Quillion", 0},
                                         std::pair{L"今天天气真好我们去公园玩吧好不", 0},
                                         std::pair{L"今天天气真好我们去公园玩吧好不", 72}));

}  // namespace
}  // namespace plakato
