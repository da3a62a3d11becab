// The exported picture's JPEG encoding: libjpeg's default compression
// parameters, quality 90 with baseline forced, and the floating-point DCT.
#pragma once

#include <cstdint>
#include <vector>

#include "scene/pixels.h"

namespace plakato {

// The complete JPEG file of `picture` (pixels 0x00BBGGRR, rows top to bottom).
// A failure of the encoder throws AppError "JPEG error #<libjpeg message code>".
std::vector<uint8_t> EncodeJpeg(const PixelCanvas& picture);

}  // namespace plakato
