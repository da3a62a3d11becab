// The program's run as a whole: what becomes of an error that escapes
// start-up, before the message loop can show it.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "app/ui_host_win.h"

namespace plakato {

// Runs the program from start-up to its end and gives `run`'s exit code. An
// error that escapes `run` (the main window or one of its controls cannot be
// made when the desktop heap or the handles run out, or no memory is left)
// is shown in the error box, with the application title of `programPath` as
// its caption, and gives exit code 1. Never throws.
int RunGuardedProgram(UiHost& ui, const std::wstring& programPath, const std::function<int()>& run) noexcept;

// The clean-up at start, which never throws and never removes anything else:
// the picture files of drags older than a day (RemoveStaleDragFiles), and the
// temporary files interrupted writes left, older than a day, in the places
// the program writes them: the drag folder and the messenger accounts'
// emoticon folders.
void RemoveStaleFilesAtStart() noexcept;

// The path of the running program file.
std::wstring RunningProgramPath();

}  // namespace plakato
