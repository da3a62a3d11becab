// The name of the picture file a drag out of the window offers: the sign
// text made safe for every Windows file system.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace plakato {

// The name the picture file gets when the sign text leaves nothing usable.
inline constexpr wchar_t kFallbackDragFileStem[] = L"placard";
inline constexpr wchar_t kFallbackDragFileName[] = L"placard.jpg";

// The kinds of file the program leaves in the drag folder: the picture's
// JPEG, the sticker's WebP and the animation's GIF.
inline constexpr std::wstring_view kDragFileExtensions[] = {L".jpg", L".webp", L".gif"};

// The part before ".jpg" holds at most this many UTF-16 code units, which
// keeps the file's path inside MAX_PATH under any usual temporary folder.
inline constexpr size_t kDragFileStemLimit = 64;

// "<sign text>" and the extension (".jpg" unless another is given) with \ / : * ? " < > |, control characters and unpaired
// surrogates each replaced by "_", spaces and dots trimmed from both ends,
// cut to kDragFileStemLimit without splitting a character, and a device name
// (CON, PRN, AUX, NUL, COM0-9, LPT0-9, their superscript forms, CONIN$,
// CONOUT$) followed by "_" so that Windows sees a file. kFallbackDragFileName
// when no character of the text itself is left.
std::wstring DragFileName(std::wstring_view signText, std::wstring_view extension = L".jpg");

// Whether a file in the drag folder is one of the picture files the program
// writes there (a name ending in one of kDragFileExtensions, in any case), and so may be removed
// once it is stale.
bool IsDragFileName(std::wstring_view name);

// Times in 100-nanosecond ticks, as Windows keeps a file's times.
inline constexpr int64_t kTicksPerSecond = 10'000'000;
// A drag file lives this long: long enough for a drop target that reads the
// file later, short enough that the folder does not grow.
inline constexpr int64_t kDragFileLifetime = 24 * 3600 * kTicksPerSecond;

// Whether a file of the drag folder is to be removed at start-up: one of the
// program's picture files last written more than kDragFileLifetime before
// `now`. A time after `now` (a clock set back) keeps the file.
bool IsStaleDragFile(std::wstring_view name, int64_t lastWrite, int64_t now);

}  // namespace plakato
