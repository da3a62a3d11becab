// The exported picture on the clipboard, for pasting into chat programs,
// documents and image editors.
#pragma once

#include <windows.h>

#include "scene/pixels.h"

namespace plakato {

// How long to wait for another program to let go of the clipboard.
inline constexpr int kClipboardTries = 10;
inline constexpr DWORD kClipboardRetryMs = 50;

// Puts `picture` on the clipboard as CF_DIB (24-bit) and as the registered
// "PNG" format, replacing what was there. When another program keeps the
// clipboard open past the retries, throws and leaves the clipboard as it was.
void CopyPictureToClipboard(HWND owner, const PixelCanvas& picture);

}  // namespace plakato
