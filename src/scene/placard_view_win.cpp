#include "scene/placard_view_win.h"

#include "base/error.h"
#include "base/handles_win.h"

namespace plakato {

SceneSurface& PlacardView::Surface(int width, int height, int dpi) {
  if (!surface_) {
    WindowDc screen(nullptr);
    auto surface = std::make_unique<SceneSurface>(screen.get(), width, height, dpi);
    faceStrip_ = std::make_unique<MaskedStrip>(faces_);
    pieceStrip_ = std::make_unique<MaskedStrip>(pieces_);
    surface->AddImageList(faces_, *faceStrip_);
    surface->AddImageList(pieces_, *pieceStrip_);
    surface_ = std::move(surface);
  }
  return *surface_;
}

SceneLayout PlacardView::Render(uint32_t signColour) {
  if (!surface_) throw AppError(L"The placard has no drawing surface");
  return scene.RenderScene(*surface_, faces_, pieces_, signColour);
}

PixelCanvas PlacardView::Pixels() const {
  if (!surface_) throw AppError(L"The placard has no drawing surface");
  return surface_->ReadPixels();
}

}  // namespace plakato
