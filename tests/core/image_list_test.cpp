#include <gtest/gtest.h>

#include <stdexcept>
#include <tuple>
#include <utility>
#include <vector>

#include "scene/pixels.h"

namespace plakato {
namespace {

constexpr uint32_t kMarker = 0x123456;

TEST(Artwork, ListsKeepTheirCellSizesAndCounts) {
  ImageList faces(FaceArtwork()), pieces(PieceArtwork());
  EXPECT_EQ(faces.Width(), 26);
  EXPECT_EQ(faces.Height(), 26);
  EXPECT_EQ(faces.Count(), 17);
  EXPECT_EQ(pieces.Width(), 16);
  EXPECT_EQ(pieces.Height(), 16);
  EXPECT_EQ(pieces.Count(), 4);
}

TEST(Artwork, NoFaceHasAnOpaquePixelInItsBottomThreeRowsAndTransparentPixelsAreBlack) {
  ImageList faces(FaceArtwork());
  for (int i = 0; i < faces.Count(); ++i) {
    for (int y = 0; y < 26; ++y) {
      for (int x = 0; x < 26; ++x) {
        if (y >= 23) {
          EXPECT_FALSE(faces.Opaque(i, x, y)) << "face " << i << " at " << x << "," << y;
        }
        if (!faces.Opaque(i, x, y)) {
          EXPECT_EQ(faces.Colour(i, x, y), 0u);
        }
      }
    }
  }
}

TEST(MaskedDrawing, LeavesTransparentPixelsAsTheyWere) {
  ImageList faces(FaceArtwork());
  PixelCanvas canvas(40, 40, kMarker);
  faces.Draw(canvas, 5, 5, 14);  // the pig: rows 0 to 4 of its cell are transparent
  for (int y = 5; y < 10; ++y) {
    for (int x = 0; x < 40; ++x) EXPECT_EQ(canvas.At(x, y), kMarker) << x << "," << y;
  }
  int changed = 0;
  for (int y = 0; y < 26; ++y) {
    for (int x = 0; x < 26; ++x) {
      uint32_t expected = faces.Opaque(14, x, y) ? faces.Colour(14, x, y) : kMarker;
      EXPECT_EQ(canvas.At(5 + x, 5 + y), expected);
      changed += canvas.At(5 + x, 5 + y) != kMarker;
    }
  }
  EXPECT_GT(changed, 200);  // a pig head, not a speck
}

TEST(MaskedDrawing, CutsAtTheCanvasEdgesAndIgnoresUnknownIndexes) {
  ImageList faces(FaceArtwork());
  PixelCanvas canvas(20, 20, kMarker);
  faces.Draw(canvas, -10, 10, 7);  // reaches past the left and bottom edges
  EXPECT_NE(canvas.At(5, 15), kMarker);
  PixelCanvas untouched(20, 20, kMarker);
  faces.Draw(untouched, 0, 0, 17);
  faces.Draw(untouched, 0, 0, -1);
  EXPECT_EQ(untouched.pixels, PixelCanvas(20, 20, kMarker).pixels);
}

TEST(MaskedDrawing, NeverReachesPastItsCellNorWrapsPastTheRightEdge) {
  ImageList pieces(PieceArtwork());
  PixelCanvas canvas(32, 32, kMarker);
  pieces.Draw(canvas, 0, 0, 1);  // the next piece, the pole top, is opaque in its first row
  for (int y = 0; y < 32; ++y) {
    for (int x = y < 16 ? 16 : 0; x < 32; ++x) EXPECT_EQ(canvas.At(x, y), kMarker) << x << "," << y;
  }
  // A face cut by the right edge: nothing of it comes back at the left.
  ImageList faces(FaceArtwork());
  PixelCanvas cut(20, 40, kMarker);
  faces.Draw(cut, 10, 5, 7);
  EXPECT_NE(cut.At(19, 18), kMarker);
  for (int y = 0; y < 40; ++y) EXPECT_EQ(cut.At(0, y), kMarker) << y;
}

TEST(PixelCanvas, ContainsItsLastColumnAndRowButNothingPast) {
  PixelCanvas canvas(3, 2);
  EXPECT_TRUE(canvas.Contains(0, 0));
  EXPECT_TRUE(canvas.Contains(2, 1));
  EXPECT_FALSE(canvas.Contains(3, 1));
  EXPECT_FALSE(canvas.Contains(2, 2));
  EXPECT_FALSE(canvas.Contains(-1, 0));
  EXPECT_FALSE(canvas.Contains(0, -1));
}

TEST(GetBitmap, TheThumbnailIsWhiteOutsideItsMiddleRows) {
  ImageList pieces(PieceArtwork());
  PixelCanvas thumb;
  ASSERT_TRUE(pieces.GetBitmap(PieceIndex(Piece::Thumbnail), thumb));
  ASSERT_EQ(thumb.width, 16);
  ASSERT_EQ(thumb.height, 16);
  for (int y = 0; y < 16; ++y) {
    for (int x = 0; x < 16; ++x) {
      if (y < 3 || y > 12) {
        EXPECT_EQ(thumb.At(x, y), 0xFFFFFFu) << x << "," << y;
      } else {
        EXPECT_TRUE(pieces.Opaque(3, x, y)) << x << "," << y;
      }
    }
  }
  // The framed bar of the miniature sign is there: black corners at (3,5) and (13,8).
  EXPECT_EQ(thumb.At(3, 5), 0u);
  EXPECT_EQ(thumb.At(13, 8), 0u);
  // The first piece has its bitmap, too.
  ASSERT_TRUE(pieces.GetBitmap(0, thumb));
  EXPECT_EQ(thumb.At(1, 0), 0u);
}

TEST(GetBitmap, AnUnknownIndexLeavesTheBitmapAndSaysSo) {
  ImageList pieces(PieceArtwork());
  PixelCanvas bitmap(3, 3, kMarker);
  EXPECT_FALSE(pieces.GetBitmap(4, bitmap));
  EXPECT_FALSE(pieces.GetBitmap(-1, bitmap));
  EXPECT_EQ(bitmap.width, 3);
  EXPECT_EQ(bitmap.pixels, std::vector<uint32_t>(9, kMarker));
}

TEST(PolePieces, LineUpAsOnePoleInTheScene) {
  ImageList pieces(PieceArtwork());
  // Pole: black outline in columns 1 and 5 and wood between, over all rows
  // above the hand; the top's five columns sit one pixel right of the pole image.
  for (int y = 0; y < 7; ++y) {
    EXPECT_EQ(pieces.Colour(0, 1, y), 0u);
    EXPECT_EQ(pieces.Colour(0, 5, y), 0u);
    for (int x = 2; x <= 4; ++x) EXPECT_NE(pieces.Colour(0, x, y), 0u);
  }
  for (int x = 0; x < 16; ++x) {
    EXPECT_EQ(pieces.Opaque(2, x, 0), x <= 4) << x;
    EXPECT_EQ(pieces.Opaque(0, x, 0), x >= 1 && x <= 5) << x;
  }
  for (int x = 8; x < 16; ++x) {
    for (int y = 0; y < 16; ++y) EXPECT_FALSE(pieces.Opaque(0, x, y));
  }
}

// The area filter averages only the opaque pixels a new pixel covers, so no
// dark fringe comes in from the transparent ones, and keeps a pixel that is
// at least half covered.
TEST(Resampled, AveragesOpaqueColoursAndKeepsWhatIsHalfCovered) {
  constexpr uint32_t kRed = kOpaqueBit | 0x0000FF, kBlue = kOpaqueBit | 0xFF0000;
  // One 4 x 2 image: red, blue, red, clear / clear, clear, clear, clear.
  ImageList source(4, 2, 1, {kRed, kBlue, kRed, 0, 0, 0, 0, 0});
  ImageList half = Resampled(source, 2, 1);
  EXPECT_EQ(half.Colour(0, 0, 0), 0x800080u);  // red and blue, half each
  EXPECT_TRUE(half.Opaque(0, 0, 0));
  EXPECT_FALSE(half.Opaque(0, 1, 0));  // a quarter covered
  ImageList wide = Resampled(ImageList(2, 1, 1, {kRed, 0}), 1, 1);
  EXPECT_TRUE(wide.Opaque(0, 0, 0));
  EXPECT_EQ(wide.Colour(0, 0, 0), 0x0000FFu);  // half covered: kept, and pure red
  ImageList grown = Resampled(source, 8, 4);  // enlarging covers whole pixels
  EXPECT_EQ(grown.Colour(0, 2, 1), 0xFF0000u);
  EXPECT_FALSE(grown.Opaque(0, 7, 0));
}

TEST(ArtAtScale, EachDisplayGetsArtOfItsSizeFromTheNearestArtAtOrAboveIt) {
  EXPECT_EQ(&FaceImagesAt(96), &FaceImages());
  EXPECT_EQ(&PieceImagesAt(96), &PieceImages());
  EXPECT_EQ(&FaceImagesAt(144), &FaceImagesAt(144));  // made once
  ImageList faces2x(FaceArtwork2x()), faces5x(FaceArtwork5x());
  for (auto [dpi, face, piece] :
       {std::tuple{120, 33, 20}, {144, 39, 24}, {192, 52, 32}, {288, 78, 48}, {480, 130, 80}, {600, 163, 100}}) {
    EXPECT_EQ(FaceImagesAt(dpi).Width(), face) << dpi;
    EXPECT_EQ(FaceImagesAt(dpi).Height(), face) << dpi;
    EXPECT_EQ(FaceImagesAt(dpi).Count(), 17) << dpi;
    EXPECT_EQ(PieceImagesAt(dpi).Width(), piece) << dpi;
    EXPECT_EQ(PieceImagesAt(dpi).Count(), 3) << dpi;
  }
  for (int y = 0; y < 52; ++y) {
    for (int x = 0; x < 52; ++x) ASSERT_EQ(FaceImagesAt(192).Colour(12, x, y), faces2x.Colour(12, x, y));
  }
  for (int y = 0; y < 130; ++y) {
    for (int x = 0; x < 130; ++x) ASSERT_EQ(FaceImagesAt(480).Colour(3, x, y), faces5x.Colour(3, x, y));
  }
  // At 150 % the faces come from the 2x art, not from the 1x art enlarged;
  // at 300 % from the 5x art reduced, not from the 2x art enlarged.
  auto differing = [](const ImageList& a, const ImageList& b, int face) {
    int n = 0;
    for (int y = 0; y < a.Height(); ++y) {
      for (int x = 0; x < a.Width(); ++x) n += a.Colour(face, x, y) != b.Colour(face, x, y);
    }
    return n;
  };
  EXPECT_GT(differing(FaceImagesAt(144), Resampled(FaceImages(), 39, 39), 13), 39 * 39 / 10);
  EXPECT_GT(differing(FaceImagesAt(288), Resampled(faces2x, 78, 78), 13), 78 * 78 / 10);
  EXPECT_EQ(differing(FaceImagesAt(288), Resampled(faces5x, 78, 78), 13), 0);
}

// The pole's shaft keeps its dark outline unbroken at every scale between
// 1x and 4x: above and below the fist every row of the shaft is the same
// one run of opaque pixels with a dark pixel at each end, and its closed
// ends are dark all across.
TEST(ArtAtScale, PoleOutlineStaysUnbrokenAtEveryScale) {
  auto dark = [](uint32_t c) { return (c & 0xFF) + ((c >> 8) & 0xFF) + ((c >> 16) & 0xFF) < 150; };
  // The rows of `list`'s image `index` lying wholly within 1x rows [from, to).
  auto check_shaft = [&](int dpi, const ImageList& list, int index, std::vector<std::pair<int, int>> spans) {
    int first = -1, last = -1;
    for (int y = 0; y < list.Height(); ++y) {
      bool inside = false;
      for (auto [from, to] : spans) inside |= y * 96 >= from * dpi && (y + 1) * 96 <= to * dpi;
      if (!inside) continue;
      std::vector<int> opaque;
      for (int x = 0; x < list.Width(); ++x) {
        if (list.Opaque(index, x, y)) opaque.push_back(x);
      }
      ASSERT_FALSE(opaque.empty()) << dpi << " dpi, piece " << index << ", row " << y;
      if (first < 0) first = opaque.front(), last = opaque.back();
      EXPECT_EQ(opaque.front(), first) << dpi << " dpi, piece " << index << ", row " << y;
      EXPECT_EQ(opaque.back(), last) << dpi << " dpi, piece " << index << ", row " << y;
      EXPECT_EQ(static_cast<int>(opaque.size()), opaque.back() - opaque.front() + 1)
          << dpi << " dpi, piece " << index << ", row " << y << ": a gap in the shaft";
      EXPECT_TRUE(dark(list.Colour(index, first, y)) && dark(list.Colour(index, last, y)))
          << dpi << " dpi, piece " << index << ", row " << y << ": outline not dark";
    }
    EXPECT_GE(first, 0) << dpi;
  };
  auto check_end = [&](int dpi, const ImageList& list, int index, int y) {
    for (int x = 0; x < list.Width(); ++x) {
      if (list.Opaque(index, x, y)) {
        EXPECT_TRUE(dark(list.Colour(index, x, y))) << dpi << " dpi, end at " << x << "," << y;
      }
    }
  };
  for (int dpi : {120, 144, 168, 216, 240, 288, 336, 384}) {
    const ImageList& pieces = PieceImagesAt(dpi);
    check_shaft(dpi, pieces, PieceIndex(Piece::PoleWithLeftHand), {{0, 7}, {12, 15}});
    check_shaft(dpi, pieces, PieceIndex(Piece::PoleTop), {{1, 3}});
    check_end(dpi, pieces, PieceIndex(Piece::PoleWithLeftHand), pieces.Height() - 1);
    check_end(dpi, pieces, PieceIndex(Piece::PoleTop), 0);
  }
}

TEST(PackedArtwork, RunsThatDoNotFillTheCellsExactlyAreRefused) {
  const uint32_t palette[] = {0, kOpaqueBit | 0xFF};
  const uint16_t runs[] = {3, 1, 1, 0, 1, 2};
  EXPECT_EQ(UnpackedPixels({2, 2, 1, palette, 2, runs, 2}),
            (std::vector<uint32_t>{palette[1], palette[1], palette[1], 0}));
  EXPECT_THROW(UnpackedPixels({2, 2, 1, palette, 2, runs, 1}), std::logic_error);  // too short
  EXPECT_THROW(UnpackedPixels({1, 2, 1, palette, 2, runs, 2}), std::logic_error);  // too long
  EXPECT_THROW(UnpackedPixels({2, 2, 1, palette, 2, runs, 3}), std::logic_error);  // no colour 2
}

}  // namespace
}  // namespace plakato
