#include "export/dib_bytes.h"

#include "base/error.h"

namespace plakato {

namespace {

void PutLe(std::vector<uint8_t>& out, uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

}  // namespace

std::vector<uint8_t> Dib24Bytes(const PixelCanvas& picture) {
  if (picture.width <= 0 || picture.height <= 0) throw AppError(L"图片是空的");
  const size_t rowBytes = (static_cast<size_t>(picture.width) * 3 + 3) / 4 * 4;
  std::vector<uint8_t> out;
  out.reserve(40 + rowBytes * static_cast<size_t>(picture.height));
  PutLe(out, 40, 4);  // biSize
  PutLe(out, static_cast<uint32_t>(picture.width), 4);
  PutLe(out, static_cast<uint32_t>(picture.height), 4);  // bottom-up
  PutLe(out, 1, 2);                                      // planes
  PutLe(out, 24, 2);                                     // bits per pixel
  PutLe(out, 0, 4);                                      // BI_RGB
  PutLe(out, static_cast<uint32_t>(rowBytes * static_cast<size_t>(picture.height)), 4);
  for (int i = 0; i < 4; ++i) PutLe(out, 0, 4);  // resolution, colours used, important
  for (int y = picture.height - 1; y >= 0; --y) {
    size_t start = out.size();
    for (int x = 0; x < picture.width; ++x) {
      uint32_t c = picture.At(x, y);  // 0x00BBGGRR
      out.push_back(static_cast<uint8_t>(c >> 16));
      out.push_back(static_cast<uint8_t>(c >> 8));
      out.push_back(static_cast<uint8_t>(c));
    }
    out.resize(start + rowBytes, 0);
  }
  return out;
}

}  // namespace plakato
