// The GIF palette step, and the inputs the GIF and WebP encoders refuse.
// Built natively and for Windows; the files themselves are read back by
// independent decoders in picture_codecs_decoded_test.cpp.
#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <vector>

#include "base/error.h"
#include "export/gif_encode.h"
#include "export/palette.h"
#include "export/webp_encode.h"
#include "test_pictures.h"

namespace plakato {
namespace {

const PlacardLikeColours kCustom{0xF0C040, 0x202020, 0x2020C0};

std::vector<PixelCanvas> Pumped(bool shaded, PlacardLikeColours colours = {}) {
  std::vector<PixelCanvas> frames;
  for (int lift : {0, 2, 4, 2}) frames.push_back(PlacardLike(200, 130, lift, false, shaded, colours));
  return frames;
}

TEST(Palette, AtMost256ColoursAreKeptExactlyAndEachPixelFindsItsOwn) {
  std::vector<PixelCanvas> frames = Pumped(false);
  // The top byte is not part of the colour.
  frames[1].At(0, 0) |= 0xFF000000u;
  std::set<uint32_t> colours;
  for (const PixelCanvas& f : frames) {
    for (uint32_t c : f.pixels) colours.insert(c & 0xFFFFFF);
  }
  std::vector<uint32_t> palette = ChoosePalette(frames, {0x123456});
  EXPECT_EQ(palette, std::vector<uint32_t>(colours.begin(), colours.end()));
  for (const PixelCanvas& f : frames) {
    std::vector<uint8_t> indexes = MapToPalette(f, palette);
    ASSERT_EQ(indexes.size(), f.pixels.size());
    for (size_t i = 0; i < indexes.size(); ++i) ASSERT_EQ(palette[indexes[i]], f.pixels[i] & 0xFFFFFF) << i;
  }
}

TEST(Palette, OverAPaletteTheKeptColoursStayExactAndTheRestStaysClose) {
  std::vector<PixelCanvas> frames = Pumped(true, kCustom);
  std::set<uint32_t> colours;
  for (const PixelCanvas& f : frames) colours.insert(f.pixels.begin(), f.pixels.end());
  ASSERT_GT(colours.size(), 256u);
  const uint32_t absent = 0x010203;
  std::vector<uint32_t> palette = ChoosePalette(frames, {kCustom.fill, kCustom.frame, kCustom.text, absent, kCustom.text});
  ASSERT_EQ(palette.size(), 256u);
  EXPECT_EQ(std::vector<uint32_t>(palette.begin(), palette.begin() + 3),
            (std::vector<uint32_t>{kCustom.fill, kCustom.frame, kCustom.text}));
  EXPECT_EQ(std::set<uint32_t>(palette.begin(), palette.end()).count(absent), 0u);
  double error = 0;
  int worst = 0;
  size_t pixels = 0;
  for (const PixelCanvas& f : frames) {
    std::vector<uint8_t> indexes = MapToPalette(f, palette);
    for (size_t i = 0; i < indexes.size(); ++i) {
      uint32_t want = f.pixels[i], got = palette[indexes[i]];
      if (want == kCustom.fill || want == kCustom.frame || want == kCustom.text) {
        ASSERT_EQ(got, want);
      }
      for (int c = 0; c < 24; c += 8) {
        int e = std::abs(static_cast<int>((want >> c) & 0xFF) - static_cast<int>((got >> c) & 0xFF));
        error += e;
        worst = std::max(worst, e);
      }
      ++pixels;
    }
  }
  EXPECT_LT(error / (3.0 * pixels), 0.5);
  EXPECT_LE(worst, 16);
}

TEST(Palette, MoreThan256ColoursToKeepAreRefused) {
  std::vector<uint32_t> many;
  for (uint32_t c = 0; c < 257; ++c) many.push_back(c);
  EXPECT_THROW(ChoosePalette(Pumped(true, kCustom), many), AppError);
}

TEST(PictureCodecs, BadFramesAndSizesAreRefusedWithAMessage) {
  PixelCanvas one = PlacardLike(40, 26);
  PixelCanvas other = PlacardLike(41, 26);
  PixelCanvas short_of_pixels = one;
  short_of_pixels.pixels.pop_back();
  auto refused = [](auto&& encode) {
    try {
      encode();
    } catch (const AppError& e) {
      return !e.message().empty();
    }
    return false;
  };
  EXPECT_TRUE(refused([&] { EncodeGif({}, {}, {}); }));
  EXPECT_TRUE(refused([&] { EncodeGif({one, one}, {80}, {}); }));
  EXPECT_TRUE(refused([&] { EncodeGif({one, other}, {80, 80}, {}); }));
  EXPECT_TRUE(refused([&] { EncodeGif({short_of_pixels}, {80}, {}); }));
  EXPECT_TRUE(refused([&] { EncodeGif({PixelCanvas(0, 0)}, {80}, {}); }));
  EXPECT_TRUE(refused([&] { EncodeGif({PixelCanvas(65536, 1)}, {80}, {}); }));
  EXPECT_TRUE(refused([&] { EncodeWebpLossless(PixelCanvas(0, 5)); }));
  EXPECT_TRUE(refused([&] { EncodeWebpLossless(PixelCanvas(16384, 1)); }));
  EXPECT_TRUE(refused([&] { EncodeWebpLossless(short_of_pixels); }));
  EXPECT_TRUE(refused([&] { EncodeAnimatedWebp({}, {}); }));
  EXPECT_TRUE(refused([&] { EncodeAnimatedWebp({one}, {80, 80}); }));
  EXPECT_TRUE(refused([&] { EncodeAnimatedWebp({one, other}, {80, 80}); }));
  EXPECT_TRUE(refused([&] { EncodeAnimatedWebp({one, one}, {80, 0}); }));
  // The largest sizes each format takes still encode.
  EXPECT_FALSE(refused([&] { EncodeGif({PixelCanvas(65535, 1)}, {80}, {}); }));
  EXPECT_FALSE(refused([&] { EncodeWebpLossless(PixelCanvas(16383, 1, 0xFF000000u)); }));
}

}  // namespace
}  // namespace plakato
