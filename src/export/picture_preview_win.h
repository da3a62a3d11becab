// The save dialog's preview of a picture file.
#pragma once

#include <windows.h>

#include <string>

namespace plakato {

// A bitmap of the JPEG file at `path` that fits maxWidth x maxHeight, and
// the picture's own size; null when the file cannot be read as a JPEG.
HBITMAP LoadPicturePreview(const std::wstring& path, int maxWidth, int maxHeight, SIZE* pictureSize);

}  // namespace plakato
