// The sticker of the placard as the program draws it: the placard at the
// scale whose figure fills the sticker, over white and over black, made
// into the transparent, outlined sticker picture.
#pragma once

#include "scene/placard.h"
#include "scene/placard_view_win.h"
#include "scene/pixels.h"

namespace plakato {

struct StickerPicture {
  PixelCanvas pixels;  // 0xAABBGGRR
  int dpi = 0;         // the scale the placard was drawn at, as dots per inch
};

// Draws the placard, from the art for its scale, so that its figure is as
// long as the sticker's room, never longer; the text is drawn at that scale.
StickerPicture DrawSticker(PlacardView& view, const Placard& placard);

}  // namespace plakato
