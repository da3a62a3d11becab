// The sticker of the placard as the program draws it: the placard at the
// scale that makes it fill the sticker, over white and over black, made
// into the transparent, outlined sticker picture.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "export/clipboard_win.h"
#include "export/picture_file_type.h"
#include "scene/motion.h"
#include "scene/placard.h"
#include "scene/placard_view_win.h"
#include "scene/pixels.h"

namespace plakato {

struct StickerPicture {
  PixelCanvas pixels;  // 0xAABBGGRR
  int dpi = 0;         // the scale the placard was drawn at, as dots per inch
};

// Draws the placard at the largest scale, up to 5x, at which its picture
// (the part an export cuts out) fits the sticker inside the outline, from
// the art for that scale (the 5x art reduced) with the text drawn at it.
StickerPicture DrawSticker(PlacardView& view, const Placard& placard);

// The sticker of `motion` (one frame for Still): the same at the largest
// scale at which the whole canvas of the motion fits, so that no moving part is cut; frame
// 0 is the still sticker of that scale, `reach.up` pixels lower where the
// motion reaches up (the canvas grows by as much) and centred as it is.
struct AnimatedSticker {
  std::vector<PixelCanvas> frames;  // 0xAABBGGRR, all of one size
  std::vector<int> delaysMs;
  int dpi = 0;
};
AnimatedSticker DrawAnimatedSticker(PlacardView& view, const Placard& placard, Motion motion);

// One sticker of the placard, still or of a motion: drawn once, its WebP
// encoded on first use.
class StickerExport {
 public:
  StickerExport(PlacardView& view, const Placard& placard, Motion motion = Motion::Still);

  // The still sticker: the first frame of an animated one.
  const PixelCanvas& picture() const { return sticker_.frames.front(); }
  int dpi() const { return sticker_.dpi; }
  bool animated() const { return sticker_.frames.size() > 1; }
  // The lossless WebP with alpha, animated for a motion, the same bytes for
  // every use of this export.
  const std::vector<uint8_t>& Webp();
  // The PNG with alpha.
  std::vector<uint8_t> Png() const;
  // Writes the sticker as the whole content of `path` in `format`: WebP or
  // PNG with alpha of the still sticker, a JPEG of it over white; the file
  // is encoded before it is touched.
  void WriteFile(const std::wstring& path, PictureFileFormat format);
  // What a copy of the sticker offers: the picture with its alpha, and its
  // WebP file, named after the sign text in `folder` under a drag file's
  // rules (never replacing another picture), so that a chat that takes
  // files gets the sticker itself. Without the file when none can be
  // written; `whyNoFile` then says why.
  ClipboardContent ForClipboard(const std::wstring& folder, std::wstring_view signText, std::wstring& whyNoFile);

 private:
  AnimatedSticker sticker_;
  std::vector<uint8_t> webp_;
};

}  // namespace plakato
