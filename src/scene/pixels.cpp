#include "scene/pixels.h"

#include <algorithm>
#include <array>
#include <stdexcept>
#include <map>
#include <utility>

#include "base/scale.h"

namespace plakato {

void ImageList::Draw(PixelCanvas& canvas, int x, int y, int index) const {
  if (index < 0 || index >= Count()) return;
  for (int row = 0; row < Height(); ++row) {
    for (int col = 0; col < Width(); ++col) {
      if (Opaque(index, col, row) && canvas.Contains(x + col, y + row)) {
        canvas.At(x + col, y + row) = Colour(index, col, row);
      }
    }
  }
}

bool ImageList::GetBitmap(int index, PixelCanvas& bitmap) const {
  if (index < 0 || index >= Count()) return false;
  bitmap = PixelCanvas(Width(), Height(), 0xFFFFFF);
  Draw(bitmap, 0, 0, index);
  return true;
}

ImageList Resampled(const ImageList& source, int width, int height) {
  width = std::max(width, 1);
  height = std::max(height, 1);
  const int64_t sw = source.Width(), sh = source.Height();
  std::vector<uint32_t> out(static_cast<size_t>(width) * height * source.Count(), 0);
  // In units of 1 / width of a source pixel, target column x covers
  // [x * sw, (x + 1) * sw) and source column sx covers [sx * width,
  // (sx + 1) * width); rows the same with height. The overlaps are whole
  // numbers, and a target pixel's area is sw * sh of their products.
  auto overlap = [](int64_t a0, int64_t a1, int64_t b0, int64_t b1) { return std::min(a1, b1) - std::max(a0, b0); };
  for (int k = 0; k < source.Count(); ++k) {
    for (int y = 0; y < height; ++y) {
      const int64_t y0 = y * sh, y1 = (y + 1) * sh;
      for (int x = 0; x < width; ++x) {
        const int64_t x0 = x * sw, x1 = (x + 1) * sw;
        int64_t covered = 0, r = 0, g = 0, b = 0;
        for (int64_t sy = y0 / height; sy * height < y1 && sy < sh; ++sy) {
          const int64_t h = overlap(y0, y1, sy * height, (sy + 1) * height);
          for (int64_t sx = x0 / width; sx * width < x1 && sx < sw; ++sx) {
            if (!source.Opaque(k, static_cast<int>(sx), static_cast<int>(sy))) continue;
            const int64_t w = h * overlap(x0, x1, sx * width, (sx + 1) * width);
            const uint32_t c = source.Colour(k, static_cast<int>(sx), static_cast<int>(sy));
            covered += w;
            r += w * (c & 0xFF);
            g += w * ((c >> 8) & 0xFF);
            b += w * ((c >> 16) & 0xFF);
          }
        }
        if (covered == 0 || covered * 2 < sw * sh) continue;  // less than half opaque: transparent
        auto channel = [covered](int64_t sum) { return static_cast<uint32_t>((2 * sum + covered) / (2 * covered)); };
        out[(static_cast<size_t>(k) * height + y) * width + x] =
            kOpaqueBit | (channel(b) << 16) | (channel(g) << 8) | channel(r);
      }
    }
  }
  return ImageList(width, height, source.Count(), std::move(out));
}

std::vector<uint32_t> UnpackedPixels(const PackedPixels& packed) {
  const size_t total = static_cast<size_t>(packed.width) * packed.height * packed.count;
  std::vector<uint32_t> pixels;
  pixels.reserve(total);
  for (size_t i = 0; i < packed.run_count; ++i) {
    const uint16_t length = packed.runs[2 * i], index = packed.runs[2 * i + 1];
    if (index >= packed.palette_size || pixels.size() + length > total) {
      throw std::logic_error("packed artwork overruns its palette or its cells");
    }
    pixels.insert(pixels.end(), length, packed.palette[index]);
  }
  if (pixels.size() != total) throw std::logic_error("packed artwork does not fill its cells");
  return pixels;
}

namespace {

// The art drawn at each size, from the smallest: its scale and its lists.
struct DrawnArt {
  int scale;
  const ImageList& faces;
  const ImageList& pieces;
};

const std::array<DrawnArt, 3>& DrawnSizes() {
  static const ImageList faces2x(FaceArtwork2x()), pieces2x(PieceArtwork2x());
  static const ImageList faces5x(FaceArtwork5x()), pieces5x(PieceArtwork5x());
  static const std::array<DrawnArt, 3> sizes{
      {{1, FaceImages(), PieceImages()}, {2, faces2x, pieces2x}, {5, faces5x, pieces5x}}};
  return sizes;
}

const ImageList& ArtAt(int dpi, bool faces) {
  const auto& sizes = DrawnSizes();
  // The nearest art at or above the scale; the largest above it all.
  const DrawnArt* art = &sizes.back();
  for (const DrawnArt& drawn : sizes) {
    if (dpi <= drawn.scale * kStandardDpi) {
      art = &drawn;
      break;
    }
  }
  const ImageList& source = faces ? art->faces : art->pieces;
  if (dpi <= 0 || dpi == art->scale * kStandardDpi) return source;
  static std::map<std::pair<bool, int>, ImageList> made;
  auto key = std::make_pair(faces, dpi);
  auto it = made.find(key);
  if (it != made.end()) return it->second;
  const DpiScale scale{dpi};
  const ImageList& cells = faces ? FaceImages() : PieceImages();
  return made.emplace(key, Resampled(source, scale(cells.Width()), scale(cells.Height()))).first->second;
}

}  // namespace

const ImageList& FaceImagesAt(int dpi) { return ArtAt(dpi, true); }

const ImageList& PieceImagesAt(int dpi) { return ArtAt(dpi, false); }

const ImageList& FaceImages() {
  static const ImageList faces(FaceArtwork());
  return faces;
}

const ImageList& PieceImages() {
  static const ImageList pieces(PieceArtwork());
  return pieces;
}

}  // namespace plakato
