// Program entry: build the window, show it, run until it is closed.
#include <windows.h>
#include <commctrl.h>

#include "app/main_form_win.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_STANDARD_CLASSES | ICC_BAR_CLASSES | ICC_COOL_CLASSES |
                                            ICC_PAGESCROLLER_CLASS | ICC_WIN95_CLASSES};
  ::InitCommonControlsEx(&icc);
  plakato::TForm1 form;
  form.Create();
  form.Show();
  plakato::RunMessageLoop(form.handle());
  // The command line is ignored and a closed window is a normal end.
  return 0;
}
