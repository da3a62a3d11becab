// The artwork image lists as system image lists (comctl32), for the tool bar
// and for drawing into the scene through their masks.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <memory>

#include "base/handles_win.h"
#include "scene/pixels.h"

namespace plakato {

inline void DestroyImageList(HIMAGELIST list) { ::ImageList_Destroy(list); }
using UniqueImageList = UniqueAny<HIMAGELIST, DestroyImageList>;

// A 24-bit colour image list with a 1-bit mask holding the images of `list`;
// drawn normally it changes only the pixels the mask marks opaque. The tool
// bar shows its faces from one.
UniqueImageList MakeSystemImageList(const ImageList& list);

// The same images as a colour strip and a mask strip kept selected in their
// own DCs, drawn through the mask with two raster operations: the pixels a
// system image list draws in its normal style, at a fraction of its cost per
// call (the scene draws four images at every change).
class MaskedStrip {
 public:
  explicit MaskedStrip(const ImageList& list);
  MaskedStrip(const MaskedStrip&) = delete;
  MaskedStrip& operator=(const MaskedStrip&) = delete;
  ~MaskedStrip();
  // Image `index` with its cell's top-left corner at (x, y); an index outside
  // the list draws nothing.
  void Draw(HDC target, int index, int x, int y) const;

 private:
  int width_;
  int height_;
  int count_;
  UniqueDc colourDc_;
  UniqueDc maskDc_;
  UniqueBitmap colour_;
  UniqueBitmap mask_;
  // Last, so the bitmaps leave their DCs before they are deleted.
  std::unique_ptr<SelectionSlot> colourSelection_;
  std::unique_ptr<SelectionSlot> maskSelection_;
};

}  // namespace plakato
