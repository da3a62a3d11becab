// The save dialog of the export: the system's save-file dialog with a small
// pane that previews the picture file under selection.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <utility>

#include "base/handles_win.h"

namespace plakato {

// Makes a bitmap of the picture file at `path`, scaled down to fit
// maxWidth x maxHeight, and tells the picture's own size; null when the file
// is not a picture it can read.
using PreviewLoader = UniqueBitmap (*)(const std::wstring& path, int maxWidth, int maxHeight, SIZE* pictureSize);

// What the user chose in the save dialog: the full path, and whether the
// type was the large picture's.
struct SavePictureAnswer {
  SavePictureAnswer(std::wstring chosenPath, bool largePicture = false)
      : path(std::move(chosenPath)), large(largePicture) {}
  std::wstring path;
  bool large;
};

// Filters "JPEG Image File (*.jpg)|*.jpg" (the default), "PNG Image File
// (*.png)|*.png" and "2x PNG Image File (*.png)|*.png" (the large picture),
// the default extension that of the type shown, overwrite prompt, no
// read-only box, resizable, no title or starting folder; opens on
// `initialName`. Gives the choice, nothing on Cancel.
std::optional<SavePictureAnswer> RunSavePictureDialog(HWND owner, const std::wstring& initialName,
                                                      PreviewLoader loader);

}  // namespace plakato
