// Helpers shared by the in-process window tests.
#pragma once

#include <windows.h>

#include <string>

#include "scene/pixels.h"

namespace plakato {

// Copies what a DC shows into 0x00BBGGRR pixels.
PixelCanvas Capture(HDC source, int x, int y, int width, int height);

}  // namespace plakato
