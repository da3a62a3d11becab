// The names of the program's own temporary files: a safe write puts its
// bytes into one beside the file it replaces, and an interrupted write (a
// crash, a power cut) leaves it behind.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace plakato {

// "~plakato" followed by the process id in 8 and `serial` in 4 upper-case
// hexadecimal digits, and ".tmp".
std::wstring TemporaryFileName(uint32_t processId, uint16_t serial);

// Whether `name` has the form TemporaryFileName gives (letters in any case).
bool IsTemporaryFileName(std::wstring_view name);

// 100-nanosecond ticks, as Windows keeps a file's times. A write takes far
// less than this; a temporary file older than it belongs to no running write.
inline constexpr int64_t kTemporaryFileLifetime = int64_t{24} * 3600 * 10'000'000;

// Whether a file is one of the program's temporary files last written more
// than kTemporaryFileLifetime before `now`; a time after `now` (a clock set
// back) keeps it.
bool IsStaleTemporaryFile(std::wstring_view name, int64_t lastWrite, int64_t now);

}  // namespace plakato
