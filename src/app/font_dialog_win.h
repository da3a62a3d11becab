// The font dialog of the sign text: the system's own, on the scene font, and
// the rules by which its answer becomes the next scene font.
#pragma once

#include <windows.h>

#include <optional>

namespace plakato {

// What the font dialog holds between uses: a font and the colour of its text.
struct FontChoice {
  LOGFONTW font{};
  COLORREF color = 0;
};

// The dialog's answer on OK, with what the user touched.
struct FontDialogAnswer {
  LOGFONTW font{};
  COLORREF color = 0;
  int pointTenths = 0;        // the size chosen, in tenths of a point (0: known only by the font's height)
  bool scriptChosen = false;  // the user picked an entry in the script list
  bool colourChosen = false;  // the user picked an entry in the colour list
};

// Shows the system font dialog (screen fonts, effects with strikeout,
// underline and colour list, sizes from 6 to 72 points) on `current`;
// nothing on Cancel.
std::optional<FontDialogAnswer> RunFontDialog(HWND owner, const FontChoice& current);

// The dialog's font after an OK: face, size as a pixel height, bold when the
// weight is above normal (otherwise normal), italic, underline, strikeout;
// the character set only when the user chose a script or a face of another
// name; the colour only when the user chose one from the list.
FontChoice ApplyFontDialogAnswer(const FontChoice& previous, const FontDialogAnswer& answer);

}  // namespace plakato
