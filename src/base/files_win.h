// Files as the program reads and writes them, with the error texts the user
// sees when the system refuses.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>

#include "base/error.h"
#include "base/handles_win.h"

namespace plakato {

// The system's own description of an error code, without the line break and
// spaces FormatMessage puts at its end ("File not found." under Wine).
std::wstring SystemErrorText(DWORD code);

// "Cannot create file "<path>". <system text>"
AppError CannotCreateFileError(const std::wstring& path, DWORD code);
// "Cannot open file "<path>". <system text>"
AppError CannotOpenFileError(const std::wstring& path, DWORD code);
// "Cannot read file "<path>". <system text>"
AppError CannotReadFileError(const std::wstring& path, DWORD code);

// Writes `bytes` as the whole content of `path` so that a failure never leaves
// a half-written file where a complete one stood: the bytes go into a new file
// beside it, which then takes its place. On failure nothing is left behind,
// an existing file keeps its bytes, and CannotCreateFileError(path, ...) is thrown.
void WriteFileReplacing(const std::wstring& path, std::span<const uint8_t> bytes);

// Writes `bytes` as a new file `path`, complete or not at all, and never in
// place of another: gives ERROR_SUCCESS once the file is there,
// ERROR_ALREADY_EXISTS when a file or folder of that name (in any case)
// exists, which is left as it was, or the system's error code of another
// failure, which leaves nothing behind.
DWORD WriteNewFile(const std::wstring& path, std::span<const uint8_t> bytes);

// The whole content of `path`, opened for reading with the given sharing.
// Throws CannotOpenFileError when it cannot be opened, CannotReadFileError
// when reading fails.
std::string ReadWholeFile(const std::wstring& path, DWORD shareMode);

// The same, for a file of at most `limit` bytes; nothing for a larger one,
// of which no more than `limit` + 1 bytes are read.
std::optional<std::string> ReadFileUpTo(const std::wstring& path, DWORD shareMode, size_t limit);

// A folder held open as itself while the program cleans it: null when the
// path is a link (a junction or symbolic link, anything with a reparse
// point), not a folder, or cannot be opened. The folder is never opened
// through a link in its last part, and while the handle is held nobody can
// rename it or put a link in its place (the handle does not share deletion),
// so every path inside it leads into it.
UniqueFile HoldFolderForCleaning(const std::wstring& folder);

// Removes the file (or, with `isFolder`, the empty folder) at `path` when it
// is, opened as itself just before it goes, no link and still of its kind,
// and `stale` holds for its last-write time in FILETIME ticks. The entry
// removed is the one checked: it goes by its open handle. Gives whether it went.
bool RemoveEntryIfStale(const std::wstring& path, bool isFolder, const std::function<bool(int64_t written)>& stale);

// Removes the files of `folder` (ending in a backslash) that a safe write
// left behind and that no write can still be using: the program's own
// temporary files (IsStaleTemporaryFile) older than a day at `now`, in
// 100-nanosecond ticks since 1601 as FILETIME counts. Nothing else, no
// subfolder, no link, nothing at all when `folder` is itself a link, and no
// file that cannot be removed. Gives how many went; never throws.
size_t RemoveStaleTemporaryFiles(const std::wstring& folder, int64_t now) noexcept;

// The present time as FILETIME counts it.
int64_t FileTimeNow();

}  // namespace plakato
