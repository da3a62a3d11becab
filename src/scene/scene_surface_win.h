// The placard scene's drawing surface: a screen-compatible bitmap of the
// image control's size, selected into a memory DC that keeps its font, pen
// and brush from one drawing to the next.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <map>

#include "base/handles_win.h"
#include "scene/placard.h"
#include "scene/image_list_win.h"
#include "scene/placard_scene.h"

namespace plakato {

// The scene font at start: 8 points at 96 dpi (the scene scales it with the
// display), DEFAULT_CHARSET, in the face the system substitutes for
// "MS Shell Dlg 2", in the system's window-text colour.
SignFont DefaultSceneFont();

// A sign font as GDI describes it, asked for at `height` pixels; and back,
// from a font asked for on a display of `dpi`. The colour is not GDI's part.
LOGFONTW LogFontOf(const SignFont& font, int height);
SignFont SignFontOf(const LOGFONTW& font, COLORREF colour, int dpi);

// What `source` shows in the width x height pixels from (x, y), its top-left
// corner unless given, as 0x00BBGGRR pixels; throws when the system cannot
// copy them, rather than give white.
PixelCanvas ReadDcPixels(HDC source, int width, int height, int x = 0, int y = 0);

// Puts `picture` into `bitmap` (compatible with `dc`); throws when the
// system refuses, rather than leave the bitmap as it was.
void WriteBitmapPixels(HDC dc, HBITMAP bitmap, const PixelCanvas& picture);

// Pen and brush behave as a canvas keeps them: they last from one drawing to
// the next until changed, starting as a 1-pixel black pen and a white brush.
class SceneSurface : public DrawingSurface {
 public:
  SceneSurface(HDC screenDc, int width, int height);
  SceneSurface(const SceneSurface&) = delete;
  SceneSurface& operator=(const SceneSurface&) = delete;
  ~SceneSurface() override;

  // Tells the surface what draws the images of `list`.
  void AddImageList(const ImageList& list, const MaskedStrip& strip) { imageLists_[&list] = &strip; }

  // A font other than the one in use is made and selected; the old GDI font
  // is released once the new one is in.
  void SetFont(const SignFont& font, int height) override;
  TextSize TextExtent(const std::wstring& text) override;
  void SetBrushColour(uint32_t colour) override;
  void SetBrushClear() override;
  void SetPen(uint32_t colour, int width) override;
  void FillRect(const Rect& r) override;
  void Rectangle(const Rect& r) override;
  void WriteText(int x, int y, const std::wstring& text) override;
  void DrawImage(const ImageList& list, int index, int x, int y) override;
  Rect ClipBox() override;

  HDC dc() const { return dc_.get(); }
  // The whole scene as it stands, read once; throws when the system cannot copy it.
  PixelCanvas ReadPixels() const;
  // Puts `picture` on the surface at its top-left corner, pixel for pixel.
  void ShowPixels(const PixelCanvas& picture);
  HBITMAP bitmap() const { return bitmap_.get(); }
  int width() const { return width_; }
  int height() const { return height_; }

  // The font in use, as GDI was given it, and its colour.
  const LOGFONTW& font() const { return font_; }
  COLORREF fontColor() const { return signFont_.colour; }

 private:
  int width_;
  int height_;
  UniqueDc dc_;
  UniqueBitmap bitmap_;
  UniqueFont gdiFont_;
  UniquePen pen_;
  uint32_t penColour_ = 0;
  int penWidth_ = 0;
  UniqueBrush brush_;  // the last solid brush, kept while the brush is clear
  uint32_t brushColour_ = 0;
  bool brushClear_ = false;
  // After the objects they select, so each leaves the DC before it is deleted.
  SelectionSlot bitmapSlot_;
  SelectionSlot fontSlot_;
  SelectionSlot penSlot_;
  SelectionSlot brushSlot_;
  std::map<const ImageList*, const MaskedStrip*> imageLists_;
  SignFont signFont_;
  LOGFONTW font_{};
};

}  // namespace plakato
