// The program's one rectangle: of the scene, of a crop, of a control's place.
#pragma once

namespace plakato {

// Covers columns left to right - 1 and rows top to bottom - 1.
struct Rect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;

  constexpr int width() const { return right - left; }
  constexpr int height() const { return bottom - top; }
  friend bool operator==(const Rect&, const Rect&) = default;
};

// The rectangle of the given size with its top-left corner at (left, top).
constexpr Rect RectOfSize(int left, int top, int width, int height) {
  return {left, top, left + width, top + height};
}

}  // namespace plakato
