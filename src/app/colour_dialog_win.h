// The colour dialog of the sign's fill: the system's own, opening on the
// current colour, with sixteen custom colours kept for the rest of the run.
#pragma once

#include <windows.h>

#include <array>

namespace plakato {

struct ColourChoice {
  COLORREF color = RGB(255, 255, 255);
  // Unset slots show white, as the system dialog shows an empty slot.
  std::array<COLORREF, 16> custom = MakeUnsetCustomColours();

  static constexpr std::array<COLORREF, 16> MakeUnsetCustomColours() {
    std::array<COLORREF, 16> slots{};
    for (COLORREF& c : slots) c = RGB(255, 255, 255);
    return slots;
  }
};

// Shows the dialog with `choice.color` selected. On OK it gives true and
// takes over the chosen colour and the custom colours; on Cancel `choice`
// stays as it was.
bool RunColourDialog(HWND owner, ColourChoice& choice);

}  // namespace plakato
