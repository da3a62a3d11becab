// The save dialog's preview of a picture file.
#pragma once

#include <windows.h>

#include <string>

#include "base/handles_win.h"

namespace plakato {

// Files larger than this are not previewed (nor read): no picture the
// program writes comes near it, and a disc image must not freeze the dialog.
inline constexpr size_t kPreviewFileLimit = 32u << 20;

// A bitmap of the JPEG or PNG file at `path` that fits maxWidth x maxHeight, and
// the picture's own size; none when the file cannot be read as a picture, is
// larger than kPreviewFileLimit or holds a picture over the preview's limits
// (DecodePicturePreview). Never throws.
UniqueBitmap LoadPicturePreview(const std::wstring& path, int maxWidth, int maxHeight, SIZE* pictureSize) noexcept;

}  // namespace plakato
