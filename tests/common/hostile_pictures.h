// Small picture files that claim a huge size in their headers, made on the
// spot: a few hundred bytes whose decoding would ask for gigabytes. The
// preview tests and the preview benchmark open them.
#pragma once

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include <jpeglib.h>

namespace plakato::testing {

// A JPEG written by libjpeg itself (default settings, 2x2 luma sampling),
// progressive or baseline; quality 0 keeps libjpeg's default. `pixel(x, y)`
// gives each pixel as 0x00BBGGRR (its red part alone when `grey`). A
// `script` replaces the progressive scans with its own.
template <typename Pixel>
std::vector<uint8_t> LibjpegFile(int width, int height, bool progressive, int quality, Pixel pixel,
                                 bool grey = false, const std::vector<jpeg_scan_info>& script = {}) {
  jpeg_compress_struct info{};
  jpeg_error_mgr errors{};
  info.err = jpeg_std_error(&errors);
  jpeg_create_compress(&info);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&info, &buffer, &size);
  info.image_width = static_cast<JDIMENSION>(width);
  info.image_height = static_cast<JDIMENSION>(height);
  info.input_components = grey ? 1 : 3;
  info.in_color_space = grey ? JCS_GRAYSCALE : JCS_RGB;
  jpeg_set_defaults(&info);
  if (quality > 0) jpeg_set_quality(&info, quality, TRUE);
  if (progressive) jpeg_simple_progression(&info);
  if (!script.empty()) {
    info.scan_info = script.data();
    info.num_scans = static_cast<int>(script.size());
  }
  jpeg_start_compress(&info, TRUE);
  const int components = info.input_components;
  std::vector<JSAMPLE> row(static_cast<size_t>(width) * components);
  while (info.next_scanline < info.image_height) {
    for (int x = 0; x < width; ++x) {
      uint32_t c = pixel(x, static_cast<int>(info.next_scanline));
      for (int k = 0; k < components; ++k) row[x * components + k] = static_cast<JSAMPLE>(c >> (8 * k));
    }
    JSAMPROW rows[1] = {row.data()};
    jpeg_write_scanlines(&info, rows, 1);
  }
  jpeg_finish_compress(&info);
  std::vector<uint8_t> jpeg(buffer, buffer + size);
  jpeg_destroy_compress(&info);
  std::free(buffer);
  return jpeg;
}

// A progressive grey side x side JPEG of `scans` scans: the DC scan, then
// one AC scan written by libjpeg and copied until there are as many (libjpeg
// decodes each copy again, over the whole picture, with only a warning).
inline std::vector<uint8_t> JpegRepeatingAScan(int side, int scans) {
  const std::vector<jpeg_scan_info> script = {{1, {0}, 0, 0, 0, 0}, {1, {0}, 1, 63, 0, 0}};
  std::vector<uint8_t> jpeg =
      LibjpegFile(side, side, true, 0, [](int x, int y) { return (x / 8 + y / 8) % 2 ? 0x70u : 0x90u; }, true, script);
  if (jpeg.size() < 4) return jpeg;
  // The last scan runs from its SOS marker to the EOI marker at the end.
  size_t start = jpeg.size() - 2;
  while (start > 2 && !(jpeg[start] == 0xFF && jpeg[start + 1] == 0xDA)) --start;
  const std::vector<uint8_t> scan(jpeg.begin() + static_cast<std::ptrdiff_t>(start), jpeg.end() - 2);
  jpeg.erase(jpeg.end() - 2, jpeg.end());
  for (int k = 2; k < scans; ++k) jpeg.insert(jpeg.end(), scan.begin(), scan.end());
  jpeg.insert(jpeg.end(), {0xFF, 0xD9});
  return jpeg;
}

// A 16 x 16 grey JPEG (progressive or baseline) whose frame header is then
// made to claim width x height: the scan data stays that of 16 x 16, so the
// file is a few hundred bytes.
inline std::vector<uint8_t> JpegClaiming(unsigned width, unsigned height, bool progressive) {
  std::vector<uint8_t> jpeg = LibjpegFile(16, 16, progressive, 0, [](int, int) { return 0x808080u; });
  // SOF0 (baseline) or SOF2 (progressive): length, precision, height, width.
  for (size_t i = 2; i + 9 < jpeg.size(); ++i) {
    if (jpeg[i] == 0xFF && (jpeg[i + 1] == 0xC0 || jpeg[i + 1] == 0xC2)) {
      jpeg[i + 5] = static_cast<uint8_t>(height >> 8);
      jpeg[i + 6] = static_cast<uint8_t>(height);
      jpeg[i + 7] = static_cast<uint8_t>(width >> 8);
      jpeg[i + 8] = static_cast<uint8_t>(width);
      return jpeg;
    }
  }
  std::fprintf(stderr, "libjpeg wrote no frame header\n");
  std::abort();
}

inline uint32_t PngCrc(const uint8_t* data, size_t size) {
  uint32_t crc = 0xFFFFFFFFu;
  for (size_t i = 0; i < size; ++i) {
    crc ^= data[i];
    for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
  }
  return ~crc;
}

inline void PutChunk(std::vector<uint8_t>& png, const char type[4], const std::vector<uint8_t>& data) {
  auto put32 = [&](uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8) png.push_back(static_cast<uint8_t>(v >> shift));
  };
  put32(static_cast<uint32_t>(data.size()));
  size_t start = png.size();
  png.insert(png.end(), type, type + 4);
  png.insert(png.end(), data.begin(), data.end());
  put32(PngCrc(png.data() + start, png.size() - start));
}

// A PNG whose header claims width x height at the given bit depth and colour
// type (2 RGB, 6 RGBA), with one short IDAT of zeros: a valid zlib stream
// that ends long before the picture does.
inline std::vector<uint8_t> PngClaiming(uint32_t width, uint32_t height, uint8_t bitDepth = 8,
                                        uint8_t colourType = 2) {
  std::vector<uint8_t> png = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
  std::vector<uint8_t> header;
  for (uint32_t v : {width, height}) {
    for (int shift = 24; shift >= 0; shift -= 8) header.push_back(static_cast<uint8_t>(v >> shift));
  }
  header.insert(header.end(), {bitDepth, colourType, 0, 0, 0});
  PutChunk(png, "IHDR", header);
  // zlib: stored block of 16 zero bytes, then its Adler-32 (16 zeros: 0x00100001).
  std::vector<uint8_t> idat = {0x78, 0x01, 0x01, 0x10, 0x00, 0xEF, 0xFF};
  idat.insert(idat.end(), 16, 0);
  idat.insert(idat.end(), {0x00, 0x10, 0x00, 0x01});
  PutChunk(png, "IDAT", idat);
  PutChunk(png, "IEND", {});
  return png;
}

}  // namespace plakato::testing
