#include "scene/placard_view_win.h"

#include "base/error.h"
#include "base/handles_win.h"

namespace plakato {

PlacardCanvas::PlacardCanvas(int width, int height, int dpi)
    : at_(SceneScaleAt(dpi)), faces_(*at_.faces), pieces_(*at_.pieces),
      surface_(WindowDc(nullptr).get(), width, height) {
  surface_.AddImageList(*at_.faces, faces_);
  surface_.AddImageList(*at_.pieces, pieces_);
}

SceneSurface& PlacardView::Surface(int width, int height, int dpi) {
  if (!screen_ || screen_->surface().width() != width || screen_->surface().height() != height ||
      screen_->dpi() != dpi) {
    screen_ = std::make_unique<PlacardCanvas>(width, height, dpi);
  }
  return screen_->surface();
}

SceneLayout PlacardView::Draw(const Placard& placard) {
  if (!screen_) throw AppError(L"牌子没有可画的画面");
  return screen_->Draw(placard);
}

PixelCanvas PlacardView::Pixels() const {
  if (!screen_) throw AppError(L"牌子没有可画的画面");
  return screen_->surface().ReadPixels();
}

RenderedScene PlacardView::Render(const Placard& placard, PictureSize size) {
  const int factor = size == PictureSize::Large ? 2 : 1;
  std::unique_ptr<PlacardCanvas>& canvas = size == PictureSize::Large ? large_ : standard_;
  if (!canvas) canvas = std::make_unique<PlacardCanvas>(kSceneWidth * factor, kSceneHeight * factor,
                                                         kStandardDpi * factor);
  SceneLayout layout = canvas->Draw(placard);
  return {canvas->surface().ReadPixels(), layout};
}

}  // namespace plakato
