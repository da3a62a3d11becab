#include "base/dialog_template_win.h"

namespace plakato {

DialogTemplate::DialogTemplate(DWORD style, WORD items, short cx, short cy, const std::wstring& caption,
                               const std::wstring& face, WORD points) {
  Dword(style | (face.empty() ? 0 : DS_SETFONT));
  Dword(0);  // extended style
  Word(items);
  for (short v : {short{0}, short{0}, cx, cy}) Word(static_cast<WORD>(v));
  Word(0);  // no menu
  Word(0);  // the system's dialog class
  Text(caption);
  if (!face.empty()) {
    Word(points);
    Text(face);
  }
}

void DialogTemplate::Item(DWORD style, short x, short y, short cx, short cy, WORD id, WORD systemClass,
                          const std::wstring& text) {
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

}  // namespace plakato
