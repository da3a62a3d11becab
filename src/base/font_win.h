// The one way the program describes a GDI font to create.
#pragma once

#include <windows.h>

#include <algorithm>
#include <string_view>

namespace plakato {

// A font of `face` (cut to what a LOGFONT holds) in `charSet`, asked for at
// `requestHeight` (negative: the character height in pixels), of `weight`,
// upright, with default precision, quality and pitch.
inline LOGFONTW MakeLogFont(std::wstring_view face, int charSet, int requestHeight, int weight) {
  LOGFONTW lf{};
  lf.lfHeight = requestHeight;
  lf.lfWeight = weight;
  lf.lfCharSet = static_cast<BYTE>(charSet);
  lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
  lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
  lf.lfQuality = DEFAULT_QUALITY;
  lf.lfPitchAndFamily = DEFAULT_PITCH;
  face.copy(lf.lfFaceName, std::min<size_t>(face.size(), LF_FACESIZE - 1));
  return lf;
}

}  // namespace plakato
