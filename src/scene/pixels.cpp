#include "scene/pixels.h"

#include <algorithm>
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
  std::vector<uint32_t> out(static_cast<size_t>(width) * height * source.Count(), 0);
  // Target pixel (x, y) covers source columns x * sw / width to (x + 1) * sw / width.
  const double fx = static_cast<double>(source.Width()) / width;
  const double fy = static_cast<double>(source.Height()) / height;
  for (int k = 0; k < source.Count(); ++k) {
    for (int y = 0; y < height; ++y) {
      for (int x = 0; x < width; ++x) {
        double covered = 0, r = 0, g = 0, b = 0;
        const double x0 = x * fx, x1 = (x + 1) * fx, y0 = y * fy, y1 = (y + 1) * fy;
        for (int sy = static_cast<int>(y0); sy < y1 && sy < source.Height(); ++sy) {
          double h = std::min<double>(sy + 1, y1) - std::max<double>(sy, y0);
          for (int sx = static_cast<int>(x0); sx < x1 && sx < source.Width(); ++sx) {
            if (!source.Opaque(k, sx, sy)) continue;
            double w = h * (std::min<double>(sx + 1, x1) - std::max<double>(sx, x0));
            uint32_t c = source.Colour(k, sx, sy);
            covered += w;
            r += w * (c & 0xFF);
            g += w * ((c >> 8) & 0xFF);
            b += w * ((c >> 16) & 0xFF);
          }
        }
        if (covered * 2 < fx * fy) continue;  // less than half opaque: transparent
        auto channel = [covered](double sum) { return static_cast<uint32_t>(sum / covered + 0.5); };
        out[(static_cast<size_t>(k) * height + y) * width + x] =
            kOpaqueBit | (channel(b) << 16) | (channel(g) << 8) | channel(r);
      }
    }
  }
  return ImageList(width, height, source.Count(), std::move(out));
}

namespace {

const ImageList& ArtAt(int dpi, const ImageList& art1x, const ImageListData& art2x) {
  if (dpi <= 0 || dpi == kStandardDpi) return art1x;
  static std::map<std::pair<const ImageList*, int>, ImageList> made;
  auto key = std::make_pair(&art1x, dpi);
  auto it = made.find(key);
  if (it != made.end()) return it->second;
  const DpiScale scale{dpi};
  ImageList source = dpi < kStandardDpi ? art1x : ImageList(art2x);
  ImageList art = dpi == 2 * kStandardDpi
                      ? source
                      : Resampled(source, scale(art1x.Width()), scale(art1x.Height()));
  return made.emplace(key, std::move(art)).first->second;
}

}  // namespace

const ImageList& FaceImagesAt(int dpi) { return ArtAt(dpi, FaceImages(), FaceArtwork2x()); }

const ImageList& PieceImagesAt(int dpi) { return ArtAt(dpi, PieceImages(), PieceArtwork2x()); }

const ImageList& FaceImages() {
  static const ImageList faces(FaceArtwork());
  return faces;
}

const ImageList& PieceImages() {
  static const ImageList pieces(PieceArtwork());
  return pieces;
}

}  // namespace plakato
