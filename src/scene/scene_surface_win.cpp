#include "scene/scene_surface_win.h"

#include <commctrl.h>

#include <algorithm>
#include <cwchar>
#include <stdexcept>

#include "base/error.h"
#include "base/font_win.h"
#include "base/scale.h"

namespace plakato {

namespace {

// A 32-bit picture of rows top to bottom, as the DIB calls take it.
BITMAPINFO TopDownInfo(int width, int height) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  return info;
}

std::vector<uint32_t> BgrxPixels(const PixelCanvas& picture) {
  std::vector<uint32_t> bgrx(picture.pixels.size());
  std::transform(picture.pixels.begin(), picture.pixels.end(), bgrx.begin(), SwapRedBlue);
  return bgrx;
}

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

SignFont DefaultSceneFont() {
  std::wstring face = SubstituteForShellDlg2();
  if (face.empty()) face = L"MS Sans Serif";
  SignFont font;
  font.face = face.substr(0, LF_FACESIZE - 1);  // what a LOGFONT holds
  font.pointTenths = 80;
  font.charSet = DEFAULT_CHARSET;
  font.colour = ::GetSysColor(COLOR_WINDOWTEXT);
  return font;
}

LOGFONTW LogFontOf(const SignFont& font, int height) {
  LOGFONTW lf = MakeLogFont(font.face, font.charSet, height, font.weight);
  lf.lfItalic = font.italic ? TRUE : FALSE;
  lf.lfUnderline = font.underline ? TRUE : FALSE;
  lf.lfStrikeOut = font.strikeOut ? TRUE : FALSE;
  return lf;
}

SignFont SignFontOf(const LOGFONTW& font, COLORREF colour, int dpi) {
  SignFont sign;
  sign.face.assign(font.lfFaceName, wcsnlen(font.lfFaceName, LF_FACESIZE - 1));
  sign.pointTenths = PointTenthsOfHeight(font.lfHeight, dpi);
  sign.weight = font.lfWeight;
  sign.italic = font.lfItalic != 0;
  sign.underline = font.lfUnderline != 0;
  sign.strikeOut = font.lfStrikeOut != 0;
  sign.charSet = font.lfCharSet;
  sign.colour = colour;
  return sign;
}

namespace {

void SelectOrThrow(SelectionSlot& slot, HGDIOBJ object) {
  if (!slot.Select(object)) throw AppError(L"系统资源不足");
}

}  // namespace

SceneSurface::SceneSurface(HDC screenDc, int width, int height)
    : width_(width), height_(height), dc_(::CreateCompatibleDC(screenDc)),
      bitmap_(::CreateCompatibleBitmap(screenDc, width, height)), bitmapSlot_(dc_.get()), fontSlot_(dc_.get()),
      penSlot_(dc_.get()), brushSlot_(dc_.get()) {
  if (!dc_ || !bitmap_) throw AppError(L"系统资源不足");
  SelectOrThrow(bitmapSlot_, bitmap_.get());
  RECT all{0, 0, width, height};
  ::FillRect(dc_.get(), &all, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
  SignFont start = DefaultSceneFont();
  SetFont(start, start.HeightAtDpi(kStandardDpi));
  SetPen(0x000000, 1);
  SetBrushColour(0xFFFFFF);
}

SceneSurface::~SceneSurface() = default;

// The scene stays a bitmap in the display's own format, as the program has
// always drawn it (a DIB section would save about 0.1 ms here).
PixelCanvas SceneSurface::ReadPixels() const { return ReadDcPixels(dc_.get(), width_, height_); }

void SceneSurface::ShowPixels(const PixelCanvas& picture) {
  BITMAPINFO info = TopDownInfo(picture.width, picture.height);
  std::vector<uint32_t> bgrx = BgrxPixels(picture);
  if (::SetDIBitsToDevice(dc_.get(), 0, 0, picture.width, picture.height, 0, 0, 0, picture.height, bgrx.data(),
                          &info, DIB_RGB_COLORS) != picture.height) {
    throw AppError(L"无法显示标牌的画面");
  }
}

PixelCanvas ReadDcPixels(HDC source, int width, int height, int x, int y) {
  BITMAPINFO info = TopDownInfo(width, height);
  void* bits = nullptr;
  UniqueBitmap copy(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  UniqueDc copyDc(::CreateCompatibleDC(nullptr));
  if (!copy || !copyDc) throw AppError(L"内存不足，无法生成导出的图片");
  {
    SelectionSlot select(copyDc.get());
    if (!select.Select(copy.get()) ||
        !::BitBlt(copyDc.get(), 0, 0, width, height, source, x, y, SRCCOPY)) {
      throw AppError(L"无法从画面中取出牌子的图片");
    }
    ::GdiFlush();
  }
  PixelCanvas canvas(width, height);
  const auto* px = static_cast<const uint32_t*>(bits);
  std::transform(px, px + canvas.pixels.size(), canvas.pixels.begin(), SwapRedBlue);
  return canvas;
}

void WriteBitmapPixels(HDC dc, HBITMAP bitmap, const PixelCanvas& picture) {
  BITMAPINFO info = TopDownInfo(picture.width, picture.height);
  std::vector<uint32_t> bgrx = BgrxPixels(picture);
  if (::SetDIBits(dc, bitmap, 0, static_cast<UINT>(picture.height), bgrx.data(), &info, DIB_RGB_COLORS) !=
      picture.height) {
    throw AppError(L"无法把图片放进位图");
  }
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
    if (!brush) throw AppError(L"系统资源不足");
    // The new brush goes in before the old one is deleted: a selected object
    // cannot be deleted.
    SelectOrThrow(brushSlot_, brush.get());
    brush_ = std::move(brush);
    brushColour_ = colour;
  } else {
    SelectOrThrow(brushSlot_, brush_.get());
  }
  brushClear_ = false;
  // Text on a solid brush is drawn on that colour, as a canvas does.
  ::SetBkColor(dc_.get(), colour);
  ::SetBkMode(dc_.get(), OPAQUE);
}

void SceneSurface::SetBrushClear() {
  SelectOrThrow(brushSlot_, ::GetStockObject(NULL_BRUSH));
  brushClear_ = true;
  ::SetBkMode(dc_.get(), TRANSPARENT);
}

void SceneSurface::SetPen(uint32_t colour, int width) {
  if (pen_ && penColour_ == colour && penWidth_ == width) return;
  UniquePen pen(::CreatePen(PS_SOLID, width, colour));
  if (!pen) throw AppError(L"系统资源不足");
  SelectOrThrow(penSlot_, pen.get());
  pen_ = std::move(pen);
  penColour_ = colour;
  penWidth_ = width;
}

void SceneSurface::FillRect(const Rect& r) {
  if (brushClear_) return;  // a clear brush fills nothing
  RECT rc{r.left, r.top, r.right, r.bottom};
  ::FillRect(dc_.get(), &rc, brush_.get());
}

void SceneSurface::Rectangle(const Rect& r) { ::Rectangle(dc_.get(), r.left, r.top, r.right, r.bottom); }

void SceneSurface::WriteText(int x, int y, const std::wstring& text) {
  ::ExtTextOutW(dc_.get(), x, y, 0, nullptr, text.c_str(), static_cast<UINT>(text.size()), nullptr);
}

void SceneSurface::DrawImage(const ImageList& list, int index, int x, int y) {
  auto it = imageLists_.find(&list);
  if (it != imageLists_.end()) it->second->Draw(dc_.get(), index, x, y);
}

Rect SceneSurface::ClipBox() {
  RECT rc{};
  ::GetClipBox(dc_.get(), &rc);
  return {rc.left, rc.top, rc.right, rc.bottom};
}

void SceneSurface::SetFont(const SignFont& font, int height) {
  // Every drawing asks for the placard's font; only a new one costs a GDI font.
  if (gdiFont_ && font == signFont_ && height == font_.lfHeight) return;
  LOGFONTW described = LogFontOf(font, height);
  UniqueFont created(::CreateFontIndirectW(&described));
  if (!created) throw AppError(L"系统资源不足");
  SelectOrThrow(fontSlot_, created.get());
  gdiFont_ = std::move(created);
  signFont_ = font;
  font_ = described;
  ::SetTextColor(dc_.get(), font.colour);
}

}  // namespace plakato
