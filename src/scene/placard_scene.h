// The placard scene: a face holding a pole with a framed sign carrying the
// text. RenderScene clears the surface and draws it all again from the scene
// fields, leaving behind the sign width and scene height the export crops by.
#pragma once

#include <cstdint>
#include <string>

#include "scene/pixels.h"

namespace plakato {

struct SceneRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  friend bool operator==(const SceneRect&, const SceneRect&) = default;
};

struct TextSize {
  int width = 0;
  int height = 0;
};

// What the scene needs of a drawing surface, with the semantics of a GDI
// device context: the pen and brush it is given stay until changed.
class DrawingSurface {
 public:
  virtual ~DrawingSurface() = default;
  // Extent of the whole string in the surface's font.
  virtual TextSize TextExtent(const std::wstring& text) = 0;
  // A solid brush of this colour (also after a clear brush).
  virtual void SetBrushColour(uint32_t colour) = 0;
  // A clear brush: shapes are not filled and text has no background.
  virtual void SetBrushClear() = 0;
  virtual void SetPen(uint32_t colour, int width) = 0;
  // Fills the rectangle without its right column and bottom row.
  virtual void FillRect(const SceneRect& r) = 0;
  // Filled with the brush, outlined with the pen centred on the outline.
  virtual void Rectangle(const SceneRect& r) = 0;
  // Text with its top-left corner at (x, y), in the font and its colour.
  virtual void TextOut(int x, int y, const std::wstring& text) = 0;
  // Image `index` of `list` through its mask, cell's top-left at (x, y).
  virtual void DrawImage(const ImageList& list, int index, int x, int y) = 0;
  virtual SceneRect ClipBox() = 0;
};

// What a drawing leaves for the export: the sign's width and the height of
// the picture, measured up from the scene's bottom edge.
struct SceneLayout {
  int signWidth = 0;
  int sceneHeight = 0;
  friend bool operator==(const SceneLayout&, const SceneLayout&) = default;
};

// The scene fields of the main window and the drawing steps that use them.
struct PlacardScene {
  int FCenterX = 0;
  int FCenterY = 0;
  int FFigureWidth = 0;
  int FFigureHeight = 0;
  int FFigureIndex = 0;
  int FSignWidth = 0;
  int FSceneHeight = 0;
  std::wstring FMessage;

  // The fields at start, for a surface of the given size and the face list.
  void SetStartFields(int surfaceWidth, int surfaceHeight, const ImageList& faces);

  // Clears the surface and draws the whole placard; gives the layout it drew.
  SceneLayout RenderScene(DrawingSurface& surface, const ImageList& faces, const ImageList& pieces,
                          uint32_t signColour);
  void DrawSign(DrawingSurface& surface, const std::wstring& text, int x, int y, uint32_t penColour,
                uint32_t brushColour);
  void DrawFigure(DrawingSurface& surface, const ImageList& list, int index, int cx, int cy);
  void DrawPole(DrawingSurface& surface, const ImageList& list, int cx, int cy);
};

inline constexpr wchar_t kDefaultSignText[] = L"Quillion";

}  // namespace plakato
