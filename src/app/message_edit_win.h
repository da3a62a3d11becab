// The message edit holds at most a number of code page 936 bytes, for typing,
// pasting and input-method text alike.
#pragma once

#include <windows.h>

namespace plakato {

void LimitEditToCp936Bytes(HWND edit);

}  // namespace plakato
