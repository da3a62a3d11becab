#include "scene/scene_surface_win.h"

#include <commctrl.h>

#include <cwchar>
#include <stdexcept>

#include "base/error.h"

namespace plakato {

namespace {

// The face the system's font-substitution table names for "MS Shell Dlg 2",
// or empty when it has none.
std::wstring SubstituteForShellDlg2() {
  HKEY raw = nullptr;
  if (::RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\FontSubstitutes", 0,
                      KEY_READ, &raw) != ERROR_SUCCESS) {
    return {};
  }
  UniqueKey key(raw);
  wchar_t value[256] = {};
  DWORD type = 0;
  DWORD size = sizeof(value) - sizeof(wchar_t);
  if (::RegQueryValueExW(key.get(), L"MS Shell Dlg 2", nullptr, &type, reinterpret_cast<BYTE*>(value), &size) !=
          ERROR_SUCCESS ||
      (type != REG_SZ && type != REG_EXPAND_SZ)) {
    return {};
  }
  return value;
}

}  // namespace

LOGFONTW DefaultSceneFont(int dpi) {
  LOGFONTW font{};
  font.lfHeight = -::MulDiv(8, dpi, 72);
  font.lfWeight = FW_NORMAL;
  font.lfCharSet = DEFAULT_CHARSET;
  font.lfOutPrecision = OUT_DEFAULT_PRECIS;
  font.lfClipPrecision = CLIP_DEFAULT_PRECIS;
  font.lfQuality = DEFAULT_QUALITY;
  font.lfPitchAndFamily = DEFAULT_PITCH;
  std::wstring face = SubstituteForShellDlg2();
  if (face.empty()) face = L"MS Sans Serif";
  wcsncpy(font.lfFaceName, face.c_str(), LF_FACESIZE - 1);
  return font;
}

// Selects an object into the surface's DC, remembering what the DC held
// first so that the destructor can put it back.
void SceneSurface::Select(HGDIOBJ object, HGDIOBJ& original) {
  HGDIOBJ previous = ::SelectObject(dc_.get(), object);
  if (!original) original = previous;
}

SceneSurface::SceneSurface(HDC screenDc, int width, int height, int dpi)
    : width_(width), height_(height), dc_(::CreateCompatibleDC(screenDc)),
      bitmap_(::CreateCompatibleBitmap(screenDc, width, height)) {
  if (!dc_ || !bitmap_) throw AppError(L"Out of system resources");
  originalBitmap_ = ::SelectObject(dc_.get(), bitmap_.get());
  RECT all{0, 0, width, height};
  ::FillRect(dc_.get(), &all, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
  SetFont(DefaultSceneFont(dpi), ::GetSysColor(COLOR_WINDOWTEXT));
  SetPen(0x000000, 1);
  SetBrushColour(0xFFFFFF);
}

SceneSurface::~SceneSurface() {
  if (originalFont_) ::SelectObject(dc_.get(), originalFont_);
  if (originalPen_) ::SelectObject(dc_.get(), originalPen_);
  if (originalBrush_) ::SelectObject(dc_.get(), originalBrush_);
  if (originalBitmap_) ::SelectObject(dc_.get(), originalBitmap_);
}

TextSize SceneSurface::TextExtent(const std::wstring& text) {
  SIZE size{};
  ::GetTextExtentPoint32W(dc_.get(), text.c_str(), static_cast<int>(text.size()), &size);
  return {size.cx, size.cy};
}

void SceneSurface::SetBrushColour(uint32_t colour) {
  // Every drawing asks for the same few brushes; the last one is kept.
  if (!brush_ || brushColour_ != colour) {
    UniqueBrush brush(::CreateSolidBrush(colour));
    if (!brush) throw AppError(L"Out of system resources");
    brush_ = std::move(brush);
    brushColour_ = colour;
  }
  Select(brush_.get(), originalBrush_);
  brushClear_ = false;
  // Text on a solid brush is drawn on that colour, as a canvas does.
  ::SetBkColor(dc_.get(), colour);
  ::SetBkMode(dc_.get(), OPAQUE);
}

void SceneSurface::SetBrushClear() {
  Select(::GetStockObject(NULL_BRUSH), originalBrush_);
  brushClear_ = true;
  ::SetBkMode(dc_.get(), TRANSPARENT);
}

void SceneSurface::SetPen(uint32_t colour, int width) {
  if (pen_ && penColour_ == colour && penWidth_ == width) return;
  UniquePen pen(::CreatePen(PS_SOLID, width, colour));
  if (!pen) throw AppError(L"Out of system resources");
  Select(pen.get(), originalPen_);
  pen_ = std::move(pen);
  penColour_ = colour;
  penWidth_ = width;
}

void SceneSurface::FillRect(const SceneRect& r) {
  if (brushClear_) return;  // a clear brush fills nothing
  RECT rc{r.left, r.top, r.right, r.bottom};
  ::FillRect(dc_.get(), &rc, brush_.get());
}

void SceneSurface::Rectangle(const SceneRect& r) { ::Rectangle(dc_.get(), r.left, r.top, r.right, r.bottom); }

void SceneSurface::TextOut(int x, int y, const std::wstring& text) {
  ::ExtTextOutW(dc_.get(), x, y, 0, nullptr, text.c_str(), static_cast<UINT>(text.size()), nullptr);
}

void SceneSurface::DrawImage(const ImageList& list, int index, int x, int y) {
  auto it = imageLists_.find(&list);
  if (it != imageLists_.end()) it->second->Draw(dc_.get(), index, x, y);
}

SceneRect SceneSurface::ClipBox() {
  RECT rc{};
  ::GetClipBox(dc_.get(), &rc);
  return {rc.left, rc.top, rc.right, rc.bottom};
}

void SceneSurface::SetFont(const LOGFONTW& font, COLORREF color) {
  UniqueFont created(::CreateFontIndirectW(&font));
  if (!created) throw AppError(L"Out of system resources");
  Select(created.get(), originalFont_);
  gdiFont_ = std::move(created);
  font_ = font;
  fontColor_ = color;
  ::SetTextColor(dc_.get(), color);
}

}  // namespace plakato
