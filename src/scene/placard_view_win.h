// The placard as the window shows it: the screen-compatible surface it is
// drawn on, with the compiled-in artwork ready to draw through its masks.
#pragma once

#include <windows.h>

#include <memory>

#include "scene/image_list_win.h"
#include "scene/placard.h"
#include "scene/placard_scene.h"
#include "scene/scene_surface_win.h"

namespace plakato {

class PlacardView {
 public:
  PlacardView() = default;
  PlacardView(const PlacardView&) = delete;
  PlacardView& operator=(const PlacardView&) = delete;

  // The drawing surface, made the first time at the given size; the face and
  // piece lists are drawn through their masks from then on.
  SceneSurface& Surface(int width, int height, int dpi);
  // Null until the surface has been made.
  SceneSurface* surface() const { return surface_.get(); }

  // Draws the whole placard; gives what the export crops by.
  SceneLayout Draw(const Placard& placard);
  // The scene's pixels as they stand.
  PixelCanvas Pixels() const;

 private:
  std::unique_ptr<MaskedStrip> faceStrip_;
  std::unique_ptr<MaskedStrip> pieceStrip_;
  std::unique_ptr<SceneSurface> surface_;
};

}  // namespace plakato
