// The OLE side of dragging a picture out of the window: a data object that
// hands out fixed bytes in the formats it offers, and the drop source that
// decides when the drag ends.
#pragma once

#include <windows.h>
#include <ole2.h>

#include <cstdint>
#include <string>
#include <vector>

#include "base/com_win.h"

namespace plakato {

// One format a data object offers, with the bytes every GetData of it copies
// into a new global memory block.
struct OfferedFormat {
  CLIPFORMAT format;
  std::vector<uint8_t> bytes;
};

// A data object offering exactly `formats` (content aspect, global memory
// only), in that order. GetData gives each caller a block of its own, which
// the caller frees (ReleaseStgMedium); setting data and advise sinks are not
// supported.
ComPtr<IDataObject> MakeDataObject(std::vector<OfferedFormat> formats);

// The content of CF_HDROP naming one file: a DROPFILES header with wide
// characters, the full path, and the two terminating zeros of the list.
std::vector<uint8_t> DropFilesBytes(const std::wstring& path);

// The registered clipboard format "PNG", under which programs exchange PNG files.
CLIPFORMAT PngClipboardFormat();

// Ends the drag with a drop when the left button is let go, and cancels it
// on Esc; the system shows its own cursors.
ComPtr<IDropSource> MakeDropSource();

}  // namespace plakato
