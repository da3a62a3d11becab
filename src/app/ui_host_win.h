// The seam between the window and the modal boxes it opens. The program uses
// the system's own boxes; in-process tests answer them without a screen.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "app/colour_dialog_win.h"
#include "app/font_dialog_win.h"
#include "export/save_picture_dialog_win.h"

namespace plakato {

class UiHost {
 public:
  virtual ~UiHost() = default;
  virtual int ShowMessageBox(HWND owner, const std::wstring& text, const std::wstring& caption, UINT flags);
  virtual std::optional<FontDialogAnswer> ChooseFont(HWND owner, const FontChoice& current);
  virtual bool ChooseColour(HWND owner, ColourChoice& choice);
  // The full path and type chosen in the export's save dialog; nothing on Cancel.
  virtual std::optional<SavePictureAnswer> SavePicture(HWND owner, const std::wstring& initialName);
  // The input box's text on OK; `preset` on Cancel.
  virtual std::wstring InputBox(HWND owner, const std::wstring& caption, const std::wstring& prompt,
                                const std::wstring& preset);
};

// The boxes of the running program.
UiHost& SystemUiHost();

}  // namespace plakato
