// The placard scene's drawing surface: a screen-compatible bitmap of the
// image control's size, selected into a memory DC that keeps its font, pen
// and brush from one drawing to the next.
#pragma once

#include <windows.h>

#include "app/win_handles.h"

namespace plakato {

// The scene font at start: 8 points at the display's dpi, DEFAULT_CHARSET,
// in the face the system substitutes for "MS Shell Dlg 2".
LOGFONTW DefaultSceneFont(int dpi);

class SceneSurface {
 public:
  SceneSurface(HDC screenDc, int width, int height, int dpi);
  SceneSurface(const SceneSurface&) = delete;
  SceneSurface& operator=(const SceneSurface&) = delete;
  ~SceneSurface();

  HDC dc() const { return dc_.get(); }
  HBITMAP bitmap() const { return bitmap_.get(); }
  int width() const { return width_; }
  int height() const { return height_; }

  const LOGFONTW& font() const { return font_; }
  COLORREF fontColor() const { return fontColor_; }
  // Replaces the scene font; the old GDI font is released once the new one is selected.
  void SetFont(const LOGFONTW& font, COLORREF color);

 private:
  int width_;
  int height_;
  UniqueDc dc_;
  UniqueBitmap bitmap_;
  HGDIOBJ originalBitmap_ = nullptr;
  HGDIOBJ originalFont_ = nullptr;
  UniqueFont gdiFont_;
  LOGFONTW font_{};
  COLORREF fontColor_ = 0;
};

}  // namespace plakato
