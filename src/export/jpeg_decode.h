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

// A preview shows no picture of more pixels than this, whatever its file's
// size: a header of a few bytes may claim any size up to 65535 x 65535, and
// decoding that would take minutes and gigabytes. No picture the program
// writes comes near it.
inline constexpr uint64_t kPreviewPixelLimit = 50'000'000;
// The most memory the JPEG decoder may take for one preview; a progressive
// file keeps all its coefficients, two bytes a sample, and needs more than
// this from about 20 megapixels on.
inline constexpr long kPreviewDecoderMemory = 96L << 20;

// A preview shows no JPEG of more scans than this. Encoders write a handful
// (libjpeg's progressive script 10, optimising ones a few dozen), but a file
// may repeat one scan thousands of times, each read over the whole picture
// again: a file of a few hundred kilobytes would then take many seconds.
// libjpeg's own tools stop at the same count.
inline constexpr int kPreviewScanLimit = 100;

// The picture of the JPEG bytes scaled down to fit maxWidth x maxHeight (never
// up); an empty picture when the bytes are not a JPEG libjpeg can read, when
// the picture has more than kPreviewPixelLimit pixels or more than
// kPreviewScanLimit scans (refused as soon as the next scan starts), or when
// decoding it would take more than kPreviewDecoderMemory or more memory than
// is free.
DecodedPreview DecodeJpegPreview(std::span<const uint8_t> jpeg, int maxWidth, int maxHeight) noexcept;

}  // namespace plakato
