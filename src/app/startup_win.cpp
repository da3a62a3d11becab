#include "app/startup_win.h"

#include "app/app_text.h"
#include "base/files_win.h"
#include "base/window_win.h"
#include "export/picture_drag_win.h"
#include "messenger/account_win.h"

namespace plakato {

int RunGuardedProgram(UiHost& ui, const std::wstring& programPath, const std::function<int()>& run) noexcept {
  try {
    return run();
  } catch (...) {
    // The window that would own the box is gone with the failed start.
    try {
      ui.ShowMessageBox(nullptr, ErrorBoxText(CurrentErrorMessage()), ApplicationTitle(programPath),
                        MB_OK | MB_ICONSTOP);
    } catch (...) {
      ::MessageBeep(MB_ICONSTOP);  // not even the box could be shown
    }
    return 1;
  }
}

void RemoveStaleFilesAtStart() noexcept {
  try {
    RemoveStaleDragFiles(DragFolder());
    const int64_t now = FileTimeNow();
    MessengerAccount account;
    account.ReadInstallDir();
    for (const std::wstring& folder : AccountWriteFolders(account.installDir())) {
      RemoveStaleTemporaryFiles(folder, now);
    }
  } catch (...) {
    // An unreadable registry value or no memory: the rest waits for the next start.
  }
}

std::wstring RunningProgramPath() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    DWORD n = ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (n == 0) return L"";
    if (n < path.size()) {
      path.resize(n);
      return path;
    }
    path.resize(path.size() * 2);
  }
}

}  // namespace plakato
