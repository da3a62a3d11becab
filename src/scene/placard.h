// The placard the user is making, as one value: everything its picture
// depends on. The window holds one; every change makes the next one.
#pragma once

#include <algorithm>
#include <cstdint>
#include <string>
#include <utility>

#include "base/scale.h"

namespace plakato {

inline constexpr wchar_t kDefaultSignText[] = L"Quillion";

// The sign font's sizes, in tenths of a point as the font dialog gives them:
// the range a picture can hold.
inline constexpr int kSmallestSignPointTenths = 60;
inline constexpr int kLargestSignPointTenths = 720;

// The requested height (negative: the character height in pixels) of a font
// of `pointTenths` tenths of a point on a display of `dpi`.
constexpr int FontHeightAtDpi(int pointTenths, int dpi) { return -MulDivRound(pointTenths, dpi, 720); }

// The size in tenths of a point, to the nearest whole point, of a font
// requested at `height` pixels on a display of `dpi`: the inverse of
// FontHeightAtDpi for whole points at 72 dpi and above.
constexpr int PointTenthsOfHeight(int height, int dpi) {
  return 10 * MulDivRound(height < 0 ? -height : height, 72, dpi);
}

// The sign text's font, apart from the window system: face, size in tenths
// of a point (the user's choice, kept as chosen whatever the display's dpi),
// weight (400 normal, 700 bold), styles, character set, and the text's
// colour (0x00BBGGRR).
struct SignFont {
  std::wstring face;  // empty: the system's default face
  int pointTenths = 80;
  int weight = 400;
  bool italic = false;
  bool underline = false;
  bool strikeOut = false;
  int charSet = 1;  // DEFAULT_CHARSET
  uint32_t colour = 0;
  // The height the font is asked for on a display of `dpi`; at 96 dpi that
  // of the standard picture.
  constexpr int HeightAtDpi(int dpi) const { return FontHeightAtDpi(pointTenths, dpi); }
  friend bool operator==(const SignFont&, const SignFont&) = default;
};

class Placard {
 public:
  // The default sign text on face 0 with a white sign; the font is the
  // system's until one is given.
  Placard() = default;

  const std::wstring& text() const { return text_; }
  int face() const { return face_; }
  const SignFont& font() const { return font_; }
  uint32_t signColour() const { return signColour_; }

  Placard WithText(std::wstring text) const { return With(&Placard::text_, std::move(text)); }
  Placard WithFace(int face) const { return With(&Placard::face_, face); }
  // The font's size is held to what a picture can hold, however it was set.
  Placard WithFont(SignFont font) const {
    font.pointTenths = std::clamp(font.pointTenths, kSmallestSignPointTenths, kLargestSignPointTenths);
    return With(&Placard::font_, std::move(font));
  }
  Placard WithSignColour(uint32_t colour) const { return With(&Placard::signColour_, colour); }

  friend bool operator==(const Placard&, const Placard&) = default;

 private:
  template <typename Field, typename Value>
  Placard With(Field Placard::*field, Value&& value) const {
    Placard next = *this;
    next.*field = std::forward<Value>(value);
    return next;
  }

  std::wstring text_ = kDefaultSignText;
  int face_ = 0;
  SignFont font_;
  uint32_t signColour_ = 0xFFFFFF;
};

}  // namespace plakato
