// Program entry: build the window, show it, run until it is closed.
#include <windows.h>
#include <commctrl.h>

#include "app/main_form_win.h"
#include "app/startup_win.h"
#include "base/com_win.h"
#include "export/picture_drag_win.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_STANDARD_CLASSES | ICC_BAR_CLASSES | ICC_COOL_CLASSES |
                                            ICC_PAGESCROLLER_CLASS | ICC_WIN95_CLASSES};
  ::InitCommonControlsEx(&icc);
  // Dragging the placard out needs OLE on the window's thread while it runs.
  plakato::OleScope ole;
  // A window that cannot be made is shown in the error box and ends the
  // program with exit code 1.
  return plakato::RunGuardedProgram(plakato::SystemUiHost(), plakato::RunningProgramPath(), [] {
    // Picture files of earlier drags that no drop target can still be reading,
    // and what interrupted writes left.
    plakato::RemoveStaleFilesAtStart();
    plakato::TForm1 form;
    form.Create();
    form.Show();
    plakato::RunMessageLoop(form);
    // The command line is ignored and a closed window is a normal end.
    return 0;
  });
}
