// The palette step of the GIF encoder: one palette of at most 256 colours for
// a set of opaque frames, and each frame's pixels as indexes into it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "scene/pixels.h"

namespace plakato {

inline constexpr size_t kMaxPaletteColours = 256;

// One palette (colours 0x00BBGGRR) for all of `frames` (opaque pixels
// 0x00BBGGRR; the top byte is ignored). When the frames hold at most 256
// colours together, the palette is exactly those colours, in ascending order.
// Otherwise the colours of `exact` that occur in the frames come first, and
// a median cut of all the other colours (weighted by how many pixels have
// them) fills the rest: each box of colours gives its pixels' mean colour.
// More than 256 distinct colours in `exact` throw AppError.
std::vector<uint32_t> ChoosePalette(const std::vector<PixelCanvas>& frames, const std::vector<uint32_t>& exact);

// Each pixel of `frame`, row by row, as the index of the palette colour
// nearest to it (the least sum of squared channel differences; the first
// such colour on a tie). A colour of the palette maps to itself exactly.
std::vector<uint8_t> MapToPalette(const PixelCanvas& frame, const std::vector<uint32_t>& palette);

}  // namespace plakato
