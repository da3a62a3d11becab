#include "export/sticker_picture_win.h"

#include <algorithm>

#include "base/files_win.h"
#include "export/drag_file_name.h"
#include "export/jpeg_encode.h"
#include "export/picture_drag_win.h"
#include "export/png_codec_win.h"
#include "export/sticker.h"
#include "export/webp_encode.h"

namespace plakato {

namespace {

constexpr uint32_t kWhite = 0xFFFFFF;
constexpr uint32_t kBlack = 0x000000;
// The largest scale a sticker is drawn at: the 5x art itself, so that every
// sticker's art is drawn for its size or reduced, never enlarged.
constexpr int kLargestStickerDpi = 5 * kStandardDpi;

}  // namespace

StickerPicture DrawSticker(PlacardView& view, const Placard& placard) {
  // The largest scale at which the placard's picture fits the room. The
  // picture grows about in proportion to the scale (not quite: a font's
  // height and the art move in whole pixels), so the standard picture's
  // size tells where to start, and a few steps find it.
  auto longerAt = [&](int dpi) {
    const SceneLayout layout = view.MeasureAt(placard, dpi);
    return std::max(layout.signWidth, layout.sceneHeight);
  };
  auto fits = [&](int dpi) { return longerAt(dpi) <= kStickerPictureRoom; };
  int low = std::clamp(kStandardDpi * kStickerPictureRoom / std::max(1, longerAt(kStandardDpi)), 1,
                       kLargestStickerDpi);
  while (low > 1 && !fits(low)) --low;
  while (low < kLargestStickerDpi && fits(low + 1)) ++low;
  const PixelCanvas onWhite = view.RenderCut(placard, low, kWhite);
  const PixelCanvas onBlack = view.RenderCut(placard, low, kBlack);
  return {MakeSticker(onWhite, onBlack), low};
}

const std::vector<uint8_t>& StickerExport::Webp() {
  if (webp_.empty()) webp_ = EncodeWebpLossless(sticker_.pixels);
  return webp_;
}

std::vector<uint8_t> StickerExport::Png() const { return EncodePng(sticker_.pixels, PngAlpha::FromTopByte); }

void StickerExport::WriteFile(const std::wstring& path, PictureFileFormat format) {
  switch (format) {
    case PictureFileFormat::Webp:
      WriteFileReplacing(path, Webp());
      return;
    case PictureFileFormat::Png:
      WriteFileReplacing(path, Png());
      return;
    case PictureFileFormat::Jpeg:
      WriteFileReplacing(path, EncodeJpeg(OverBackground(sticker_.pixels, kWhite)));
      return;
  }
}

ClipboardContent StickerExport::ForClipboard(const std::wstring& folder, std::wstring_view signText,
                                             std::wstring& whyNoFile) {
  DragFile file = WriteDragFile(folder, DragFileName(signText, L".webp"), Webp());
  whyNoFile = file.whyNone;
  return {sticker_.pixels, true, file.path.value_or(L"")};
}

}  // namespace plakato
