#include "export/sticker_picture_win.h"

#include <algorithm>

#include "base/error.h"
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

namespace {

// The largest scale, up to 5x, at which the part of the placard an export
// cuts out, grown by the reach of `motion` at that scale, fits the room. The
// picture grows about in proportion to the scale (not quite: a font's height
// and the art move in whole pixels), so the standard picture's size tells
// where to start, and a few steps find it.
int StickerDpi(PlacardView& view, const Placard& placard, Motion motion) {
  auto longerAt = [&](int dpi) {
    const SceneLayout layout =
        GrownBy(view.MeasureAt(placard, dpi), ReachOf(MotionFrames(motion, DpiScale{dpi})));
    return std::max(layout.signWidth, layout.sceneHeight);
  };
  auto fits = [&](int dpi) { return longerAt(dpi) <= kStickerPictureRoom; };
  int dpi = std::clamp(kStandardDpi * kStickerPictureRoom / std::max(1, longerAt(kStandardDpi)), 1,
                       kLargestStickerDpi);
  while (dpi > 1 && !fits(dpi)) --dpi;
  while (dpi < kLargestStickerDpi && fits(dpi + 1)) ++dpi;
  return dpi;
}

}  // namespace

AnimatedSticker DrawAnimatedSticker(PlacardView& view, const Placard& placard, Motion motion) {
  AnimatedSticker sticker;
  sticker.dpi = StickerDpi(view, placard, motion);
  const std::vector<MotionFrame> frames = MotionFrames(motion, DpiScale{sticker.dpi});
  const MotionReach reach = ReachOf(frames);
  for (const MotionFrame& frame : frames) {
    const PixelCanvas onWhite = view.RenderCut(placard, sticker.dpi, kWhite, frame.pose, reach);
    const PixelCanvas onBlack = view.RenderCut(placard, sticker.dpi, kBlack, frame.pose, reach);
    sticker.frames.push_back(MakeSticker(onWhite, onBlack));
    sticker.delaysMs.push_back(frame.delayMs);
  }
  return sticker;
}

// The still sticker is the one frame of standing still.
StickerPicture DrawSticker(PlacardView& view, const Placard& placard) {
  AnimatedSticker still = DrawAnimatedSticker(view, placard, Motion::Still);
  return {std::move(still.frames.front()), still.dpi};
}

StickerExport::StickerExport(PlacardView& view, const Placard& placard, Motion motion)
    : sticker_(DrawAnimatedSticker(view, placard, motion)) {}

const std::vector<uint8_t>& StickerExport::Webp() {
  if (webp_.empty()) {
    webp_ = animated() ? EncodeAnimatedWebp(sticker_.frames, sticker_.delaysMs) : EncodeWebpLossless(picture());
  }
  return webp_;
}

std::vector<uint8_t> StickerExport::Png() const { return EncodePng(picture(), PngAlpha::FromTopByte); }

void StickerExport::WriteFile(const std::wstring& path, PictureFileFormat format) {
  switch (format) {
    case PictureFileFormat::Webp:
      WriteFileReplacing(path, Webp());
      return;
    case PictureFileFormat::Png:
      WriteFileReplacing(path, Png());
      return;
    case PictureFileFormat::Jpeg:
      WriteFileReplacing(path, EncodeJpeg(OverBackground(picture(), kWhite)));
      return;
    case PictureFileFormat::Gif:
      // A GIF holds the animation, never the sticker (KindSaved).
      throw AppError(L"贴纸不能存为 GIF");
  }
}

ClipboardContent StickerExport::ForClipboard(const std::wstring& folder, std::wstring_view signText,
                                             std::wstring& whyNoFile) {
  DragFile file = WriteDragFile(folder, DragFileName(signText, L".webp"), Webp());
  whyNoFile = file.whyNone;
  return {picture(), true, file.path.value_or(L"")};
}

}  // namespace plakato
