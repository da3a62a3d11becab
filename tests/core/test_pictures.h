// Synthetic pictures for the encoder tests: a colour gradient with a
// repeatable noise on top, so every coefficient band gets some energy.
#pragma once

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
