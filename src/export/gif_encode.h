// The animated GIF: giflib's encoder behind the program's own palette step
// (export/palette.h) and frame differencing.
#pragma once

#include <cstdint>
#include <vector>

#include "scene/pixels.h"

namespace plakato {

// The complete GIF89a file of `frames`, all of one size (at most 65535 on a
// side), their pixels opaque 0x00BBGGRR (the top byte is ignored); frame i is
// shown for delaysMs[i] milliseconds, stored as hundredths of a second
// (rounded, at least 2, since most players show shorter delays as 100 ms),
// and the animation loops forever (a NETSCAPE2.0 block). One global palette:
// exact when all frames together hold at most 256 colours, otherwise a median
// cut that keeps the colours of `exactColours` exact and maps every other
// pixel to its nearest palette colour. Each frame after the first stores only
// the rectangle where it differs from the one before, drawn over it.
// Throws AppError with a short message on a bad input or an encoder failure.
std::vector<uint8_t> EncodeGif(const std::vector<PixelCanvas>& frames, const std::vector<int>& delaysMs,
                               const std::vector<uint32_t>& exactColours);

}  // namespace plakato
