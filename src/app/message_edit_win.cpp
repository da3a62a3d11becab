#include "app/message_edit_win.h"

#include <commctrl.h>
#include <imm.h>

#include <string>

#include "scene/sign_text.h"
#include "base/subclass_win.h"
#include "base/text_win.h"

namespace plakato {

namespace {

std::wstring ClipboardText(HWND owner) {
  std::wstring text;
  if (!::OpenClipboard(owner)) return text;
  if (HANDLE data = ::GetClipboardData(CF_UNICODETEXT)) {
    if (auto* chars = static_cast<const wchar_t*>(::GlobalLock(data))) {
      text = chars;
      ::GlobalUnlock(data);
    }
  }
  ::CloseClipboard();
  return text;
}

// What of `inserted` fits in place of the edit's selection.
std::wstring Fitting(HWND edit, std::wstring_view inserted) {
  DWORD start = 0;
  DWORD end = 0;
  ::SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  return FittingInsertion(WindowText(edit), start, end, inserted);
}

void Paste(HWND edit) {
  std::wstring clip = ClipboardText(edit);
  std::wstring taken = Fitting(edit, FirstLine(clip));
  if (taken.empty()) {
    if (!clip.empty()) ::MessageBeep(MB_OK);
    return;
  }
  ::SendMessageW(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(taken.c_str()));
}

LRESULT CALLBACK MessageEditProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CHAR:
    case WM_IME_CHAR: {
      wchar_t c = static_cast<wchar_t>(wParam);
      if (c < 32) break;  // editing keys: backspace, cut, copy, paste, undo
      // Halves of a surrogate pair never have a form in code page 936.
      bool surrogate = c >= 0xD800 && c <= 0xDFFF;
      if (surrogate || Fitting(edit, std::wstring(1, c)).empty()) {
        ::MessageBeep(MB_OK);
        return 0;
      }
      return CallBaseProc(edit, WM_CHAR, wParam, lParam);
    }
    case WM_PASTE:
      Paste(edit);
      return 0;
    case WM_KEYDOWN:
      // Shift+Insert pastes without a WM_PASTE in some edits.
      if (wParam == VK_INSERT && ::GetKeyState(VK_SHIFT) < 0 && ::GetKeyState(VK_CONTROL) >= 0) {
        Paste(edit);
        return 0;
      }
      break;
    case WM_IME_COMPOSITION:
      // The finished text of an input method arrives character by character
      // as WM_IME_CHAR, where the limit applies, instead of all at once.
      if (lParam & GCS_RESULTSTR) return ::DefWindowProcW(edit, message, wParam, lParam);
      break;
  }
  return CallBaseProc(edit, message, wParam, lParam);
}

}  // namespace

void LimitEditToCp936Bytes(HWND edit) {
  // A character limit as well, as a backstop for text that arrives by a
  // way the byte check does not see.
  ::SendMessageW(edit, EM_SETLIMITTEXT, kMessageByteLimit, 0);
  Subclass(edit, MessageEditProc, new SubclassData);
}

}  // namespace plakato
