// The emoticon thumbnail as a Windows BMP file.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace plakato {

// Bytes of each pixel row, padded to a multiple of 4.
int BmpRowBytes(int width, int bitCount);

// A BMP file: the 14-byte file header, a 40-byte BITMAPINFOHEADER with a
// positive height (rows stored bottom-up), no compression and zero resolution,
// the colour table (only for 8 bits per pixel or fewer), then the padded rows,
// bottom row first. Throws when the rows or the table do not fit the size and depth.
std::vector<uint8_t> BmpFileBytes(int width, int height, int bitCount, std::span<const uint8_t> rowsBottomUp,
                                  std::span<const uint32_t> colourTable);

}  // namespace plakato
