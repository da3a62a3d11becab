// Program entry: build the window, show it, run until it is closed.
#include <windows.h>
#include <commctrl.h>

#include "app/main_window_win.h"
#include "app/startup_win.h"
#include "base/com_win.h"
#include "export/picture_drag_win.h"

namespace {

// Runs until the window is closed; keyboard navigation (Tab between the
// controls) works as in a dialog, and the window's shortcuts work wherever
// the focus is.
void RunMessageLoop(const plakato::MainWindow& window) {
  MSG msg;
  while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
    HWND handle = window.handle();
    if (handle && ::IsWindow(handle)) {
      if (::TranslateAcceleratorW(handle, window.shortcuts(), &msg)) continue;
      if (::IsDialogMessageW(handle, &msg)) continue;
    }
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
  }
}

}  // namespace

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
    plakato::MainWindow window;
    window.Create();
    window.Show();
    RunMessageLoop(window);
    // The command line is ignored and a closed window is a normal end.
    return 0;
  });
}
