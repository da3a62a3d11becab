// The chunk layer of PNG files, platform-free: what the exported PNG keeps.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace plakato {

inline constexpr uint8_t kPngSignature[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};

bool HasPngSignature(std::span<const uint8_t> bytes);

// The same PNG with only its IHDR, IDAT and IEND chunks, each byte for byte,
// so no colour-space, gamma or resolution chunk can change how it is shown.
// Nothing when the bytes are not a whole PNG: no signature, a chunk running
// past the end, no IHDR first or no IEND.
std::optional<std::vector<uint8_t>> KeepPngImageChunks(std::span<const uint8_t> png);

// What a PNG's IHDR chunk says of the picture.
struct PngHeader {
  uint32_t width = 0;
  uint32_t height = 0;
  uint8_t bitDepth = 0;
  uint8_t colourType = 0;
  // Bytes of the whole picture as its rows hold it once inflated, without
  // the filter bytes: what a decoder that keeps the picture needs at least.
  uint64_t PixelBytes() const;
};

// The header of a PNG: signature and IHDR first, of its proper length;
// nothing otherwise. Only the header's bytes are read, not checked further.
std::optional<PngHeader> ReadPngHeader(std::span<const uint8_t> png);

}  // namespace plakato
