// The PNG encoding through WIC against the program's JPEG encoding of the
// same placard-like pictures, and the first encode of a process, which loads
// the imaging DLL. Prints figures; nothing passes or fails.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

#include "base/com_win.h"
#include "bench_timing.h"
#include "export/jpeg_encode.h"
#include "export/png_codec_win.h"

namespace {

using bench::Median;
using bench::Seconds;

// White with a one-pixel black frame and rows of black strokes where the sign
// text would be, much as an exported placard looks.
plakato::PixelCanvas Placard(int width, int height) {
  plakato::PixelCanvas p(width, height);
  for (int x = 0; x < width; ++x) p.At(x, 0) = p.At(x, height - 1) = 0;
  for (int y = 0; y < height; ++y) p.At(0, y) = p.At(width - 1, y) = 0;
  uint32_t state = 12345;
  for (int y = height / 4; y < height * 3 / 4; ++y) {
    for (int x = 4; x < width - 4; ++x) {
      state = state * 1664525u + 1013904223u;
      if ((state >> 28) < 5) p.At(x, y) = (state >> 20) & 1 ? 0x000000 : 0x404040;
    }
  }
  return p;
}

}  // namespace

int main(int argc, char** argv) {
  int runs = argc > 1 ? std::atoi(argv[1]) : 200;
  plakato::ComScope com;
  const plakato::PixelCanvas first = Placard(100, 61);
  double cold = Seconds([&] { plakato::EncodePng(first); });
  std::printf("first EncodePng of the process (loads WIC): %.2f ms\n", cold * 1e3);
  std::printf("%-9s %12s %10s %12s %10s %9s\n", "picture", "PNG median", "PNG size", "JPEG median", "JPEG size",
              "PNG/JPEG");
  for (auto [w, h] : {std::pair{100, 61}, std::pair{371, 120}}) {
    const plakato::PixelCanvas picture = Placard(w, h);
    std::vector<double> png, jpeg;
    size_t pngSize = 0, jpegSize = 0;
    for (int i = 0; i < runs; ++i) {  // alternated, so both see the same machine load
      png.push_back(Seconds([&] { pngSize = plakato::EncodePng(picture).size(); }));
      jpeg.push_back(Seconds([&] { jpegSize = plakato::EncodeJpeg(picture).size(); }));
    }
    double p = Median(png), j = Median(jpeg);
    std::printf("%4dx%-4d %9.3f ms %8zu B %9.3f ms %8zu B %8.2fx\n", w, h, p * 1e3, pngSize, j * 1e3, jpegSize, p / j);
  }
  std::printf("(%d runs each)\n", runs);
  return 0;
}
