// Encode time and file size of the sticker and animation encoders on
// synthetic placard-like pictures: a 512 x 512 still WebP with alpha, a
// 12-frame 200 x 130 GIF (with few colours, and with a custom text colour on
// a custom sign, over 256), and a 12-frame 512 x 512 animated WebP.
// Printed, not asserted. Built natively and for Windows.
//   codec_bench [RUNS]
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <numbers>
#include <vector>

#include "bench_timing.h"
#include "export/gif_encode.h"
#include "export/webp_encode.h"
#include "test_pictures.h"

namespace {

using plakato::PixelCanvas;

// The sign pumped once up and back in 12 frames, by up to `reach` pixels.
std::vector<PixelCanvas> Pumped(int width, int height, int reach, bool transparent, bool shaded,
                                plakato::PlacardLikeColours colours = {}) {
  std::vector<PixelCanvas> frames;
  for (int i = 0; i < 12; ++i) {
    int lift = static_cast<int>(std::lround(reach * (1 - std::cos(2 * std::numbers::pi * i / 12)) / 2));
    frames.push_back(plakato::PlacardLike(width, height, lift, transparent, shaded, colours));
  }
  return frames;
}

void Report(const char* what, int runs, auto&& encode) {
  std::vector<double> times;
  size_t size = 0;
  for (int i = 0; i < runs; ++i) times.push_back(bench::Seconds([&] { size = encode().size(); }));
  std::printf("%s: median %.1f ms over %d runs, %zu bytes (%.1f KB)\n", what, bench::Median(times) * 1000, runs, size,
              size / 1024.0);
  std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
  int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 9;
  PixelCanvas sticker = plakato::PlacardLike(512, 512, 0, true, false);
  Report("still WebP, lossless, 512 x 512 with alpha", runs, [&] { return plakato::EncodeWebpLossless(sticker); });

  const std::vector<int> delays(12, 80);
  std::vector<PixelCanvas> small = Pumped(200, 130, 8, false, false);
  Report("GIF, 12 frames of 200 x 130, 20 colours", runs, [&] { return plakato::EncodeGif(small, delays, {}); });
  const plakato::PlacardLikeColours custom{0xF0C040, 0x202020, 0x2020C0};
  std::vector<PixelCanvas> many = Pumped(200, 130, 8, false, true, custom);
  Report("GIF, 12 frames of 200 x 130, over 256 colours (median cut)", runs, [&] {
    return plakato::EncodeGif(many, delays, {custom.fill, custom.frame, custom.text});
  });

  std::vector<PixelCanvas> large = Pumped(512, 512, 20, true, false);
  Report("animated WebP, lossless, 12 frames of 512 x 512 with alpha", std::max(1, runs / 3),
         [&] { return plakato::EncodeAnimatedWebp(large, delays); });
  return 0;
}
