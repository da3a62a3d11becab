// PNG through the Windows Imaging Component: the exported picture's PNG
// encoding, and the save dialog's preview of PNG and JPEG files.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "export/jpeg_decode.h"
#include "scene/pixels.h"

namespace plakato {

// The complete PNG file of `picture` (pixels 0x00BBGGRR, rows top to bottom):
// lossless, 8-bit RGB without alpha or interlacing, and only the IHDR, IDAT and
// IEND chunks. A failure throws AppError "PNG encoding failed (<step>, 0x<HRESULT>)".
// Each call initialises COM for itself if needed; a thread that encodes often
// should hold a ComScope, so the imaging DLL stays loaded between calls.
// With PngAlpha::FromTopByte the picture's pixels are 0xAABBGGRR and the
// file is 8-bit RGBA.
enum class PngAlpha { None, FromTopByte };
std::vector<uint8_t> EncodePng(const PixelCanvas& picture, PngAlpha alpha = PngAlpha::None);

// The picture of a PNG or JPEG file scaled down to fit maxWidth x maxHeight
// (aspect kept, never enlarged, nearest neighbour), with the file's own size.
// A PNG's transparency is shown over white. Any other bytes, a file that
// does not decode, and a picture over the preview's limits (kPreviewPixelLimit
// pixels; a JPEG whose decoding takes more than kPreviewDecoderMemory, a PNG
// whose inflated rows take more than 32 MiB) give an empty picture; this
// never throws.
DecodedPreview DecodePicturePreview(std::span<const uint8_t> bytes, int maxWidth, int maxHeight) noexcept;

}  // namespace plakato
