#include "app/ui_host_win.h"

#include "app/input_box_win.h"
#include "export/picture_preview_win.h"
#include "export/save_picture_dialog_win.h"

namespace plakato {

int UiHost::ShowMessageBox(HWND owner, const std::wstring& text, const std::wstring& caption, UINT flags) {
  return ::MessageBoxW(owner, text.c_str(), caption.c_str(), flags);
}

std::optional<FontDialogAnswer> UiHost::ChooseFont(HWND owner, const FontChoice& current) {
  return RunFontDialog(owner, current);
}

bool UiHost::ChooseColour(HWND owner, ColourChoice& choice) { return RunColourDialog(owner, choice); }

std::wstring UiHost::InputBox(HWND owner, const std::wstring& caption, const std::wstring& prompt,
                              const std::wstring& preset) {
  return plakato::InputBox(owner, caption, prompt, preset);
}

std::optional<SavePictureAnswer> UiHost::SavePicture(HWND owner, const std::wstring& initialName) {
  return RunSavePictureDialog(owner, initialName, LoadPicturePreview);
}

UiHost& SystemUiHost() {
  static UiHost host;
  return host;
}

}  // namespace plakato
