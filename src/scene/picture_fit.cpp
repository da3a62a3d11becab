#include "scene/picture_fit.h"

#include <algorithm>
#include <array>

namespace plakato {

PixelCanvas AreaReduced(const PixelCanvas& picture, int width, int height) {
  width = std::max(width, 1);
  height = std::max(height, 1);
  PixelCanvas out(width, height, 0);
  if (picture.width <= 0 || picture.height <= 0) return out;
  // Target pixel (x, y) covers source columns x * fx to (x + 1) * fx, rows likewise.
  const double fx = static_cast<double>(picture.width) / width;
  const double fy = static_cast<double>(picture.height) / height;
  for (int y = 0; y < height; ++y) {
    const double y0 = y * fy, y1 = (y + 1) * fy;
    for (int x = 0; x < width; ++x) {
      const double x0 = x * fx, x1 = (x + 1) * fx;
      std::array<double, 4> sum{};
      double covered = 0;
      for (int sy = static_cast<int>(y0); sy < y1 && sy < picture.height; ++sy) {
        const double h = std::min<double>(sy + 1, y1) - std::max<double>(sy, y0);
        for (int sx = static_cast<int>(x0); sx < x1 && sx < picture.width; ++sx) {
          const double w = h * (std::min<double>(sx + 1, x1) - std::max<double>(sx, x0));
          const uint32_t c = picture.At(sx, sy);
          for (int byte = 0; byte < 4; ++byte) sum[byte] += w * ((c >> (8 * byte)) & 0xFF);
          covered += w;
        }
      }
      uint32_t c = 0;
      for (int byte = 0; byte < 4; ++byte) {
        c |= static_cast<uint32_t>(std::min(255.0, sum[byte] / covered + 0.5)) << (8 * byte);
      }
      out.At(x, y) = c;
    }
  }
  return out;
}

PixelCanvas FittedInto(const PixelCanvas& picture, int width, int height, uint32_t background) {
  PixelCanvas out(width, height, background);
  PixelCanvas shown = picture;
  if (picture.width > width || picture.height > height) {
    // The larger of the two reductions, so that both sides fit.
    const double scale = std::min(static_cast<double>(width) / picture.width,
                                  static_cast<double>(height) / picture.height);
    shown = AreaReduced(picture, std::clamp(static_cast<int>(picture.width * scale + 0.5), 1, width),
                        std::clamp(static_cast<int>(picture.height * scale + 0.5), 1, height));
  }
  const int left = (width - shown.width) / 2;
  const int top = height - shown.height;
  for (int y = 0; y < shown.height; ++y) {
    for (int x = 0; x < shown.width; ++x) {
      if (out.Contains(left + x, top + y)) out.At(left + x, top + y) = shown.At(x, y);
    }
  }
  return out;
}

}  // namespace plakato
