// The sticker: the placard alone on a transparent picture 512 pixels on its
// longer side, as today's chats show stickers, with a white die-cut outline
// around the whole figure so that the black frame, pole and text read on a
// dark background too, and on a chat that flattens transparency to black.
#pragma once

#include "base/rect.h"
#include "scene/pixels.h"

namespace plakato {

inline constexpr int kStickerSide = 512;
inline constexpr int kStickerOutline = 8;
// The longest the figure itself may be, leaving room for the outline and a
// pixel of air on either side.
inline constexpr int kStickerFigureRoom = kStickerSide - 2 * (kStickerOutline + 1);

// Sticker pixels are 0xAABBGGRR: the top byte is the alpha, 255 opaque.
constexpr uint32_t kStickerOpaque = 0xFF000000u;

// The figure's pixels are the ones that come out the same whether the
// placard was drawn over white or over black; the rest is background.
// Gives the smallest rectangle that holds them (empty when there are none).
// Both pictures are of one size.
Rect FigureBounds(const PixelCanvas& onWhite, const PixelCanvas& onBlack);

// The sticker of a placard drawn over white and over black at the scale
// chosen for it: the figure's pixels as drawn, opaque; a white outline of
// `outline` pixels around it, its outer edge smoothed; everything else fully
// transparent (0). The longer side is `side` exactly, the figure centred with
// the same margin on all four sides (the odd pixel right or below); a figure
// longer than side - 2 * (outline + 1) is cut.
PixelCanvas MakeSticker(const PixelCanvas& onWhite, const PixelCanvas& onBlack, int side = kStickerSide,
                        int outline = kStickerOutline);

// The sticker over an opaque background colour, for programs that take only
// bitmaps without alpha.
PixelCanvas OverBackground(const PixelCanvas& sticker, uint32_t background);

// The scale, in dots per inch, to draw the placard at next so that its
// figure fills the room: from the scale it was drawn at and the longer side
// of its figure there. Rounded down, so the figure does not outgrow the room
// by rounding.
int StickerDpiFrom(int dpi, int figureLonger, int room = kStickerFigureRoom);

}  // namespace plakato
