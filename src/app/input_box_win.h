// The small modal input box: a caption, a prompt above one edit line, OK
// (the default) and Cancel, centred on the screen.
#pragma once

#include <windows.h>

#include <string>

namespace plakato {

// The edited text on OK; `preset` on Cancel or when the box is closed.
std::wstring InputBox(HWND owner, const std::wstring& caption, const std::wstring& prompt, const std::wstring& preset,
                      int maxLength = 255);

}  // namespace plakato
