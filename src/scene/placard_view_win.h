// The placard as the window shows it: the scene fields, the artwork they are
// drawn from, and the screen-compatible surface they are drawn on.
#pragma once

#include <windows.h>

#include <memory>

#include "scene/image_list_win.h"
#include "scene/placard_scene.h"
#include "scene/scene_surface_win.h"

namespace plakato {

class PlacardView {
 public:
  PlacardView(const ImageList& faces, const ImageList& pieces) : faces_(faces), pieces_(pieces) {}
  PlacardView(const PlacardView&) = delete;
  PlacardView& operator=(const PlacardView&) = delete;

  // The drawing surface, made the first time at the given size; the face and
  // piece lists are drawn through their masks from then on.
  SceneSurface& Surface(int width, int height, int dpi);
  // Null until the surface has been made.
  SceneSurface* surface() const { return surface_.get(); }

  // Draws the whole placard from the fields; gives what the export crops by.
  SceneLayout Render(uint32_t signColour);
  // The scene's pixels as they stand.
  PixelCanvas Pixels() const;

  PlacardScene scene;  // FCenterX ... FMessage

 private:
  const ImageList& faces_;
  const ImageList& pieces_;
  std::unique_ptr<MaskedStrip> faceStrip_;
  std::unique_ptr<MaskedStrip> pieceStrip_;
  std::unique_ptr<SceneSurface> surface_;
};

}  // namespace plakato
