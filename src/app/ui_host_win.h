// The seam between the window and the modal boxes it opens. The program uses
// the system's own boxes; in-process tests answer them without a screen.
#pragma once

#include <windows.h>

#include <string>

namespace plakato {

class UiHost {
 public:
  virtual ~UiHost() = default;
  virtual int ShowMessageBox(HWND owner, const std::wstring& text, const std::wstring& caption, UINT flags);
};

// The boxes of the running program.
UiHost& SystemUiHost();

}  // namespace plakato
