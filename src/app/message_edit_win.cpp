#include "app/message_edit_win.h"

#include <commctrl.h>
#include <imm.h>

#include <memory>
#include <string>
#include <utility>

#include "app/refusal_balloon_win.h"
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

bool IsSurrogate(wchar_t c) { return c >= 0xD800 && c <= 0xDFFF; }
bool IsHighSurrogate(wchar_t c) { return c >= 0xD800 && c <= 0xDBFF; }

class MessageEdit : public Subclass<MessageEdit> {
 public:
  explicit MessageEdit(HWND edit) : balloon_(edit) {}
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

 private:
  // What of `inserted` fits in place of [start, end) of `current`; what
  // does not is refused, with a beep when `beep` and a balloon saying why.
  std::wstring Take(std::wstring_view current, size_t start, size_t end, std::wstring_view inserted, bool beep) {
    std::wstring taken = FittingInsertion(current, start, end, inserted);
    if (taken.size() != inserted.size()) {
      if (beep) ::MessageBeep(MB_OK);
      balloon_.Show(DescribeRefusal(WhyRefused(current, start, end, inserted)));
    }
    return taken;
  }
  // The same in place of the edit's selection.
  std::wstring TakeAtSelection(std::wstring_view inserted, bool beep) {
    DWORD start = 0;
    DWORD end = 0;
    ::SendMessageW(hwnd(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return Take(WindowText(hwnd()), start, end, inserted, beep);
  }
  LRESULT Typed(wchar_t c, LPARAM lParam);
  void DeleteWordBeforeCaret();
  void Paste();

  RefusalBalloon balloon_;
  wchar_t refusedHigh_ = 0;  // the first half of a pair just refused
};

LRESULT MessageEdit::Typed(wchar_t c, LPARAM lParam) {
  wchar_t high = std::exchange(refusedHigh_, IsHighSurrogate(c) ? c : 0);
  if (!IsSurrogate(c)) {
    std::wstring taken = TakeAtSelection(std::wstring(1, c), true);
    return taken.empty() ? 0 : CallBase(WM_CHAR, c, lParam);
  }
  // Code page 936 has no character outside the basic plane, so both halves
  // of a pair are refused; the second names the whole character, without a
  // second beep.
  bool secondHalf = high && !IsHighSurrogate(c);
  std::wstring typed = secondHalf ? std::wstring{high, c} : std::wstring(1, c);
  TakeAtSelection(typed, !secondHalf);
  return 0;
}

// Ctrl+Backspace, which arrives as the character DEL: what a Windows user
// expects of it, the word before the caret (or the selection) deleted, as
// one step the edit can undo.
void MessageEdit::DeleteWordBeforeCaret() {
  DWORD start = 0;
  DWORD end = 0;
  ::SendMessageW(hwnd(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  if (start == end) {
    start = static_cast<DWORD>(WordStartBefore(WindowText(hwnd()), end));
    if (start == end) return;
    CallBase(EM_SETSEL, start, end);
  }
  CallBase(EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(L""));
}

// Keys that reach the edit as characters below 32 and are commands to it,
// not text: select all, copy, backspace, tab, Ctrl+Enter, Enter, paste, cut,
// undo, Esc.
bool IsEditingKey(wchar_t c) {
  return c == 0x01 || c == 0x03 || c == 0x08 || c == 0x09 || c == 0x0A || c == 0x0D || c == 0x16 || c == 0x18 ||
         c == 0x1A || c == 0x1B;
}

void MessageEdit::Paste() {
  std::wstring clip = ClipboardText(hwnd());
  std::wstring_view line = FirstLine(clip);
  std::wstring taken = TakeAtSelection(line, true);
  if (!taken.empty()) {
    CallBase(EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(taken.c_str()));
  } else if (line.empty() && !clip.empty()) {
    ::MessageBeep(MB_OK);  // only line breaks before the text: nothing to take
  }
}

LRESULT MessageEdit::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CHAR:
    case WM_IME_CHAR: {
      // The next key takes the balloon down; a refused one shows it again.
      balloon_.Hide();
      wchar_t c = static_cast<wchar_t>(wParam);
      if (c == 0x7F && message == WM_CHAR) {
        DeleteWordBeforeCaret();
        return 0;
      }
      if (IsEditingKey(c)) break;
      return Typed(c, lParam);  // other control characters are refused there
    }
    case WM_PASTE:
      balloon_.Hide();
      Paste();
      return 0;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_LBUTTONDOWN:
    case WM_KILLFOCUS:
      balloon_.Hide();
      // Shift+Insert pastes without a WM_PASTE in some edits.
      if (message == WM_KEYDOWN && wParam == VK_INSERT && ::GetKeyState(VK_SHIFT) < 0 &&
          ::GetKeyState(VK_CONTROL) >= 0) {
        Paste();
        return 0;
      }
      break;
    case WM_TIMER:
      if (balloon_.OnTimer(wParam)) return 0;
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
      std::wstring taken = Take(L"", 0, 0, FirstLine(reinterpret_cast<const wchar_t*>(lParam)), false);
      return CallBase(message, wParam, reinterpret_cast<LPARAM>(taken.c_str()));
    }
    case EM_REPLACESEL: {
      if (!lParam) break;
      std::wstring taken = TakeAtSelection(FirstLine(reinterpret_cast<const wchar_t*>(lParam)), false);
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
  Subclass<MessageEdit>::Attach(edit, std::make_unique<MessageEdit>(edit));
}

}  // namespace plakato
