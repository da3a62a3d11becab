// Dialog templates built in memory, for the program's own small dialogs and
// the extension of a system dialog.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace plakato {

// A DLGTEMPLATE followed by its items, each DWORD-aligned, texts in UTF-16
// with their terminating zero. Sizes are in dialog units.
class DialogTemplate {
 public:
  // `face` empty: no font of its own (no DS_SETFONT).
  DialogTemplate(DWORD style, WORD items, short cx, short cy, const std::wstring& caption,
                 const std::wstring& face = L"", WORD points = 0);

  // `systemClass`: 0x0080 button, 0x0081 edit, 0x0082 static.
  void Item(DWORD style, short x, short y, short cx, short cy, WORD id, WORD systemClass, const std::wstring& text);
  const DLGTEMPLATE* get() const { return reinterpret_cast<const DLGTEMPLATE*>(data_.data()); }

 private:
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

  std::vector<WORD> data_;
};

}  // namespace plakato
