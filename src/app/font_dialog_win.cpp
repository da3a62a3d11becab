#include "app/font_dialog_win.h"

#include <commdlg.h>
#include <dlgs.h>

#include <cwchar>

namespace plakato {

namespace {

struct HookState {
  bool scriptChosen = false;
  bool colourChosen = false;
};

// Watches the script and colour lists: the dialog reports their values
// whether or not the user touched them.
UINT_PTR CALLBACK FontDialogHook(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    auto* cf = reinterpret_cast<CHOOSEFONTW*>(lParam);
    ::SetPropW(dialog, L"PlakatoFontHook", reinterpret_cast<HANDLE>(cf->lCustData));
    return 0;
  }
  if (message == WM_COMMAND && HIWORD(wParam) == CBN_SELCHANGE) {
    auto* state = reinterpret_cast<HookState*>(::GetPropW(dialog, L"PlakatoFontHook"));
    if (state && LOWORD(wParam) == cmb5) state->scriptChosen = true;
    if (state && LOWORD(wParam) == cmb4) state->colourChosen = true;
  }
  if (message == WM_DESTROY) ::RemovePropW(dialog, L"PlakatoFontHook");
  return 0;
}

}  // namespace

std::optional<FontDialogAnswer> RunFontDialog(HWND owner, const FontChoice& current) {
  LOGFONTW font = current.font;
  HookState state;
  CHOOSEFONTW cf{};
  cf.lStructSize = sizeof(cf);
  cf.hwndOwner = owner;
  cf.lpLogFont = &font;
  cf.rgbColors = current.color;
  cf.Flags = CF_SCREENFONTS | CF_EFFECTS | CF_INITTOLOGFONTSTRUCT | CF_ENABLEHOOK;
  cf.lpfnHook = FontDialogHook;
  cf.lCustData = reinterpret_cast<LPARAM>(&state);
  if (!::ChooseFontW(&cf)) return std::nullopt;
  return FontDialogAnswer{font, cf.rgbColors, state.scriptChosen, state.colourChosen};
}

FontChoice ApplyFontDialogAnswer(const FontChoice& previous, const FontDialogAnswer& answer) {
  FontChoice next = previous;
  LOGFONTW& f = next.font;
  const LOGFONTW& chosen = answer.font;
  bool otherFace = _wcsicmp(previous.font.lfFaceName, chosen.lfFaceName) != 0;
  wcsncpy(f.lfFaceName, chosen.lfFaceName, LF_FACESIZE - 1);
  f.lfFaceName[LF_FACESIZE - 1] = L'\0';
  f.lfHeight = chosen.lfHeight;
  f.lfWidth = 0;
  f.lfWeight = chosen.lfWeight > FW_NORMAL ? FW_BOLD : FW_NORMAL;
  f.lfItalic = chosen.lfItalic ? TRUE : FALSE;
  f.lfUnderline = chosen.lfUnderline ? TRUE : FALSE;
  f.lfStrikeOut = chosen.lfStrikeOut ? TRUE : FALSE;
  if (answer.scriptChosen || otherFace) f.lfCharSet = chosen.lfCharSet;
  if (answer.colourChosen) next.color = answer.color;
  return next;
}

}  // namespace plakato
