// The placard as the window shows it, drawn for the display's dpi, and as
// the program sends it, drawn off screen at a scale of its own so that the
// picture is the same on every display.
#pragma once

#include <windows.h>

#include <map>
#include <memory>

#include "scene/image_list_win.h"
#include "scene/motion.h"
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
  SceneLayout Draw(const Placard& placard, uint32_t background = 0xFFFFFF, const PlacardPose& pose = {}) {
    return DrawPlacard(placard, surface_, at_, background, pose);
  }
  // The size of surface the whole placard needs at this canvas's scale, with
  // every part a motion of `reach` moves: the canvas's own size where it fits.
  SurfaceSize SizeHolding(const Placard& placard, const MotionReach& reach = {});
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
// same scene at twice the scale from the 2x art. A placard larger than the
// scene is drawn on a surface as large as it needs, so that every picture
// holds it whole.
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

  // Draws the whole placard on screen; gives the layout in screen pixels. A
  // placard larger than the surface is drawn whole at the display's scale
  // and shown reduced to fit; with a motion of `reach`, one that fits only
  // without it is drawn that way too, so that no moving part is cut off.
  // The parts stand as `pose` moves them.
  SceneLayout Draw(const Placard& placard, const PlacardPose& pose = {}, const MotionReach& reach = {});
  // The on-screen scene's pixels as they stand.
  PixelCanvas Pixels() const;

  // The placard drawn off screen at the picture's own scale, whatever the
  // display's; the surface is made on first use and kept.
  RenderedScene Render(const Placard& placard, PictureSize size);
  // The same at any scale: the scene at dpi / 96 times its size, with the
  // art for that scale.
  RenderedScene RenderAt(const Placard& placard, int dpi);
  // Only the part of the placard an export cuts out, drawn at dpi / 96 on
  // `background`: the sticker's two drawings, over white and over black.
  // With a motion, that part grown by the motion's reach (GrownBy), the
  // still picture in it resting on its bottom, centred, and the parts moved
  // by `pose`: one frame of the animation.
  PixelCanvas RenderCut(const Placard& placard, int dpi, uint32_t background, const PlacardPose& pose = {},
                        const MotionReach& reach = {});
  // The size of that part at dpi / 96, measured without drawing.
  SceneLayout MeasureAt(const Placard& placard, int dpi);

 private:
  // The scene-sized surface of a kept scale, made on first use.
  PlacardCanvas& KeptCanvas(int dpi);

  std::unique_ptr<PlacardCanvas> screen_;
  // The surface of the last placard too large for the screen's, shown reduced.
  std::unique_ptr<PlacardCanvas> whole_;
  // The scene-sized surfaces of the standard and the large picture, kept for the next one.
  std::map<int, std::unique_ptr<PlacardCanvas>> pictures_;
  // The surface of the last sticker's drawing.
  std::unique_ptr<PlacardCanvas> cut_;
};

}  // namespace plakato
