#include "app/font_dialog_win.h"

#include <commdlg.h>
#include <dlgs.h>

#include <cwchar>

#include "base/window_win.h"
#include "scene/placard.h"

namespace plakato {

namespace {

// Watches the script and colour lists: the dialog reports their values
// whether or not the user touched them.
class FontDialogHook : public Dialog<FontDialogHook, OnError::FailSafe> {
 public:
  static FontDialogHook* FromInitParam(LPARAM lParam) {
    return reinterpret_cast<FontDialogHook*>(reinterpret_cast<CHOOSEFONTW*>(lParam)->lCustData);
  }
  static UINT_PTR CALLBACK HookProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    return static_cast<UINT_PTR>(Proc(dialog, message, wParam, lParam));
  }
  INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM) {
    if (message == WM_COMMAND && HIWORD(wParam) == CBN_SELCHANGE) {
      if (LOWORD(wParam) == cmb5) scriptChosen = true;
      if (LOWORD(wParam) == cmb4) colourChosen = true;
    }
    return 0;  // the dialog handles every message itself
  }

  bool scriptChosen = false;
  bool colourChosen = false;
};

}  // namespace

std::optional<FontDialogAnswer> RunFontDialog(HWND owner, const FontChoice& current) {
  LOGFONTW font = current.font;
  FontDialogHook hook;
  CHOOSEFONTW cf{};
  cf.lStructSize = sizeof(cf);
  cf.hwndOwner = owner;
  cf.lpLogFont = &font;
  cf.rgbColors = current.color;
  // Only the sizes a picture can hold: the dialog refuses any other.
  cf.Flags = CF_SCREENFONTS | CF_EFFECTS | CF_INITTOLOGFONTSTRUCT | CF_ENABLEHOOK | CF_LIMITSIZE;
  cf.nSizeMin = kSmallestSignPointTenths / 10;
  cf.nSizeMax = kLargestSignPointTenths / 10;
  cf.lpfnHook = &FontDialogHook::HookProc;
  cf.lCustData = reinterpret_cast<LPARAM>(&hook);
  if (!::ChooseFontW(&cf)) return std::nullopt;
  return FontDialogAnswer{font, cf.rgbColors, cf.iPointSize, hook.scriptChosen, hook.colourChosen};
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
