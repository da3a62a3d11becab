#include "scene/placard_view_win.h"

#include "base/error.h"
#include "base/handles_win.h"

namespace plakato {

SceneSurface& PlacardView::Surface(int width, int height, int dpi) {
  if (!surface_) {
    WindowDc screen(nullptr);
    auto surface = std::make_unique<SceneSurface>(screen.get(), width, height, dpi);
    faceStrip_ = std::make_unique<MaskedStrip>(FaceImages());
    pieceStrip_ = std::make_unique<MaskedStrip>(PieceImages());
    surface->AddImageList(FaceImages(), *faceStrip_);
    surface->AddImageList(PieceImages(), *pieceStrip_);
    surface_ = std::move(surface);
  }
  return *surface_;
}

SceneLayout PlacardView::Draw(const Placard& placard) {
  if (!surface_) throw AppError(L"The placard has no drawing surface");
  return DrawPlacard(placard, *surface_);
}

PixelCanvas PlacardView::Pixels() const {
  if (!surface_) throw AppError(L"The placard has no drawing surface");
  return surface_->ReadPixels();
}

}  // namespace plakato
