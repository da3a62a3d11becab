// Reading a JPEG file back into pixels, small: for the save dialog's preview.
#pragma once

#include <cstdint>
#include <span>

#include "scene/pixels.h"

namespace plakato {

struct DecodedPreview {
  PixelCanvas picture;  // fits maxWidth x maxHeight, aspect kept
  int width = 0;        // the file's own size
  int height = 0;
};

// The picture of the JPEG bytes scaled down to fit maxWidth x maxHeight (never
// up); an empty picture when the bytes are not a JPEG libjpeg can read.
DecodedPreview DecodeJpegPreview(std::span<const uint8_t> jpeg, int maxWidth, int maxHeight);

}  // namespace plakato
