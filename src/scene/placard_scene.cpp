#include "scene/placard_scene.h"

namespace plakato {

namespace {

constexpr uint32_t kWhite = 0xFFFFFF;
constexpr uint32_t kBlack = 0x000000;
constexpr int kFramePen = 3;
constexpr int kMinimumSignWidth = 100;
// A text narrower than this is centred half a face further left, towards the pole.
constexpr int kCentredTextWidth = 50;

// The framed sign centred on (x, y); gives the width of the placard to export.
int DrawSign(DrawingSurface& surface, const std::wstring& text, int x, int y, uint32_t penColour,
             uint32_t brushColour) {
  surface.SetPen(penColour, kFramePen);
  surface.SetBrushColour(brushColour);
  TextSize size = surface.TextExtent(text);
  int hw = size.width / 2;
  int hh = size.height / 2;
  Rect sign{x - hw - 5, y - hh - 5, x + hw + 5, y + hh + 5};
  surface.Rectangle(sign);
  surface.SetBrushClear();
  surface.TextOut(sign.left + 5, sign.top + 5, text);
  int signWidth = sign.width() + 5;
  return signWidth < kMinimumSignWidth ? kMinimumSignWidth : signWidth;
}

void DrawFace(DrawingSurface& surface, const ImageList& list, int index, int cx, int cy) {
  surface.DrawImage(list, index, cx - list.Width() / 2, cy - list.Height() / 2);
}

// The pole and both hands around the face centred on (cx, cy); gives the
// height of the placard to export, up from the surface's bottom edge.
int DrawPole(DrawingSurface& surface, const PlacardGeometry& at, int surfaceBottom) {
  const ImageList& pieces = PieceImages();
  int cx = at.centreX;
  int cy = at.centreY;
  int w2 = at.faceWidth / 2;
  int h2 = at.faceHeight / 2;
  int t = surface.TextExtent(L"T").height;
  // The right hand's vertical offset uses half the face's width, too.
  surface.DrawImage(pieces, PieceIndex(Piece::RightHand), cx + w2 - 11, cy - w2 + 8);
  surface.DrawImage(pieces, PieceIndex(Piece::PoleWithLeftHand), cx - w2 - 5, cy - h2);
  surface.DrawImage(pieces, PieceIndex(Piece::PoleTop), cx - w2 - 4, cy - h2 - t - 15);  // over the shaft
  return surfaceBottom - (cy - h2 - t - 10) + 15;
}

}  // namespace

PlacardGeometry GeometryOf(const Rect& surface, const ImageList& faces) {
  return {surface.width() / 2, surface.height() - 10, faces.Width(), faces.Height()};
}

SceneLayout DrawPlacard(const Placard& placard, DrawingSurface& surface, const ImageList& faces) {
  surface.SetFont(placard.font());
  Rect bounds = surface.ClipBox();
  PlacardGeometry at = GeometryOf(bounds, faces);
  surface.SetBrushColour(kWhite);
  surface.FillRect(bounds);
  const std::wstring& text = placard.text();
  int signX = surface.TextExtent(text).width >= kCentredTextWidth ? at.centreX : at.centreX - at.faceWidth / 2;
  int signY = at.centreY - surface.TextExtent(L"T").height / 2 - 19;
  SceneLayout layout;
  layout.signWidth = DrawSign(surface, text, signX, signY, kBlack, placard.signColour());
  DrawFace(surface, faces, placard.face(), at.centreX, at.centreY);
  layout.sceneHeight = DrawPole(surface, at, bounds.bottom);
  return layout;
}

}  // namespace plakato
