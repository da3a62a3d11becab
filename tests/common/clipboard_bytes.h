// Reading the clipboard back in the Windows tests.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

namespace plakato::testing {

// The bytes of one clipboard format, as much as its memory block holds; empty
// when the format is not there. Waits up to a second for another program
// to let go of the clipboard.
inline std::vector<uint8_t> ClipboardBytes(UINT format) {
  std::vector<uint8_t> bytes;
  for (int i = 0; i < 50 && !::OpenClipboard(nullptr); ++i) ::Sleep(20);
  if (HANDLE data = ::GetClipboardData(format)) {
    if (const void* p = ::GlobalLock(data)) {
      auto* b = static_cast<const uint8_t*>(p);
      bytes.assign(b, b + ::GlobalSize(data));
      ::GlobalUnlock(data);
    }
  }
  ::CloseClipboard();
  return bytes;
}

}  // namespace plakato::testing
