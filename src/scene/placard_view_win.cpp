#include "scene/placard_view_win.h"

#include "base/error.h"
#include "base/handles_win.h"
#include "scene/picture_fit.h"

namespace plakato {

namespace {

// The standard and the large picture are asked for again and again; other
// scales are drawn on a surface of their own each time.
bool IsKeptScale(int dpi) { return dpi == kStandardDpi || dpi == 2 * kStandardDpi; }

}  // namespace

PlacardCanvas::PlacardCanvas(int width, int height, int dpi)
    : at_(SceneScaleAt(dpi)), faces_(*at_.faces), pieces_(*at_.pieces),
      surface_(WindowDc(nullptr).get(), width, height) {
  surface_.AddImageList(*at_.faces, faces_);
  surface_.AddImageList(*at_.pieces, pieces_);
}

SurfaceSize PlacardCanvas::SizeHolding(const Placard& placard, const MotionReach& reach) {
  return SurfaceHolding(GrownBy(MeasurePlacard(placard, surface_, at_), reach), {surface_.width(), surface_.height()});
}

namespace {

// A surface at `scene`'s scale as large as the whole placard needs, or null
// where the placard fits `scene`.
std::unique_ptr<PlacardCanvas> LargerCanvasFor(PlacardCanvas& scene, const Placard& placard) {
  const SurfaceSize needed = scene.SizeHolding(placard);
  if (needed == SurfaceSize{scene.surface().width(), scene.surface().height()}) return nullptr;
  return std::make_unique<PlacardCanvas>(needed.width, needed.height, scene.dpi());
}

}  // namespace

SceneSurface& PlacardView::Surface(int width, int height, int dpi) {
  if (!screen_ || screen_->surface().width() != width || screen_->surface().height() != height ||
      screen_->dpi() != dpi) {
    screen_ = std::make_unique<PlacardCanvas>(width, height, dpi);
  }
  return screen_->surface();
}

SceneLayout PlacardView::Draw(const Placard& placard, const PlacardPose& pose, const MotionReach& reach) {
  if (!screen_) throw AppError(L"牌子没有可画的画面");
  const SurfaceSize needed = screen_->SizeHolding(placard, reach);
  SceneSurface& shown = screen_->surface();
  if (needed == SurfaceSize{shown.width(), shown.height()}) return screen_->Draw(placard, 0xFFFFFF, pose);
  // A motion draws the same large placard again and again: its surface is kept.
  if (!whole_ || whole_->dpi() != screen_->dpi() || whole_->surface().width() != needed.width ||
      whole_->surface().height() != needed.height) {
    whole_ = std::make_unique<PlacardCanvas>(needed.width, needed.height, screen_->dpi());
  }
  SceneLayout layout = whole_->Draw(placard, 0xFFFFFF, pose);
  shown.ShowPixels(FittedInto(whole_->surface().ReadPixels(), shown.width(), shown.height(), 0xFFFFFF));
  return layout;
}

PixelCanvas PlacardView::Pixels() const {
  if (!screen_) throw AppError(L"牌子没有可画的画面");
  return screen_->surface().ReadPixels();
}

RenderedScene PlacardView::Render(const Placard& placard, PictureSize size) {
  return RenderAt(placard, size == PictureSize::Large ? 2 * kStandardDpi : kStandardDpi);
}

PlacardCanvas& PlacardView::KeptCanvas(int dpi) {
  std::unique_ptr<PlacardCanvas>& canvas = pictures_[dpi];
  if (!canvas) {
    const DpiScale scale{dpi};
    canvas = std::make_unique<PlacardCanvas>(scale(kSceneWidth), scale(kSceneHeight), dpi);
  }
  return *canvas;
}

RenderedScene PlacardView::RenderAt(const Placard& placard, int dpi) {
  std::unique_ptr<PlacardCanvas> made;
  if (!IsKeptScale(dpi)) {
    const DpiScale scale{dpi};
    made = std::make_unique<PlacardCanvas>(scale(kSceneWidth), scale(kSceneHeight), dpi);
  }
  PlacardCanvas& scene = made ? *made : KeptCanvas(dpi);
  std::unique_ptr<PlacardCanvas> whole = LargerCanvasFor(scene, placard);
  PlacardCanvas& canvas = whole ? *whole : scene;
  SceneLayout layout = canvas.Draw(placard);
  return {canvas.surface().ReadPixels(), layout};
}

SceneLayout PlacardView::MeasureAt(const Placard& placard, int dpi) {
  // Text measures the same on any of the program's surfaces, and the art of
  // every scale is the 1x art's cells scaled.
  const DpiScale scale{dpi};
  return MeasurePlacard(placard, KeptCanvas(kStandardDpi).surface(), scale, scale(FaceImages().Height()));
}

PixelCanvas PlacardView::RenderCut(const Placard& placard, int dpi, uint32_t background, const PlacardPose& pose,
                                   const MotionReach& reach) {
  const SceneLayout layout = GrownBy(MeasureAt(placard, dpi), reach);
  // Most stickers are drawn at one scale and size (every sign of the least
  // width), and each twice: the surface is kept for the next.
  if (!cut_ || cut_->dpi() != dpi || cut_->surface().width() != layout.signWidth ||
      cut_->surface().height() != layout.sceneHeight) {
    cut_ = std::make_unique<PlacardCanvas>(layout.signWidth, layout.sceneHeight, dpi);
  }
  cut_->Draw(placard, background, pose);
  return cut_->surface().ReadPixels();
}

}  // namespace plakato
