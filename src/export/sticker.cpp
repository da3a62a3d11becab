#include "export/sticker.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace plakato {

namespace {

bool IsFigure(const PixelCanvas& onWhite, const PixelCanvas& onBlack, size_t i) {
  return ((onWhite.pixels[i] ^ onBlack.pixels[i]) & 0xFFFFFFu) == 0;
}

struct Stamp {
  int dx, dy;
  uint8_t alpha;
};

// The outline around one edge pixel of the figure: full within `outline`
// pixels of its centre, fading over the next pixel, so the outline's edge is
// round and smooth and its width `outline` from the figure's edge.
std::vector<Stamp> OutlineStamp(int outline) {
  std::vector<Stamp> stamp;
  const int reach = outline + 1;
  for (int dy = -reach; dy <= reach; ++dy) {
    for (int dx = -reach; dx <= reach; ++dx) {
      const double cover = std::clamp(outline + 0.5 - std::hypot(dx, dy), 0.0, 1.0);
      if (cover > 0) stamp.push_back({dx, dy, static_cast<uint8_t>(std::lround(cover * 255))});
    }
  }
  return stamp;
}

}  // namespace

PixelCanvas MakeSticker(const PixelCanvas& onWhite, const PixelCanvas& onBlack, int side, int outline) {
  const bool wide = onWhite.width >= onWhite.height;
  const int width = wide ? side : std::min(side, onWhite.width + 2 * outline);
  const int height = wide ? std::min(side, onWhite.height + 2 * outline) : side;
  const int left = (width - onWhite.width) / 2;
  const int top = (height - onWhite.height) / 2;
  PixelCanvas sticker(width, height, 0);
  // Where the figure's pixels are, in the sticker: 1 for the figure.
  std::vector<uint8_t> inside(sticker.pixels.size(), 0);
  for (int y = 0; y < onWhite.height; ++y) {
    for (int x = 0; x < onWhite.width; ++x) {
      const int sx = x + left, sy = y + top;
      if (!sticker.Contains(sx, sy) || !IsFigure(onWhite, onBlack, static_cast<size_t>(y) * onWhite.width + x)) {
        continue;
      }
      sticker.At(sx, sy) = onWhite.At(x, y) | kStickerOpaque;
      inside[static_cast<size_t>(sy) * width + sx] = 1;
    }
  }
  auto isInside = [&](int x, int y) {
    return sticker.Contains(x, y) && inside[static_cast<size_t>(y) * width + x] != 0;
  };
  // The outline: every figure pixel on the figure's edge stamps a disc; a
  // background pixel takes the most any disc gives it.
  std::vector<uint8_t> ring(sticker.pixels.size(), 0);
  const std::vector<Stamp> stamp = OutlineStamp(outline);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      if (!isInside(x, y)) continue;
      if (isInside(x - 1, y) && isInside(x + 1, y) && isInside(x, y - 1) && isInside(x, y + 1)) continue;
      for (const Stamp& s : stamp) {
        const int rx = x + s.dx, ry = y + s.dy;
        if (!sticker.Contains(rx, ry)) continue;
        uint8_t& alpha = ring[static_cast<size_t>(ry) * width + rx];
        alpha = std::max(alpha, s.alpha);
      }
    }
  }
  for (size_t i = 0; i < ring.size(); ++i) {
    if (!inside[i] && ring[i] != 0) sticker.pixels[i] = (static_cast<uint32_t>(ring[i]) << 24) | 0xFFFFFFu;
  }
  return sticker;
}

PixelCanvas OverBackground(const PixelCanvas& sticker, uint32_t background) {
  PixelCanvas out(sticker.width, sticker.height, background);
  for (size_t i = 0; i < sticker.pixels.size(); ++i) {
    const uint32_t c = sticker.pixels[i];
    const uint32_t alpha = c >> 24;
    uint32_t mixed = 0;
    for (int shift = 0; shift < 24; shift += 8) {
      const uint32_t front = (c >> shift) & 0xFF, back = (background >> shift) & 0xFF;
      mixed |= ((front * alpha + back * (255 - alpha) + 127) / 255) << shift;
    }
    out.pixels[i] = mixed;
  }
  return out;
}

}  // namespace plakato
