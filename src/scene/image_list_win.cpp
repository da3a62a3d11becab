#include "scene/image_list_win.h"

#include <utility>
#include <vector>

#include "base/error.h"
#include "base/handles_win.h"

namespace plakato {

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

// Pixels of a list laid out as a strip of cells, left to right: top-down
// 24-bit colour and 1-bit mask (1 = transparent).
struct StripBits {
  int width, height, colourStride, maskStride;
  std::vector<BYTE> colour, mask;
};

StripBits BuildStrip(const ImageList& list, int first, int count) {
  StripBits s{};
  s.width = list.Width() * count;
  s.height = list.Height();
  s.colourStride = (s.width * 3 + 3) / 4 * 4;
  s.maskStride = (s.width + 31) / 32 * 4;
  s.colour.assign(static_cast<size_t>(s.colourStride) * s.height, 0);
  s.mask.assign(static_cast<size_t>(s.maskStride) * s.height, 0);
  for (int k = 0; k < count; ++k) {
    for (int y = 0; y < list.Height(); ++y) {
      for (int x = 0; x < list.Width(); ++x) {
        int sx = k * list.Width() + x;
        uint32_t c = list.Colour(first + k, x, y);
        BYTE* px = &s.colour[static_cast<size_t>(y) * s.colourStride + sx * 3];
        px[0] = static_cast<BYTE>(c >> 16);  // blue
        px[1] = static_cast<BYTE>(c >> 8);   // green
        px[2] = static_cast<BYTE>(c);        // red
        if (!list.Opaque(first + k, x, y)) {
          s.mask[static_cast<size_t>(y) * s.maskStride + sx / 8] |= static_cast<BYTE>(0x80 >> (sx % 8));
        }
      }
    }
  }
  return s;
}

// Device-dependent colour and mask bitmaps holding a strip.
std::pair<UniqueBitmap, UniqueBitmap> MakeStripBitmaps(HDC screen, const StripBits& s) {
  DibInfo colourInfo = MakeInfo(s.width, s.height, 24);
  DibInfo maskInfo = MakeInfo(s.width, s.height, 1);
  UniqueBitmap colour(::CreateDIBitmap(screen, &colourInfo.header, CBM_INIT, s.colour.data(),
                                       reinterpret_cast<BITMAPINFO*>(&colourInfo), DIB_RGB_COLORS));
  UniqueBitmap mask(::CreateBitmap(s.width, s.height, 1, 1, nullptr));
  if (!colour || !mask) throw AppError(L"系统资源不足");
  UniqueDc dc(::CreateCompatibleDC(screen));
  SelectGuard select(dc.get(), mask.get());
  ::SetDIBitsToDevice(dc.get(), 0, 0, s.width, s.height, 0, 0, 0, s.height, s.mask.data(),
                      reinterpret_cast<BITMAPINFO*>(&maskInfo), DIB_RGB_COLORS);
  return {std::move(colour), std::move(mask)};
}

}  // namespace

MaskedStrip::MaskedStrip(const ImageList& list) : width_(list.Width()), height_(list.Height()), count_(list.Count()) {
  WindowDc screen(nullptr);
  auto [colour, mask] = MakeStripBitmaps(screen.get(), BuildStrip(list, 0, count_));
  colour_ = std::move(colour);
  mask_ = std::move(mask);
  colourDc_.reset(::CreateCompatibleDC(screen.get()));
  maskDc_.reset(::CreateCompatibleDC(screen.get()));
  if (!colourDc_ || !maskDc_) throw AppError(L"系统资源不足");
  colourSelection_ = std::make_unique<SelectionSlot>(colourDc_.get(), colour_.get());
  maskSelection_ = std::make_unique<SelectionSlot>(maskDc_.get(), mask_.get());
}

MaskedStrip::~MaskedStrip() = default;

void MaskedStrip::Draw(HDC target, int index, int x, int y) const {
  if (index < 0 || index >= count_) return;
  // A 1-bit source takes the target's text colour for 0 and background colour
  // for 1: black and white make the mask keep exactly the transparent pixels.
  COLORREF oldText = ::SetTextColor(target, RGB(0, 0, 0));
  COLORREF oldBack = ::SetBkColor(target, RGB(255, 255, 255));
  ::BitBlt(target, x, y, width_, height_, maskDc_.get(), index * width_, 0, SRCAND);
  ::BitBlt(target, x, y, width_, height_, colourDc_.get(), index * width_, 0, SRCPAINT);
  ::SetTextColor(target, oldText);
  ::SetBkColor(target, oldBack);
}

UniqueImageList MakeSystemImageList(const ImageList& list) {
  const int w = list.Width(), h = list.Height();
  // 24-bit colour: a 32-bit list would blend by its alpha channel instead of masking.
  UniqueImageList result(::ImageList_Create(w, h, ILC_COLOR24 | ILC_MASK, list.Count(), 4));
  if (!result.get()) throw AppError(L"系统资源不足");

  // One strip of all the cells adds every image in a single call.
  WindowDc screen(nullptr);
  auto [image, mask] = MakeStripBitmaps(screen.get(), BuildStrip(list, 0, list.Count()));
  if (::ImageList_Add(result.get(), image.get(), mask.get()) < 0) throw AppError(L"系统资源不足");
  return result;
}

}  // namespace plakato
