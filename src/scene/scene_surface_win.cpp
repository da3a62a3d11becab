#include "scene/scene_surface_win.h"

#include <cwchar>
#include <stdexcept>

#include "app/app_text.h"

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

SceneSurface::SceneSurface(HDC screenDc, int width, int height, int dpi)
    : width_(width), height_(height), dc_(::CreateCompatibleDC(screenDc)),
      bitmap_(::CreateCompatibleBitmap(screenDc, width, height)) {
  if (!dc_ || !bitmap_) throw AppError(L"Out of system resources");
  originalBitmap_ = ::SelectObject(dc_.get(), bitmap_.get());
  RECT all{0, 0, width, height};
  ::FillRect(dc_.get(), &all, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
  SetFont(DefaultSceneFont(dpi), ::GetSysColor(COLOR_WINDOWTEXT));
}

SceneSurface::~SceneSurface() {
  if (originalFont_) ::SelectObject(dc_.get(), originalFont_);
  if (originalBitmap_) ::SelectObject(dc_.get(), originalBitmap_);
}

void SceneSurface::SetFont(const LOGFONTW& font, COLORREF color) {
  UniqueFont created(::CreateFontIndirectW(&font));
  if (!created) throw AppError(L"Out of system resources");
  HGDIOBJ previous = ::SelectObject(dc_.get(), created.get());
  if (!originalFont_) originalFont_ = previous;
  gdiFont_ = std::move(created);
  font_ = font;
  fontColor_ = color;
  ::SetTextColor(dc_.get(), color);
}

}  // namespace plakato
