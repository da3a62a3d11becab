#include "export/crop.h"

#include <algorithm>

namespace plakato {

Rect CropRectangle(int sceneWidth, int sceneHeight, int signWidth, int cropHeight) {
  Rect r;
  r.left = (sceneWidth - signWidth) / 2;
  r.right = r.left + signWidth;
  r.top = sceneHeight - cropHeight;
  r.bottom = sceneHeight;
  return r;
}

PixelCanvas CropPixels(const PixelCanvas& scene, const Rect& r) {
  PixelCanvas out(std::max(0, r.right - r.left), std::max(0, r.bottom - r.top), 0xFFFFFF);
  for (int y = 0; y < out.height; ++y) {
    for (int x = 0; x < out.width; ++x) {
      if (scene.Contains(r.left + x, r.top + y)) out.At(x, y) = scene.At(r.left + x, r.top + y);
    }
  }
  return out;
}

PixelCanvas ExportedPicture(const PixelCanvas& scene, const SceneLayout& layout) {
  return CropPixels(scene, CropRectangle(scene.width, scene.height, layout.signWidth, layout.sceneHeight));
}

}  // namespace plakato
