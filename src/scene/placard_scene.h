// The placard scene: a face holding a pole with a framed sign carrying the
// text. DrawPlacard clears the surface and draws it all again from the
// placard, giving back the sign width and scene height the export crops by.
#pragma once

#include <cstdint>
#include <string>

#include "base/rect.h"
#include "base/scale.h"
#include "scene/pixels.h"
#include "scene/placard.h"

namespace plakato {

struct TextSize {
  int width = 0;
  int height = 0;
};

// What the scene needs of a drawing surface, with the semantics of a GDI
// device context: the font, pen and brush it is given stay until changed.
class DrawingSurface {
 public:
  virtual ~DrawingSurface() = default;
  // Text is measured and written in this font, asked for at `height`
  // (negative: the character height in pixels), from now on.
  virtual void SetFont(const SignFont& font, int height) = 0;
  // Extent of the whole string in the surface's font.
  virtual TextSize TextExtent(const std::wstring& text) = 0;
  // A solid brush of this colour (also after a clear brush).
  virtual void SetBrushColour(uint32_t colour) = 0;
  // A clear brush: shapes are not filled and text has no background.
  virtual void SetBrushClear() = 0;
  virtual void SetPen(uint32_t colour, int width) = 0;
  // Fills the rectangle without its right column and bottom row.
  virtual void FillRect(const Rect& r) = 0;
  // Filled with the brush, outlined with the pen centred on the outline.
  virtual void Rectangle(const Rect& r) = 0;
  // Text with its top-left corner at (x, y), in the font and its colour.
  virtual void WriteText(int x, int y, const std::wstring& text) = 0;
  // Image `index` of `list` through its mask, cell's top-left at (x, y).
  virtual void DrawImage(const ImageList& list, int index, int x, int y) = 0;
  virtual Rect ClipBox() = 0;
};

// What a drawing leaves for the export: the sign's width and the height of
// the picture, measured up from the scene's bottom edge.
struct SceneLayout {
  int signWidth = 0;
  int sceneHeight = 0;
  friend bool operator==(const SceneLayout&, const SceneLayout&) = default;
};

// The size of the scene at 96 dpi, which the standard picture is cut from.
inline constexpr int kSceneWidth = 371;
inline constexpr int kSceneHeight = 120;

// What a placard is drawn at: the scale of every length designed for 96 dpi
// (the sign font's height, the pen, the margins), and the art made for it.
struct SceneScale {
  DpiScale scale;
  const ImageList* faces;
  const ImageList* pieces;
};
// The scale of a display of `dpi` dots per inch, with the art for it.
SceneScale SceneScaleAt(int dpi);

// Where the face stands and how large it is, on a surface of the given bounds.
struct PlacardGeometry {
  int centreX = 0;
  int centreY = 0;
  int faceWidth = 0;
  int faceHeight = 0;
  friend bool operator==(const PlacardGeometry&, const PlacardGeometry&) = default;
};
PlacardGeometry GeometryOf(const Rect& surface, const SceneScale& at);

// What DrawPlacard would give on any surface, measured in the surface's font
// without drawing: the layout depends on the text and the scale alone.
SceneLayout MeasurePlacard(const Placard& placard, DrawingSurface& surface, const SceneScale& at = SceneScaleAt(kStandardDpi));
// The same at a scale whose faces are `faceHeight` pixels high, without the
// art of that scale: what a search over scales measures.
SceneLayout MeasurePlacard(const Placard& placard, DrawingSurface& surface, const DpiScale& scale, int faceHeight);

// The size of surface on which the whole placard of `layout` lies, and the
// part the export cuts out with it: the scene's own size where it fits;
// otherwise wider by an even number of pixels (so that every part only moves
// sideways by whole pixels) and as high as the placard.
struct SurfaceSize {
  int width = 0;
  int height = 0;
  friend bool operator==(const SurfaceSize&, const SurfaceSize&) = default;
};
SurfaceSize SurfaceHolding(const SceneLayout& layout, SurfaceSize scene);

// Where the placard's parts stand in one frame of a motion, as offsets in
// the surface's pixels from where the still placard has them: the part held
// up (the sign, the pole and both hands) and the whole figure (the face and
// the held part with it). The layout a drawing gives is the still placard's.
struct PlacardPose {
  int heldX = 0;
  int heldY = 0;
  int figureX = 0;
  int figureY = 0;
  friend bool operator==(const PlacardPose&, const PlacardPose&) = default;
};

// Clears the surface and draws the whole placard at the given scale: the
// sign in the placard's font made `at.scale` times as large, the face and the
// pole from `at`'s art; gives the layout it drew, in the surface's pixels. It
// stores nothing: only the surface keeps its font, pen and brush, as a canvas
// does.
// The background is white, as every picture the program sends has it,
// unless another colour is asked for. The parts stand as `pose` moves them.
SceneLayout DrawPlacard(const Placard& placard, DrawingSurface& surface, const SceneScale& at = SceneScaleAt(kStandardDpi),
                        uint32_t background = 0xFFFFFF, const PlacardPose& pose = {});

}  // namespace plakato
