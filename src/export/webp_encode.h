// Lossless WebP through libwebp: the still picture with alpha, and the
// animation through libwebpmux's WebPAnimEncoder.
//
// Pixels here carry alpha in PixelCanvas's otherwise unused top byte:
// 0xAABBGGRR, 255 opaque, 0 fully transparent, not premultiplied.
#pragma once

#include <cstdint>
#include <vector>

#include "scene/pixels.h"

namespace plakato {

// The complete lossless WebP file (one VP8L image with alpha) of `picture`,
// pixels 0xAABBGGRR, at most 16383 on a side. Every pixel with any opacity
// decodes exactly; the colour of a fully transparent pixel may be dropped.
// Throws AppError with a short message on a bad size or an encoder failure.
std::vector<uint8_t> EncodeWebpLossless(const PixelCanvas& picture);

// The complete lossless animated WebP of `frames` (pixels 0xAABBGGRR, all of
// one size, at most 16383 on a side), frame i shown for delaysMs[i]
// milliseconds (at least 1), looping forever over a transparent background
// colour. Each frame stores the rectangle where it changed (WebPAnimEncoder
// without minimize_size: a 512-pixel sticker's 12 frames encode in about
// 60 % of the time for a file about 1 % larger), every one lossless; a frame equal to the
// one before is merged into it, which then shows for both delays. Every pixel
// with any opacity decodes exactly. Throws AppError as EncodeWebpLossless.
std::vector<uint8_t> EncodeAnimatedWebp(const std::vector<PixelCanvas>& frames, const std::vector<int>& delaysMs);

}  // namespace plakato
