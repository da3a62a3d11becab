#include "app/message_edit_win.h"

#include <commctrl.h>
#include <imm.h>

#include <memory>
#include <string>

#include "base/text_win.h"
#include "base/window_win.h"
#include "scene/sign_text.h"

namespace plakato {

namespace {

// The clipboard's text, read no further than its memory block reaches: a
// program may have put text there without its terminating zero.
std::wstring ClipboardText(HWND owner) {
  std::wstring text;
  if (!::OpenClipboard(owner)) return text;
  if (HANDLE data = ::GetClipboardData(CF_UNICODETEXT)) {
    size_t capacity = ::GlobalSize(data) / sizeof(wchar_t);
    if (auto* chars = static_cast<const wchar_t*>(::GlobalLock(data))) {
      const wchar_t* end = std::char_traits<wchar_t>::find(chars, capacity, L'\0');
      text.assign(chars, end ? static_cast<size_t>(end - chars) : capacity);
      ::GlobalUnlock(data);
    }
  }
  ::CloseClipboard();
  return text;
}

class MessageEdit : public Subclass<MessageEdit> {
 public:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

 private:
  // What of `inserted` fits in place of the edit's selection.
  std::wstring Fitting(std::wstring_view inserted) {
    DWORD start = 0;
    DWORD end = 0;
    ::SendMessageW(hwnd(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return FittingInsertion(WindowText(hwnd()), start, end, inserted);
  }
  void Paste();
};

void MessageEdit::Paste() {
  std::wstring clip = ClipboardText(hwnd());
  std::wstring taken = Fitting(FirstLine(clip));
  if (taken.empty()) {
    if (!clip.empty()) ::MessageBeep(MB_OK);
    return;
  }
  CallBase(EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(taken.c_str()));
}

LRESULT MessageEdit::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CHAR:
    case WM_IME_CHAR: {
      wchar_t c = static_cast<wchar_t>(wParam);
      if (c < 32) break;  // editing keys: backspace, cut, copy, paste, undo
      // Halves of a surrogate pair never have a form in code page 936.
      bool surrogate = c >= 0xD800 && c <= 0xDFFF;
      if (surrogate || Fitting(std::wstring(1, c)).empty()) {
        ::MessageBeep(MB_OK);
        return 0;
      }
      return CallBase(WM_CHAR, wParam, lParam);
    }
    case WM_PASTE:
      Paste();
      return 0;
    case WM_KEYDOWN:
      // Shift+Insert pastes without a WM_PASTE in some edits.
      if (wParam == VK_INSERT && ::GetKeyState(VK_SHIFT) < 0 && ::GetKeyState(VK_CONTROL) >= 0) {
        Paste();
        return 0;
      }
      break;
    case WM_IME_COMPOSITION:
      // The finished text of an input method arrives character by character
      // as WM_IME_CHAR, where the limit applies, instead of all at once.
      if (lParam & GCS_RESULTSTR) return ::DefWindowProcW(hwnd(), message, wParam, lParam);
      break;
    case WM_SETTEXT: {
      // Text set from outside (automation, dictation tools) keeps the rules:
      // its longest fitting front part, without what code page 936 lacks.
      if (!lParam) break;
      std::wstring taken = FittingInsertion(L"", 0, 0, FirstLine(reinterpret_cast<const wchar_t*>(lParam)));
      return CallBase(message, wParam, reinterpret_cast<LPARAM>(taken.c_str()));
    }
    case EM_REPLACESEL: {
      if (!lParam) break;
      std::wstring taken = Fitting(FirstLine(reinterpret_cast<const wchar_t*>(lParam)));
      return CallBase(message, wParam, reinterpret_cast<LPARAM>(taken.c_str()));
    }
  }
  return CallBase(message, wParam, lParam);
}

}  // namespace

void LimitEditToCp936Bytes(HWND edit) {
  // A character limit as well, as a backstop for text that arrives by a
  // way the byte check does not see.
  ::SendMessageW(edit, EM_SETLIMITTEXT, kMessageByteLimit, 0);
  Subclass<MessageEdit>::Attach(edit, std::make_unique<MessageEdit>());
}

}  // namespace plakato
