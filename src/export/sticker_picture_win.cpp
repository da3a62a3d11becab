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
// A font's height and the art move in whole pixels, so the figure grows a
// little unevenly with the scale; a few tries find the largest that fits.
constexpr int kStickerTries = 5;
// A figure this close to the room is long enough.
constexpr int kStickerSlack = 3;

int FigureLonger(const PixelCanvas& onWhite, const PixelCanvas& onBlack) {
  const Rect figure = FigureBounds(onWhite, onBlack);
  return std::max(figure.width(), figure.height());
}

}  // namespace

StickerPicture DrawSticker(PlacardView& view, const Placard& placard) {
  struct Drawing {
    int dpi = 0;
    PixelCanvas onWhite, onBlack;
    int longer = 0;
  };
  auto draw = [&](int dpi) {
    Drawing d{dpi, view.RenderCut(placard, dpi, kWhite), view.RenderCut(placard, dpi, kBlack), 0};
    d.longer = FigureLonger(d.onWhite, d.onBlack);
    return d;
  };
  // Each drawing's figure tells the next scale to try; the largest figure
  // that fits the room is kept.
  Drawing last = draw(kStandardDpi);
  Drawing best;
  for (int attempt = 0; attempt < kStickerTries; ++attempt) {
    int next = StickerDpiFrom(last.dpi, last.longer);
    if (last.longer > kStickerFigureRoom) next = std::min(next, last.dpi - 1);
    if (next < 1 || next == last.dpi || (best.dpi && next == best.dpi)) break;
    last = draw(next);
    if (last.longer <= kStickerFigureRoom && last.longer > best.longer) best = last;
    if (best.longer >= kStickerFigureRoom - kStickerSlack) break;
  }
  const Drawing& chosen = best.dpi ? best : last;
  return {MakeSticker(chosen.onWhite, chosen.onBlack), chosen.dpi};
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
