#include "export/png_chunks.h"

#include <algorithm>
#include <cstring>

namespace plakato {
namespace {

uint32_t BigEndian32(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) << 24 | static_cast<uint32_t>(p[1]) << 16 | static_cast<uint32_t>(p[2]) << 8 |
         p[3];
}

bool IsType(const uint8_t* type, const char* name) { return std::memcmp(type, name, 4) == 0; }

}  // namespace

bool HasPngSignature(std::span<const uint8_t> bytes) {
  return bytes.size() >= sizeof kPngSignature &&
         std::equal(std::begin(kPngSignature), std::end(kPngSignature), bytes.begin());
}

std::optional<std::vector<uint8_t>> KeepPngImageChunks(std::span<const uint8_t> png) {
  if (!HasPngSignature(png)) return std::nullopt;
  std::vector<uint8_t> kept(std::begin(kPngSignature), std::end(kPngSignature));
  kept.reserve(png.size());
  size_t at = sizeof kPngSignature;
  bool first = true;
  while (png.size() - at >= 12) {  // length, type and CRC of an empty chunk
    uint32_t length = BigEndian32(&png[at]);
    if (length > 0x7FFFFFFFu || length > png.size() - at - 12) return std::nullopt;
    const uint8_t* type = &png[at + 4];
    size_t whole = size_t{length} + 12;
    if (first != IsType(type, "IHDR")) return std::nullopt;  // IHDR comes first, and only there
    first = false;
    if (IsType(type, "IHDR") || IsType(type, "IDAT") || IsType(type, "IEND")) {
      kept.insert(kept.end(), png.begin() + at, png.begin() + at + whole);
    }
    if (IsType(type, "IEND")) return kept;
    at += whole;
  }
  return std::nullopt;
}

uint64_t PngHeader::PixelBytes() const {
  unsigned samples = colourType == 2 ? 3 : colourType == 4 ? 2 : colourType == 6 ? 4 : 1;
  uint64_t rowBits = uint64_t{width} * samples * bitDepth;
  return (rowBits + 7) / 8 * height;
}

std::optional<PngHeader> ReadPngHeader(std::span<const uint8_t> png) {
  constexpr size_t kHeaderEnd = sizeof kPngSignature + 8 + 13;  // length, type, then the 13 bytes
  if (!HasPngSignature(png) || png.size() < kHeaderEnd) return std::nullopt;
  const uint8_t* chunk = &png[sizeof kPngSignature];
  if (BigEndian32(chunk) != 13 || !IsType(chunk + 4, "IHDR")) return std::nullopt;
  PngHeader header;
  header.width = BigEndian32(chunk + 8);
  header.height = BigEndian32(chunk + 12);
  header.bitDepth = chunk[16];
  header.colourType = chunk[17];
  return header;
}

}  // namespace plakato
