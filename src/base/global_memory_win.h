// Movable global memory, the form in which the clipboard and OLE data
// objects hand bytes from one program to another.
#pragma once

#include <windows.h>

#include <cstdint>
#include <span>

#include "base/handles_win.h"

namespace plakato {

inline void FreeGlobal(HGLOBAL h) { ::GlobalFree(h); }
using UniqueGlobal = UniqueAny<HGLOBAL, FreeGlobal>;

// A new movable block holding `bytes` (one byte for none, as a block cannot
// be empty); null when the memory is not there.
UniqueGlobal CopyToGlobal(std::span<const uint8_t> bytes);

}  // namespace plakato
