// Helpers shared by the in-process window tests.
#pragma once

#include <windows.h>

#include <string>

#include "scene/pixels.h"

namespace plakato {

// Copies what a DC shows into 0x00BBGGRR pixels.
PixelCanvas Capture(HDC source, int x, int y, int width, int height);

// Puts the text on the clipboard as Unicode text.
void SetClipboardText(HWND owner, const std::wstring& text);

}  // namespace plakato
