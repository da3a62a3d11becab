#include "app/colour_dialog_win.h"

#include <commdlg.h>

namespace plakato {

bool RunColourDialog(HWND owner, ColourChoice& choice) {
  // The dialog edits a copy, so that a Cancel leaves the custom colours alone.
  std::array<COLORREF, 16> custom = choice.custom;
  CHOOSECOLORW cc{};
  cc.lStructSize = sizeof(cc);
  cc.hwndOwner = owner;
  cc.rgbResult = choice.color;
  cc.lpCustColors = custom.data();
  cc.Flags = CC_RGBINIT;
  if (!::ChooseColorW(&cc)) return false;
  choice.color = cc.rgbResult;
  choice.custom = custom;
  return true;
}

}  // namespace plakato
