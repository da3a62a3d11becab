#include "scene/pixels.h"

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

const ImageList& FaceImages() {
  static const ImageList faces(FaceArtwork());
  return faces;
}

const ImageList& PieceImages() {
  static const ImageList pieces(PieceArtwork());
  return pieces;
}

}  // namespace plakato
