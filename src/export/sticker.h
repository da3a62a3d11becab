// The sticker: the placard alone on a transparent picture 512 pixels on its
// longer side, as today's chats show stickers, with a white die-cut outline
// around the whole figure so that the black frame, pole and text read on a
// dark background too, and on a chat that flattens transparency to black.
#pragma once

#include "scene/pixels.h"

namespace plakato {

inline constexpr int kStickerSide = 512;
inline constexpr int kStickerOutline = 8;
// The longest the placard's picture may be on its longer side, leaving room
// for the outline on either side.
inline constexpr int kStickerPictureRoom = kStickerSide - 2 * kStickerOutline;

// Sticker pixels are 0xAABBGGRR: the top byte is the alpha, 255 opaque.
constexpr uint32_t kStickerOpaque = 0xFF000000u;

// The sticker of a placard's picture (the part an export cuts out) drawn
// over white and over black at the scale chosen for it. The figure is made
// of the pixels that come out the same in both; they keep their colour and
// are opaque. A white outline of `outline` pixels runs around the figure,
// its outer edge smoothed; everything else is fully transparent (0). The
// picture lies in the middle of a sticker `side` pixels on its longer side
// and `outline` pixels larger than the picture on either end of its shorter
// one; a picture longer than side - 2 * outline is cut.
PixelCanvas MakeSticker(const PixelCanvas& onWhite, const PixelCanvas& onBlack, int side = kStickerSide,
                        int outline = kStickerOutline);

// The sticker over an opaque background colour, for programs that take only
// bitmaps without alpha.
PixelCanvas OverBackground(const PixelCanvas& sticker, uint32_t background);

}  // namespace plakato
