// The placard the user is making, as one value: everything its picture
// depends on. The window holds one; every change makes the next one.
#pragma once

#include <cstdint>
#include <string>
#include <utility>

namespace plakato {

inline constexpr wchar_t kDefaultSignText[] = L"Quillion";

// The sign text's font, apart from the window system: face, requested height
// (negative: the character height in pixels), weight (400 normal, 700
// bold), styles, character set, and the text's colour (0x00BBGGRR).
struct SignFont {
  std::wstring face;
  int height = 0;
  int weight = 400;
  bool italic = false;
  bool underline = false;
  bool strikeOut = false;
  int charSet = 1;  // DEFAULT_CHARSET
  uint32_t colour = 0;
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
  Placard WithFont(SignFont font) const { return With(&Placard::font_, std::move(font)); }
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
