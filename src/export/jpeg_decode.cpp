#include "export/jpeg_decode.h"

#include <csetjmp>
#include <algorithm>
#include <cstdio>
#include <vector>

#include <jpeglib.h>

namespace plakato {

namespace {

struct ErrorManager {
  jpeg_error_mgr base;
  std::jmp_buf escape;
};

void LeaveOnError(j_common_ptr info) { std::longjmp(reinterpret_cast<ErrorManager*>(info->err)->escape, 1); }
void Silent(j_common_ptr, int) {}

// Errors come back to the caller's setjmp, and warnings are dropped.
void SendErrorsHome(jpeg_decompress_struct& info, ErrorManager& errors) {
  info.err = jpeg_std_error(&errors.base);
  errors.base.error_exit = LeaveOnError;
  errors.base.emit_message = Silent;
}

// libjpeg reports its progress at least once a row of blocks, also while it
// reads every scan of a multi-scan file into its coefficients; a file with a
// scan past the limit leaves as an error does.
void StopAtScanLimit(j_common_ptr info) {
  if (reinterpret_cast<j_decompress_ptr>(info)->input_scan_number > kPreviewScanLimit) LeaveOnError(info);
}

// Chooses libjpeg's cheap reduction (1/2, 1/4 or 1/8, while decoding) that
// still covers the box, and works out the output size from the header.
void SetReducedScale(jpeg_decompress_struct& info, int maxWidth, int maxHeight) {
  info.out_color_space = JCS_RGB;
  info.scale_num = 1;
  info.scale_denom = 1;
  while (info.scale_denom < 8 && (static_cast<int>(info.image_width / (info.scale_denom * 2)) >= maxWidth ||
                                  static_cast<int>(info.image_height / (info.scale_denom * 2)) >= maxHeight)) {
    info.scale_denom *= 2;
  }
  jpeg_calc_output_dimensions(&info);
}

// Reads the scanlines at libjpeg's nearest reduced size into `out`, a buffer
// the caller has made large enough; false on any decoding error, a picture
// over the pixel limit, or too little memory. Kept apart from anything with a
// destructor, because a decoding error comes back here by longjmp; every way
// out destroys the decompressor, which frees all libjpeg took.
bool DecodeReduced(std::span<const uint8_t> jpeg, int maxWidth, int maxHeight, uint8_t* out, size_t outSize,
                   DecodedPreview& result, int& outWidth, int& outHeight) noexcept {
  jpeg_decompress_struct info{};
  ErrorManager errors{};
  SendErrorsHome(info, errors);
  if (setjmp(errors.escape)) {
    jpeg_destroy_decompress(&info);
    return false;
  }
  jpeg_create_decompress(&info);
  // Whole-picture buffers larger than this fail instead of being allocated.
  info.mem->max_memory_to_use = kPreviewDecoderMemory;
  jpeg_progress_mgr progress{};
  progress.progress_monitor = StopAtScanLimit;
  info.progress = &progress;
  jpeg_mem_src(&info, jpeg.data(), static_cast<unsigned long>(jpeg.size()));
  jpeg_read_header(&info, TRUE);
  if (uint64_t{info.image_width} * info.image_height > kPreviewPixelLimit) {
    jpeg_destroy_decompress(&info);
    return false;
  }
  result.width = static_cast<int>(info.image_width);
  result.height = static_cast<int>(info.image_height);
  SetReducedScale(info, maxWidth, maxHeight);
  if (size_t{info.output_width} * info.output_height * 3 > outSize) {
    jpeg_destroy_decompress(&info);
    return false;
  }
  jpeg_start_decompress(&info);
  outWidth = static_cast<int>(info.output_width);
  outHeight = static_cast<int>(info.output_height);
  while (info.output_scanline < info.output_height) {
    JSAMPROW row = out + static_cast<size_t>(info.output_scanline) * outWidth * 3;
    jpeg_read_scanlines(&info, &row, 1);
  }
  jpeg_finish_decompress(&info);
  jpeg_destroy_decompress(&info);
  return true;
}

// The bytes of the reduced picture DecodeReduced will read, from the header
// alone; false when the bytes have no readable header or the picture is over
// the pixel limit.
bool ReducedSize(std::span<const uint8_t> jpeg, int maxWidth, int maxHeight, size_t& bytes) noexcept {
  jpeg_decompress_struct info{};
  ErrorManager errors{};
  SendErrorsHome(info, errors);
  if (setjmp(errors.escape)) {
    jpeg_destroy_decompress(&info);
    return false;
  }
  jpeg_create_decompress(&info);
  jpeg_mem_src(&info, jpeg.data(), static_cast<unsigned long>(jpeg.size()));
  jpeg_read_header(&info, TRUE);
  bool fits = uint64_t{info.image_width} * info.image_height <= kPreviewPixelLimit;
  if (fits) {
    SetReducedScale(info, maxWidth, maxHeight);
    bytes = size_t{info.output_width} * info.output_height * 3;
  }
  jpeg_destroy_decompress(&info);
  return fits;
}

// The decoded rows scaled the rest of the way to fit, by nearest neighbour,
// keeping the aspect.
DecodedPreview Fitted(DecodedPreview result, const std::vector<uint8_t>& rgb, int w, int h, int maxWidth,
                      int maxHeight) {
  int fitW = w;
  int fitH = h;
  if (fitW > maxWidth || fitH > maxHeight) {
    if (static_cast<int64_t>(w) * maxHeight > static_cast<int64_t>(h) * maxWidth) {
      fitW = maxWidth;
      fitH = std::max(1, static_cast<int>(static_cast<int64_t>(h) * maxWidth / w));
    } else {
      fitH = maxHeight;
      fitW = std::max(1, static_cast<int>(static_cast<int64_t>(w) * maxHeight / h));
    }
  }
  result.picture = PixelCanvas(fitW, fitH);
  for (int y = 0; y < fitH; ++y) {
    for (int x = 0; x < fitW; ++x) {
      const uint8_t* p = &rgb[(static_cast<size_t>(y) * h / fitH * w + static_cast<size_t>(x) * w / fitW) * 3];
      result.picture.At(x, y) = p[0] | (p[1] << 8) | (p[2] << 16);
    }
  }
  return result;
}

}  // namespace

DecodedPreview DecodeJpegPreview(std::span<const uint8_t> jpeg, int maxWidth, int maxHeight) noexcept {
  size_t rgbBytes = 0;
  if (maxWidth <= 0 || maxHeight <= 0 || !ReducedSize(jpeg, maxWidth, maxHeight, rgbBytes) || rgbBytes == 0) {
    return DecodedPreview{};
  }
  try {
    // Allocated before libjpeg starts, so that running out of memory here
    // leaves nothing of libjpeg's behind.
    std::vector<uint8_t> rgb(rgbBytes);
    DecodedPreview result;
    int w = 0;
    int h = 0;
    if (!DecodeReduced(jpeg, maxWidth, maxHeight, rgb.data(), rgb.size(), result, w, h) || w <= 0 || h <= 0) {
      return DecodedPreview{};
    }
    return Fitted(std::move(result), rgb, w, h, maxWidth, maxHeight);
  } catch (...) {
    return DecodedPreview{};  // out of memory: no preview
  }
}

}  // namespace plakato
