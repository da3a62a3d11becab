#include "app/input_box_win.h"

#include "base/dialog_template_win.h"

namespace plakato {

namespace {

constexpr WORD kPromptId = 100;
constexpr WORD kEditId = 101;

struct BoxState {
  std::wstring text;
  int maxLength;
};

INT_PTR CALLBACK InputBoxProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG: {
      auto* state = reinterpret_cast<BoxState*>(lParam);
      ::SetWindowLongPtrW(dialog, DWLP_USER, lParam);
      HWND edit = ::GetDlgItem(dialog, kEditId);
      ::SendMessageW(edit, EM_SETLIMITTEXT, static_cast<WPARAM>(state->maxLength), 0);
      ::SetWindowTextW(edit, state->text.c_str());
      ::SendMessageW(edit, EM_SETSEL, 0, -1);
      return TRUE;  // the focus goes to the edit, the first tab stop
    }
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK) {
        auto* state = reinterpret_cast<BoxState*>(::GetWindowLongPtrW(dialog, DWLP_USER));
        HWND edit = ::GetDlgItem(dialog, kEditId);
        std::wstring text(static_cast<size_t>(::GetWindowTextLengthW(edit)) + 1, L'\0');
        text.resize(static_cast<size_t>(::GetWindowTextW(edit, text.data(), static_cast<int>(text.size()))));
        state->text = text;
        ::EndDialog(dialog, IDOK);
        return TRUE;
      }
      if (LOWORD(wParam) == IDCANCEL) {
        ::EndDialog(dialog, IDCANCEL);
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
  BoxState state{preset, maxLength};
  INT_PTR result = ::DialogBoxIndirectParamW(::GetModuleHandleW(nullptr), t.get(), owner, InputBoxProc,
                                             reinterpret_cast<LPARAM>(&state));
  return result == IDOK ? state.text : preset;
}

}  // namespace plakato
