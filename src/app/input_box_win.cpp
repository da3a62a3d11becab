#include "app/input_box_win.h"

#include "base/dialog_template_win.h"
#include "base/text_win.h"
#include "base/window_win.h"

namespace plakato {

namespace {

constexpr WORD kPromptId = 100;
constexpr WORD kEditId = 101;

class InputBoxDialog : public Dialog<InputBoxDialog, OnError::Report> {
 public:
  InputBoxDialog(std::wstring text, int maxLength) : text_(std::move(text)), maxLength_(maxLength) {}
  static InputBoxDialog* FromInitParam(LPARAM lParam) { return reinterpret_cast<InputBoxDialog*>(lParam); }
  INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  static INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    return Proc(dialog, message, wParam, lParam);
  }
  const std::wstring& text() const { return text_; }

 private:
  std::wstring text_;
  int maxLength_;
};

INT_PTR InputBoxDialog::HandleMessage(UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG: {
      HWND edit = ::GetDlgItem(hwnd(), kEditId);
      ::SendMessageW(edit, EM_SETLIMITTEXT, static_cast<WPARAM>(maxLength_), 0);
      ::SetWindowTextW(edit, text_.c_str());
      ::SendMessageW(edit, EM_SETSEL, 0, -1);
      return TRUE;  // the focus goes to the edit, the first tab stop
    }
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK) {
        text_ = WindowText(::GetDlgItem(hwnd(), kEditId));
        ::EndDialog(hwnd(), IDOK);
        return TRUE;
      }
      if (LOWORD(wParam) == IDCANCEL) {
        ::EndDialog(hwnd(), IDCANCEL);
        return TRUE;
      }
      break;
  }
  return FALSE;
}

}  // namespace

std::wstring InputBox(HWND owner, const std::wstring& caption, const std::wstring& prompt, const std::wstring& preset,
                      int maxLength) {
  DialogTemplate t(DS_MODALFRAME | DS_CENTER | WS_POPUP | WS_CAPTION | WS_SYSMENU, 4, 180, 63, caption, L"宋体", 9);
  t.Item(SS_LEFT | SS_NOPREFIX, 6, 6, 168, 10, kPromptId, 0x0082, prompt);
  t.Item(ES_LEFT | ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, 6, 19, 168, 12, kEditId, 0x0081, L"");
  t.Item(BS_DEFPUSHBUTTON | WS_TABSTOP, 38, 40, 50, 14, IDOK, 0x0080, L"OK");
  t.Item(BS_PUSHBUTTON | WS_TABSTOP, 92, 40, 50, 14, IDCANCEL, 0x0080, L"Cancel");
  InputBoxDialog box(preset, maxLength);
  INT_PTR result = ::DialogBoxIndirectParamW(::GetModuleHandleW(nullptr), t.get(), owner,
                                             &InputBoxDialog::DialogProc, reinterpret_cast<LPARAM>(&box));
  return result == IDOK ? box.text() : preset;
}

}  // namespace plakato
