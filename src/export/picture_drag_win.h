// Dragging the exported picture out of the window: the JPEG file in the
// program's folder under the user's temporary folder, the bitmap and the
// PNG, offered to the drop target through OLE.
#pragma once

#include <windows.h>
#include <ole2.h>

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/com_win.h"
#include "export/picture_export_win.h"

namespace plakato {

// "Plakato\" under the user's temporary folder, with a trailing backslash;
// empty when the system names no temporary folder.
std::wstring DragFolder();

// Numbered folders "1" to this less one inside the drag folder take a
// drag's file when its name is taken by another picture.
inline constexpr int kDragFolderCount = 100;

// A file the program leaves for a drag or a copy, named `name`: in the drag
// folder, or, when that name holds another picture there (an earlier drag's,
// which a chat may still be about to send), in the first numbered folder
// inside it where the name is free. A file that already holds exactly these
// bytes is offered again. No file is ever overwritten. Nothing and the
// reason, in the status bar's words, when no file can be written.
struct DragFile {
  std::optional<std::wstring> path;
  std::wstring whyNone;
};
DragFile WriteDragFile(const std::wstring& folder, const std::wstring& name, const std::vector<uint8_t>& bytes);

// The data object of one drag. The picture's JPEG, the same bytes the export
// writes, is written whole as `folder` + DragFileName(signText) and offered
// as CF_HDROP; the picture is offered as a 24-bit CF_DIB and as "PNG". A file
// of that name holding other bytes (an earlier drag's picture, which a chat
// may still be about to send) is never replaced: the file then goes into the
// first numbered folder inside `folder` where the name is free, under the
// same name; a file that holds exactly these bytes is offered again. When no
// file can be written (no folder, a folder that cannot be made, a full disc,
// every name taken) nothing of it is left, the drag offers the other two, and
// `whyNoFile` (when given) receives why, in the status bar's words; it is
// emptied when a file is offered. Without "PNG" when the system cannot
// encode it.
ComPtr<IDataObject> MakePictureDataObject(PictureExport& picture, std::wstring_view signText,
                                          const std::wstring& folder, std::wstring* whyNoFile = nullptr);

// What a drag offers: the still picture as bitmap and PNG, and a file of
// `fileBytes` named `fileName` (the JPEG of that picture, or the animation's
// GIF), written under the same rules.
struct DragOffer {
  const PixelCanvas& picture;
  std::wstring fileName;
  const std::vector<uint8_t>& fileBytes;
};
ComPtr<IDataObject> MakePictureDataObject(const DragOffer& offer, const std::wstring& folder,
                                          std::wstring* whyNoFile = nullptr);

// Drags the picture (MakePictureDataObject) until the left button is let go
// or Esc is pressed; the target may only copy it. Gives the effect the target
// took: DROPEFFECT_COPY, or DROPEFFECT_NONE for a refused or cancelled drop.
// The thread must hold an OleScope. Throws AppError when the drag cannot start.
// When the drag offers no file, `noFile` is told why before the drag starts.
DWORD DragPictureOut(const DragOffer& offer, const std::wstring& folder,
                     const std::function<void(const std::wstring&)>& noFile = nullptr);

// Removes the files of `folder` that IsStaleDragFile finds stale at `now`
// (100-nanosecond ticks since 1601, as FILETIME counts) and the program's
// stale temporary files (RemoveStaleTemporaryFiles), the same in its numbered
// folders, and a numbered folder left empty that has not changed for as long.
// Other subfolders and files that cannot be removed stay. No link is followed
// or removed, and a `folder` that is itself a link is left alone. Gives how
// many files went. Never throws.
size_t RemoveStaleDragFiles(const std::wstring& folder, int64_t now) noexcept;
// The same at the present time, for the program's start.
size_t RemoveStaleDragFiles(const std::wstring& folder) noexcept;

}  // namespace plakato
