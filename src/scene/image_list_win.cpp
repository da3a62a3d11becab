#include "scene/image_list_win.h"

#include <vector>

#include "app/app_text.h"
#include "app/win_handles.h"

namespace plakato {

UniqueImageList& UniqueImageList::operator=(UniqueImageList&& other) noexcept {
  if (this != &other) {
    if (list_) ::ImageList_Destroy(list_);
    list_ = other.list_;
    other.list_ = nullptr;
  }
  return *this;
}

UniqueImageList::~UniqueImageList() {
  if (list_) ::ImageList_Destroy(list_);
}

namespace {

// Bitmap info for a top-down 24-bit DIB or a 1-bit DIB with a black/white palette.
struct DibInfo {
  BITMAPINFOHEADER header;
  RGBQUAD palette[2];
};

DibInfo MakeInfo(int width, int height, int bits) {
  DibInfo info{};
  info.header.biSize = sizeof(BITMAPINFOHEADER);
  info.header.biWidth = width;
  info.header.biHeight = -height;
  info.header.biPlanes = 1;
  info.header.biBitCount = static_cast<WORD>(bits);
  info.header.biCompression = BI_RGB;
  info.palette[1] = RGBQUAD{255, 255, 255, 0};
  return info;
}

}  // namespace

UniqueImageList MakeSystemImageList(const ImageList& list) {
  const int w = list.Width(), h = list.Height();
  // 24-bit colour: a 32-bit list would blend by its alpha channel instead of masking.
  UniqueImageList result(::ImageList_Create(w, h, ILC_COLOR24 | ILC_MASK, list.Count(), 4));
  if (!result.get()) throw AppError(L"Out of system resources");

  const int colourStride = (w * 3 + 3) / 4 * 4;
  const int maskStride = (w + 31) / 32 * 4;
  std::vector<BYTE> colour(static_cast<size_t>(colourStride) * h);
  std::vector<BYTE> mask(static_cast<size_t>(maskStride) * h);
  DibInfo colourInfo = MakeInfo(w, h, 24);
  DibInfo maskInfo = MakeInfo(w, h, 1);
  WindowDc screen(nullptr);
  for (int i = 0; i < list.Count(); ++i) {
    std::fill(mask.begin(), mask.end(), 0);
    for (int y = 0; y < h; ++y) {
      for (int x = 0; x < w; ++x) {
        uint32_t c = list.Colour(i, x, y);
        BYTE* px = &colour[static_cast<size_t>(y) * colourStride + x * 3];
        px[0] = static_cast<BYTE>(c >> 16);  // blue
        px[1] = static_cast<BYTE>(c >> 8);   // green
        px[2] = static_cast<BYTE>(c);        // red
        if (!list.Opaque(i, x, y)) mask[static_cast<size_t>(y) * maskStride + x / 8] |= static_cast<BYTE>(0x80 >> (x % 8));
      }
    }
    UniqueBitmap image(::CreateDIBitmap(screen.get(), &colourInfo.header, CBM_INIT, colour.data(),
                                        reinterpret_cast<BITMAPINFO*>(&colourInfo), DIB_RGB_COLORS));
    UniqueBitmap maskBitmap(::CreateBitmap(w, h, 1, 1, nullptr));
    {
      UniqueDc dc(::CreateCompatibleDC(screen.get()));
      SelectGuard select(dc.get(), maskBitmap.get());
      ::SetDIBitsToDevice(dc.get(), 0, 0, w, h, 0, 0, 0, h, mask.data(), reinterpret_cast<BITMAPINFO*>(&maskInfo),
                          DIB_RGB_COLORS);
    }
    if (!image || !maskBitmap || ::ImageList_Add(result.get(), image.get(), maskBitmap.get()) < 0) {
      throw AppError(L"Out of system resources");
    }
  }
  return result;
}

}  // namespace plakato
