#include "app/input_box_win.h"

#include <cstdint>
#include <vector>

namespace plakato {

namespace {

constexpr WORD kPromptId = 100;
constexpr WORD kEditId = 101;

// Builds a dialog template in memory: header, then one item per control,
// each DWORD-aligned, texts as UTF-16 with their terminating zero.
class TemplateWriter {
 public:
  void Word(WORD w) { data_.push_back(w); }
  void Dword(DWORD d) {
    Word(LOWORD(d));
    Word(HIWORD(d));
  }
  void Text(const std::wstring& text) {
    for (wchar_t c : text) Word(static_cast<WORD>(c));
    Word(0);
  }
  void Align() {
    if (data_.size() % 2) Word(0);
  }
  void Item(DWORD style, short x, short y, short cx, short cy, WORD id, WORD systemClass, const std::wstring& text) {
    Align();
    Dword(style | WS_CHILD | WS_VISIBLE);
    Dword(0);  // extended style
    for (short v : {x, y, cx, cy}) Word(static_cast<WORD>(v));
    Word(id);
    Word(0xFFFF);
    Word(systemClass);
    Text(text);
    Word(0);  // no creation data
  }
  const DLGTEMPLATE* get() { return reinterpret_cast<const DLGTEMPLATE*>(data_.data()); }

 private:
  std::vector<WORD> data_;
};

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
  TemplateWriter t;
  t.Dword(DS_MODALFRAME | DS_CENTER | DS_SETFONT | WS_POPUP | WS_CAPTION | WS_SYSMENU);
  t.Dword(0);
  t.Word(4);  // controls
  for (short v : {0, 0, 180, 63}) t.Word(static_cast<WORD>(v));
  t.Word(0);  // no menu
  t.Word(0);  // the system's dialog class
  t.Text(caption);
  t.Word(9);  // points
  t.Text(L"宋体");
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
