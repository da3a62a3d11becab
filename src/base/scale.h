// Lengths designed for a 96-dpi display, scaled to another display's dpi.
#pragma once

namespace plakato {

inline constexpr int kStandardDpi = 96;

// value * numerator / denominator, rounded half away from zero, as the
// Windows MulDiv does (-1 for a zero denominator).
constexpr int MulDivRound(int value, int numerator, int denominator) {
  if (denominator == 0) return -1;
  long long product = static_cast<long long>(value) * numerator;
  long long d = denominator < 0 ? -static_cast<long long>(denominator) : denominator;
  bool negative = (product < 0) != (denominator < 0);
  long long magnitude = ((product < 0 ? -product : product) + d / 2) / d;
  return static_cast<int>(negative ? -magnitude : magnitude);
}

// The scale of a display of `dpi` dots per inch: dpi / 96.
struct DpiScale {
  int dpi = kStandardDpi;
  constexpr int operator()(int length) const { return MulDivRound(length, dpi, kStandardDpi); }
  // A length on this display back at 96 dpi.
  constexpr int Unscale(int length) const { return MulDivRound(length, kStandardDpi, dpi); }
  friend bool operator==(const DpiScale&, const DpiScale&) = default;
};

}  // namespace plakato
