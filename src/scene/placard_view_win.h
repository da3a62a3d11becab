// The placard as the window shows it, drawn for the display's dpi, and as
// the program sends it, drawn off screen at a scale of its own so that the
// picture is the same on every display.
#pragma once

#include <windows.h>

#include <memory>

#include "scene/image_list_win.h"
#include "scene/placard.h"
#include "scene/placard_scene.h"
#include "scene/scene_surface_win.h"

namespace plakato {

// A screen-compatible surface with the art of its scale ready to draw
// through its masks.
class PlacardCanvas {
 public:
  PlacardCanvas(int width, int height, int dpi);
  PlacardCanvas(const PlacardCanvas&) = delete;
  PlacardCanvas& operator=(const PlacardCanvas&) = delete;

  // Draws the whole placard; gives what the export crops by.
  SceneLayout Draw(const Placard& placard) { return DrawPlacard(placard, surface_, at_); }
  SceneSurface& surface() { return surface_; }
  const SceneSurface& surface() const { return surface_; }
  int dpi() const { return at_.scale.dpi; }

 private:
  SceneScale at_;
  MaskedStrip faces_;
  MaskedStrip pieces_;
  SceneSurface surface_;
};

// The pictures the program sends: the standard one, the scene at 96 dpi
// (371 x 120) as the program has always exported it, and the large one, the
// same scene at twice the scale from the 2x art.
enum class PictureSize { Standard, Large };

// A scene drawn off screen: its pixels and what the export crops them by.
struct RenderedScene {
  PixelCanvas pixels;
  SceneLayout layout;
};

class PlacardView {
 public:
  PlacardView() = default;
  PlacardView(const PlacardView&) = delete;
  PlacardView& operator=(const PlacardView&) = delete;

  // The on-screen surface, made at this size and dpi, or made again when
  // either changed (the window moved to another display).
  SceneSurface& Surface(int width, int height, int dpi);
  // Null until the surface has been made.
  SceneSurface* surface() const { return screen_ ? &screen_->surface() : nullptr; }

  // Draws the whole placard on screen; gives the layout in screen pixels.
  SceneLayout Draw(const Placard& placard);
  // The on-screen scene's pixels as they stand.
  PixelCanvas Pixels() const;

  // The placard drawn off screen at the picture's own scale, whatever the
  // display's; the surface is made on first use and kept.
  RenderedScene Render(const Placard& placard, PictureSize size);

 private:
  std::unique_ptr<PlacardCanvas> screen_;
  std::unique_ptr<PlacardCanvas> standard_;
  std::unique_ptr<PlacardCanvas> large_;
};

}  // namespace plakato
