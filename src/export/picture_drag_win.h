// Dragging the exported picture out of the window: the JPEG file in the
// program's folder under the user's temporary folder, the bitmap and the
// PNG, offered to the drop target through OLE.
#pragma once

#include <windows.h>
#include <ole2.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "base/com_win.h"
#include "export/picture_export_win.h"

namespace plakato {

// "Plakato\" under the user's temporary folder, with a trailing backslash;
// empty when the system names no temporary folder.
std::wstring DragFolder();

// The data object of one drag. The picture's JPEG, the same bytes the export
// writes, is written whole as `folder` + DragFileName(signText) and offered
// as CF_HDROP; the picture is offered as a 24-bit CF_DIB and as "PNG". When
// the file cannot be written (no folder, a folder that cannot be made, a full
// disc, a file in use) nothing of it is left and the drag offers the other
// two; likewise without "PNG" when the system cannot encode it.
ComPtr<IDataObject> MakePictureDataObject(PictureExport& picture, std::wstring_view signText,
                                          const std::wstring& folder);

// Drags the picture (MakePictureDataObject) until the left button is let go
// or Esc is pressed; the target may only copy it. Gives the effect the target
// took: DROPEFFECT_COPY, or DROPEFFECT_NONE for a refused or cancelled drop.
// The thread must hold an OleScope. Throws AppError when the drag cannot start.
DWORD DragPictureOut(PictureExport& picture, std::wstring_view signText, const std::wstring& folder);

// Removes the files of `folder` that IsStaleDragFile finds stale at `now`
// (100-nanosecond ticks since 1601, as FILETIME counts); subfolders and files
// that cannot be removed stay. Gives how many went. Never throws.
size_t RemoveStaleDragFiles(const std::wstring& folder, int64_t now) noexcept;
// The same at the present time, for the program's start.
size_t RemoveStaleDragFiles(const std::wstring& folder) noexcept;

}  // namespace plakato
