// Files as the program reads and writes them, with the error texts the user
// sees when the system refuses.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "base/error.h"

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

// The whole content of `path`, opened for reading with the given sharing.
// Throws CannotOpenFileError when it cannot be opened, CannotReadFileError
// when reading fails.
std::string ReadWholeFile(const std::wstring& path, DWORD shareMode);

// The same, for a file of at most `limit` bytes; nothing for a larger one,
// of which no more than `limit` + 1 bytes are read.
std::optional<std::string> ReadFileUpTo(const std::wstring& path, DWORD shareMode, size_t limit);

// The full path of the running program's file.
std::wstring ProgramPath();

}  // namespace plakato
