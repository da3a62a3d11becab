// The picture as a packed device-independent bitmap, the form the clipboard
// and drag and drop carry as CF_DIB.
#pragma once

#include <cstdint>
#include <vector>

#include "scene/pixels.h"

namespace plakato {

// A 40-byte BITMAPINFOHEADER (positive height: rows bottom-up, 24 bits, no
// compression, zero resolution, no colour table) followed by the rows, each
// in blue, green, red order and padded to a multiple of 4 bytes.
std::vector<uint8_t> Dib24Bytes(const PixelCanvas& picture);

}  // namespace plakato
