// Pictures as plain pixel arrays, and the artwork image lists built from the
// program's embedded artwork. Colours are 0x00BBGGRR.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

namespace plakato {

struct PixelCanvas {
  PixelCanvas() = default;
  PixelCanvas(int w, int h, uint32_t fill = 0xFFFFFF)
      : width(w), height(h), pixels(static_cast<size_t>(w) * static_cast<size_t>(h), fill) {}
  int width = 0;
  int height = 0;
  std::vector<uint32_t> pixels;  // rows top to bottom

  bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < width && y < height; }
  uint32_t At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
  uint32_t& At(int x, int y) { return pixels[static_cast<size_t>(y) * width + x]; }
};

// One image list as the build embeds it: `count` cells of width x height,
// one after the other, each row by row. A pixel is 0x00BBGGRR with bit 24
// set where the mask makes it opaque; transparent pixels are 0.
struct ImageListData {
  int width;
  int height;
  int count;
  const uint32_t* pixels;
};

inline constexpr uint32_t kOpaqueBit = 0x01000000u;

// Exchanges the red and blue bytes: 0x00BBGGRR to the 0x00RRGGBB of a 32-bit
// DIB's pixels (bytes B, G, R, x in memory), and back.
constexpr uint32_t SwapRedBlue(uint32_t c) { return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF); }

class ImageList {
 public:
  explicit ImageList(const ImageListData& data) : data_(data) {}
  // A list that keeps its own pixels, laid out as ImageListData's.
  ImageList(int width, int height, int count, std::vector<uint32_t> pixels)
      : owned_(std::make_shared<const std::vector<uint32_t>>(std::move(pixels))),
        data_{width, height, count, owned_->data()} {}

  int Width() const { return data_.width; }
  int Height() const { return data_.height; }
  int Count() const { return data_.count; }
  bool Opaque(int index, int x, int y) const { return (Raw(index, x, y) & kOpaqueBit) != 0; }
  uint32_t Colour(int index, int x, int y) const { return Raw(index, x, y) & 0xFFFFFFu; }

  // Draws image `index` with its cell's top-left corner at (x, y), through
  // its mask, 1:1; pixels outside the canvas are cut. An index outside the
  // list draws nothing.
  void Draw(PixelCanvas& canvas, int x, int y, int index) const;
  // Makes `bitmap` a white cell-sized picture and draws image `index` into
  // it at (0, 0). An index outside the list leaves `bitmap` as it was and
  // gives false.
  bool GetBitmap(int index, PixelCanvas& bitmap) const;

 private:
  uint32_t Raw(int index, int x, int y) const {
    return data_.pixels[(static_cast<size_t>(index) * data_.height + y) * data_.width + x];
  }
  std::shared_ptr<const std::vector<uint32_t>> owned_;
  ImageListData data_;
};

// The images of `source` resampled to width x height by an area filter: each
// new pixel takes the average colour of the opaque source pixels it covers,
// and is opaque where they cover at least half of it, so the outline stays a
// 1-bit mask while the colours come out smooth. The coverage is counted
// exactly, in whole fractions of a pixel, so a pixel covered exactly half is
// kept on every row alike and a straight outline never comes out dotted.
ImageList Resampled(const ImageList& source, int width, int height);

// An image list as the build stores it compactly: a palette of its pixel
// values and the runs of equal pixels through all its cells in the order of
// ImageListData, `run_count` pairs of (run length, palette index).
struct PackedPixels {
  int width;
  int height;
  int count;
  const uint32_t* palette;
  size_t palette_size;
  const uint16_t* runs;
  size_t run_count;
};

// The pixels of a packed list, laid out as ImageListData's. Throws
// std::logic_error when the runs do not fill its cells exactly or name a
// colour outside the palette (a build fault).
std::vector<uint32_t> UnpackedPixels(const PackedPixels& packed);

// The artwork compiled into the program: the seventeen 26 x 26 faces, and the
// four 16 x 16 pieces, in the order of Piece; and the same drawn at twice the
// size, 52 x 52 and 32 x 32, and at five times, 130 x 130 and 80 x 80,
// without the thumbnail. Unpacked at first use, kept for the whole run.
const ImageListData& FaceArtwork();
const ImageListData& PieceArtwork();
const ImageListData& FaceArtwork2x();
const ImageListData& PieceArtwork2x();
const ImageListData& FaceArtwork5x();
const ImageListData& PieceArtwork5x();

// The pieces by their place in the piece list.
enum class Piece {
  PoleWithLeftHand,
  RightHand,
  PoleTop,
  Thumbnail,  // not drawn in the scene: every emoticon's 16 x 16 picture
};
constexpr int PieceIndex(Piece piece) { return static_cast<int>(piece); }

// The compiled-in artwork as image lists, the same ones for the whole run.
const ImageList& FaceImages();
const ImageList& PieceImages();

// The artwork for a display of `dpi` dots per inch, its cells scaled by
// dpi / 96: the 1x art itself at 96 dpi, the 2x art at 192, the 5x art at
// 480; at any other scale the nearest of them at or above it reduced by the
// area filter (the 1x art below 96 dpi), and above 480 dpi the 5x art
// enlarged. The same list for the same dpi for the whole run.
const ImageList& FaceImagesAt(int dpi);
const ImageList& PieceImagesAt(int dpi);

}  // namespace plakato
