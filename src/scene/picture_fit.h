// Pictures made smaller with an area filter, for showing a placard larger
// than the room it is shown in.
#pragma once

#include "scene/pixels.h"

namespace plakato {

// `picture` at width x height: each new pixel is the average of the pixels
// it covers, weighted by how much of each it covers, byte by byte (so a
// fourth byte, where a picture carries one, is averaged as well).
PixelCanvas AreaReduced(const PixelCanvas& picture, int width, int height);

// A width x height picture of `background` with `picture` on it, reduced
// by the area filter to fit where it is larger (its proportions kept),
// centred across and resting on the bottom edge, as the scene's face does.
PixelCanvas FittedInto(const PixelCanvas& picture, int width, int height, uint32_t background);

}  // namespace plakato
