// Synthetic pictures for the encoder tests: a colour gradient with a
// repeatable noise on top, so every coefficient band gets some energy.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>

#include "scene/pixels.h"

namespace plakato {

inline PixelCanvas TestPicture(int width, int height, uint32_t seed = 1) {
  PixelCanvas p(width, height);
  uint32_t state = seed * 2654435761u + 12345u;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      state = state * 1664525u + 1013904223u;
      uint32_t noise = (state >> 24) & 0x3F;
      uint32_t r = (x * 255 / (width > 1 ? width - 1 : 1) + noise) & 0xFF;
      uint32_t g = (y * 255 / (height > 1 ? height - 1 : 1) + (noise >> 1)) & 0xFF;
      uint32_t b = ((x + y) * 7 + noise * 3) & 0xFF;
      p.At(x, y) = r | g << 8 | b << 16;
    }
  }
  return p;
}

// The colours of a placard-like picture: the sign's fill, its frame, the text.
struct PlacardLikeColours {
  uint32_t fill = 0xC0FFFF;  // 0x00BBGGRR
  uint32_t frame = 0x000000;
  uint32_t text = 0x000000;
};

// A synthetic picture like a placard, for the encoders' tests and benchmarks:
// a sign of one fill colour in a black frame, rows of text-like strokes with
// anti-aliased edges blended from the text colour into the fill, a pole, and
// a round face (shaded when `shaded`, which gives it hundreds of colours).
// `lift` moves the sign and pole up by that many pixels, as one frame of the
// sign pumped up and down. Opaque pixels are 0x00BBGGRR over white; with
// `transparent`, the figure gets alpha 255 (0xFF000000 set), a half-opaque
// edge of one pixel around the sign, and the background alpha 0 with a
// colour that may be dropped.
inline PixelCanvas PlacardLike(int width, int height, int lift = 0, bool transparent = false, bool shaded = false,
                               PlacardLikeColours colours = {}) {
  PixelCanvas p(width, height, transparent ? 0x00336699u : 0xFFFFFFu);
  auto mix = [](uint32_t a, uint32_t b, double t) {
    uint32_t out = 0;
    for (int c = 0; c < 24; c += 8) {
      double v = ((a >> c) & 0xFF) * (1 - t) + ((b >> c) & 0xFF) * t;
      out |= static_cast<uint32_t>(std::lround(v)) << c;
    }
    return out;
  };
  auto put = [&](int x, int y, uint32_t colour, uint32_t alpha) {
    if (p.Contains(x, y)) p.At(x, y) = (colour & 0xFFFFFFu) | (transparent ? alpha << 24 : 0);
  };
  const double unit = width / 100.0;
  // The face, low and to the left, and the pole from the sign down to it.
  const int cx = static_cast<int>(30 * unit), cy = height - static_cast<int>(14 * unit), r = static_cast<int>(12 * unit);
  for (int y = cy - r; y <= cy + r; ++y) {
    for (int x = cx - r; x <= cx + r; ++x) {
      double d = std::hypot(x - cx, y - cy);
      if (d > r) continue;
      uint32_t skin = shaded ? mix(mix(0x40D0FF, 0x1060A0, d / r), 0x80FF40, (x - cx + r) / (2.0 * r)) : 0x40D0FF;
      put(x, y, d > r - std::max(1.0, unit) ? 0x000000 : skin, 255);
    }
  }
  const int signLeft = static_cast<int>(8 * unit), signRight = width - static_cast<int>(8 * unit);
  const int signTop = static_cast<int>(4 * unit) - lift, signBottom = height * 55 / 100 - lift;
  const int poleX = width / 2, poleHalf = std::max(1, static_cast<int>(1.5 * unit));
  for (int y = signBottom; y < height - static_cast<int>(6 * unit) - lift; ++y) {
    for (int x = poleX - poleHalf; x <= poleX + poleHalf; ++x) put(x, y, 0x2060A0, 255);
  }
  // The sign: a half-opaque edge, the frame, the fill, then the strokes.
  const int border = std::max(1, static_cast<int>(unit));
  for (int y = signTop - 1; y <= signBottom; ++y) {
    for (int x = signLeft - 1; x <= signRight; ++x) {
      bool edge = y < signTop || y == signBottom || x < signLeft || x == signRight;
      bool frame = y < signTop + border || y >= signBottom - border || x < signLeft + border || x >= signRight - border;
      put(x, y, edge ? 0xFFFFFF : frame ? colours.frame : colours.fill, edge ? 128 : 255);
    }
  }
  // Six glyphs of three strokes each, in one row across the sign.
  const double half = std::max(0.8, 1.2 * unit);
  const int glyphs = 6;
  const double cell = (signRight - signLeft - 4.0 * border) / glyphs;
  const double top = signTop + 3.0 * border, bottom = signBottom - 3.0 * border;
  for (int g = 0; g < glyphs; ++g) {
    double x0 = signLeft + 2.0 * border + g * cell + cell * 0.15, x1 = x0 + cell * 0.7;
    double ym = (top + bottom) / 2;
    double strokes[3][4] = {{x0, top + (g % 3) * 2 * unit, x1, top + (g % 2) * 3 * unit},
                            {(x0 + x1) / 2, top, (x0 + x1) / 2 + (g % 2 ? unit * 3 : -unit * 2), bottom},
                            {x0, ym + (g % 3) * unit, x1, bottom - (g % 2) * 2 * unit}};
    for (int y = static_cast<int>(top) - 2; y <= static_cast<int>(bottom) + 2; ++y) {
      for (int x = static_cast<int>(x0) - 4; x <= static_cast<int>(x1) + 4; ++x) {
        double best = 1e9;
        for (const auto& s : strokes) {
          double dx = s[2] - s[0], dy = s[3] - s[1];
          double t = std::clamp(((x + 0.5 - s[0]) * dx + (y + 0.5 - s[1]) * dy) / (dx * dx + dy * dy), 0.0, 1.0);
          best = std::min(best, std::hypot(x + 0.5 - s[0] - t * dx, y + 0.5 - s[1] - t * dy));
        }
        // Sixteen levels of coverage, as a rasterizer's anti-aliasing gives.
        double cover = std::round(std::clamp(half + 0.5 - best, 0.0, 1.0) * 16) / 16;
        if (cover > 0) put(x, y, mix(colours.fill, colours.text, cover), 255);
      }
    }
  }
  return p;
}

// The picture as a binary PPM (P6, maxval 255), the input format of cjpeg.
inline std::string ToPpm(const PixelCanvas& p) {
  std::string out = "P6\n" + std::to_string(p.width) + " " + std::to_string(p.height) + "\n255\n";
  for (uint32_t c : p.pixels) {
    out += static_cast<char>(c & 0xFF);
    out += static_cast<char>((c >> 8) & 0xFF);
    out += static_cast<char>((c >> 16) & 0xFF);
  }
  return out;
}

}  // namespace plakato
