#include "scene/placard_scene.h"

namespace plakato {

namespace {

constexpr uint32_t kWhite = 0xFFFFFF;
constexpr uint32_t kBlack = 0x000000;
constexpr int kFramePen = 3;
constexpr int kMinimumSignWidth = 100;
// A text narrower than this is centred half a face further left, towards the pole.
constexpr int kCentredTextWidth = 50;

}  // namespace

void PlacardScene::SetStartFields(int surfaceWidth, int surfaceHeight, const ImageList& faces) {
  FCenterX = surfaceWidth / 2;
  FCenterY = surfaceHeight - 10;
  FFigureWidth = faces.Width();
  FFigureHeight = faces.Height();
  FMessage = kDefaultSignText;
  FFigureIndex = 0;
}

SceneLayout PlacardScene::RenderScene(DrawingSurface& surface, const ImageList& faces, const ImageList& pieces,
                                      uint32_t signColour) {
  surface.SetBrushColour(kWhite);
  surface.FillRect(surface.ClipBox());
  int signX = surface.TextExtent(FMessage).width >= kCentredTextWidth ? FCenterX : FCenterX - FFigureWidth / 2;
  int signY = FCenterY - surface.TextExtent(L"T").height / 2 - 19;
  DrawSign(surface, FMessage, signX, signY, kBlack, signColour);
  DrawFigure(surface, faces, FFigureIndex, FCenterX, FCenterY);
  DrawPole(surface, pieces, FCenterX, FCenterY);
  return {FSignWidth, FSceneHeight};
}

void PlacardScene::DrawSign(DrawingSurface& surface, const std::wstring& text, int x, int y, uint32_t penColour,
                            uint32_t brushColour) {
  surface.SetPen(penColour, kFramePen);
  surface.SetBrushColour(brushColour);
  TextSize size = surface.TextExtent(text);
  int hw = size.width / 2;
  int hh = size.height / 2;
  SceneRect sign{x - hw - 5, y - hh - 5, x + hw + 5, y + hh + 5};
  surface.Rectangle(sign);
  surface.SetBrushClear();
  surface.TextOut(sign.left + 5, sign.top + 5, text);
  FSignWidth = (sign.right - sign.left) + 5;
  if (FSignWidth < kMinimumSignWidth) FSignWidth = kMinimumSignWidth;
}

void PlacardScene::DrawFigure(DrawingSurface& surface, const ImageList& list, int index, int cx, int cy) {
  surface.DrawImage(list, index, cx - list.Width() / 2, cy - list.Height() / 2);
}

void PlacardScene::DrawPole(DrawingSurface& surface, const ImageList& list, int cx, int cy) {
  int w2 = FFigureWidth / 2;
  int h2 = FFigureHeight / 2;
  int t = surface.TextExtent(L"T").height;
  surface.DrawImage(list, 1, cx + w2 - 11, cy - w2 + 8);  // right hand; its offset uses the width, too
  surface.DrawImage(list, 0, cx - w2 - 5, cy - h2);       // pole with the left hand
  surface.DrawImage(list, 2, cx - w2 - 4, cy - h2 - t - 15);  // pole top, over the shaft
  FSceneHeight = surface.ClipBox().bottom - (cy - h2 - t - 10) + 15;
}

}  // namespace plakato
