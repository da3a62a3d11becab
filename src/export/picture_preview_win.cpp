#include "export/picture_preview_win.h"

#include <algorithm>

#include "base/files_win.h"
#include "export/png_codec_win.h"

namespace plakato {

UniqueBitmap LoadPicturePreview(const std::wstring& path, int maxWidth, int maxHeight, SIZE* pictureSize) noexcept {
  std::optional<std::string> bytes;
  try {
    // Other programs may go on reading and writing it while we look.
    bytes = ReadFileUpTo(path, FILE_SHARE_READ | FILE_SHARE_WRITE, kPreviewFileLimit);
  } catch (...) {
    return {};  // a file we cannot read, or no memory to read it into: no preview
  }
  if (!bytes) return {};
  DecodedPreview preview = DecodePicturePreview(
      {reinterpret_cast<const uint8_t*>(bytes->data()), bytes->size()}, maxWidth, maxHeight);
  if (preview.picture.pixels.empty()) return {};
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = preview.picture.width;
  info.bmiHeader.biHeight = -preview.picture.height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  UniqueBitmap bitmap(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!bitmap) return {};
  auto* px = static_cast<uint32_t*>(bits);
  std::transform(preview.picture.pixels.begin(), preview.picture.pixels.end(), px, SwapRedBlue);
  if (pictureSize) *pictureSize = SIZE{preview.width, preview.height};
  return bitmap;
}

}  // namespace plakato
