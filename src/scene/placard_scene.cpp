#include "scene/placard_scene.h"

namespace plakato {

namespace {

constexpr uint32_t kBlack = 0x000000;
// Lengths at 96 dpi, scaled with the scene.
constexpr int kFramePen = 3;
constexpr int kSignMargin = 5;
constexpr int kMinimumSignWidth = 100;
// A text narrower than this is centred half a face further left, towards the pole.
constexpr int kCentredTextWidth = 50;
// The face's centre stands this far above the surface's bottom edge.
constexpr int kFaceLift = 10;

// The width of the placard to export around a sign of this text width.
int ExportWidth(const DpiScale& scale, int textWidth) {
  int margin = scale(kSignMargin);
  int signWidth = 2 * (textWidth / 2) + 2 * margin + margin;
  int minimum = scale(kMinimumSignWidth);
  return signWidth < minimum ? minimum : signWidth;
}

// The height of the placard to export, up from the surface's bottom edge,
// for a face whose centre stands `faceLift` above it.
int ExportHeight(const DpiScale& s, int faceLift, int faceHeight, int textHeight) {
  return faceLift + faceHeight / 2 + textHeight + s(10) + s(15);
}

// The framed sign centred on (x, y); gives the width of the placard to export.
int DrawSign(DrawingSurface& surface, const DpiScale& scale, const std::wstring& text, int x, int y,
             uint32_t penColour, uint32_t brushColour) {
  surface.SetPen(penColour, scale(kFramePen));
  surface.SetBrushColour(brushColour);
  TextSize size = surface.TextExtent(text);
  int hw = size.width / 2;
  int hh = size.height / 2;
  int margin = scale(kSignMargin);
  Rect sign{x - hw - margin, y - hh - margin, x + hw + margin, y + hh + margin};
  surface.Rectangle(sign);
  surface.SetBrushClear();
  surface.WriteText(sign.left + margin, sign.top + margin, text);
  return ExportWidth(scale, size.width);
}

void DrawFace(DrawingSurface& surface, const ImageList& list, int index, int cx, int cy) {
  surface.DrawImage(list, index, cx - list.Width() / 2, cy - list.Height() / 2);
}

// The pole and both hands around the face centred on (cx, cy), moved by
// (dx, dy); gives the height of the placard to export, up from the surface's
// bottom edge.
int DrawPole(DrawingSurface& surface, const SceneScale& at, const PlacardGeometry& face, int surfaceBottom, int dx,
             int dy) {
  const ImageList& pieces = *at.pieces;
  const DpiScale& s = at.scale;
  int cx = face.centreX + dx;
  int cy = face.centreY + dy;
  int w2 = face.faceWidth / 2;
  int h2 = face.faceHeight / 2;
  int t = surface.TextExtent(L"T").height;
  // The right hand's vertical offset uses half the face's width, too.
  surface.DrawImage(pieces, PieceIndex(Piece::RightHand), cx + w2 - s(11), cy - w2 + s(8));
  surface.DrawImage(pieces, PieceIndex(Piece::PoleWithLeftHand), cx - w2 - s(5), cy - h2);
  surface.DrawImage(pieces, PieceIndex(Piece::PoleTop), cx - w2 - s(4), cy - h2 - t - s(15));  // over the shaft
  return ExportHeight(s, surfaceBottom - face.centreY, face.faceHeight, t);
}

}  // namespace

SceneScale SceneScaleAt(int dpi) { return {DpiScale{dpi}, &FaceImagesAt(dpi), &PieceImagesAt(dpi)}; }

PlacardGeometry GeometryOf(const Rect& surface, const SceneScale& at) {
  return {surface.width() / 2, surface.height() - at.scale(kFaceLift), at.faces->Width(), at.faces->Height()};
}

namespace {

void SetScaledFont(const Placard& placard, DrawingSurface& surface, const DpiScale& s) {
  // The standard picture's font height, scaled with every other length:
  // the scene at any scale is the standard picture enlarged.
  surface.SetFont(placard.font(), s(placard.font().HeightAtDpi(kStandardDpi)));
}

}  // namespace

SceneLayout MeasurePlacard(const Placard& placard, DrawingSurface& surface, const SceneScale& at) {
  return MeasurePlacard(placard, surface, at.scale, at.faces->Height());
}

SceneLayout MeasurePlacard(const Placard& placard, DrawingSurface& surface, const DpiScale& s, int faceHeight) {
  SetScaledFont(placard, surface, s);
  return {ExportWidth(s, surface.TextExtent(placard.text()).width),
          ExportHeight(s, s(kFaceLift), faceHeight, surface.TextExtent(L"T").height)};
}

SurfaceSize SurfaceHolding(const SceneLayout& layout, SurfaceSize scene) {
  SurfaceSize size = scene;
  if (layout.signWidth > size.width) size.width += (layout.signWidth - size.width + 1) / 2 * 2;
  if (layout.sceneHeight > size.height) size.height = layout.sceneHeight;
  return size;
}

SceneLayout DrawPlacard(const Placard& placard, DrawingSurface& surface, const SceneScale& at, uint32_t background,
                        const PlacardPose& pose) {
  const DpiScale& s = at.scale;
  SetScaledFont(placard, surface, s);
  Rect bounds = surface.ClipBox();
  PlacardGeometry face = GeometryOf(bounds, at);
  surface.SetBrushColour(background);
  surface.FillRect(bounds);
  const std::wstring& text = placard.text();
  int signX = surface.TextExtent(text).width >= s(kCentredTextWidth) ? face.centreX : face.centreX - face.faceWidth / 2;
  int signY = face.centreY - surface.TextExtent(L"T").height / 2 - s(19);
  const int heldX = pose.figureX + pose.heldX;
  const int heldY = pose.figureY + pose.heldY;
  SceneLayout layout;
  layout.signWidth = DrawSign(surface, s, text, signX + heldX, signY + heldY, kBlack, placard.signColour());
  DrawFace(surface, *at.faces, placard.face(), face.centreX + pose.figureX, face.centreY + pose.figureY);
  layout.sceneHeight = DrawPole(surface, at, face, bounds.bottom, heldX, heldY);
  return layout;
}

}  // namespace plakato
