// The save dialog of the export: the system's save-file dialog with a small
// pane that previews the picture file under selection.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <utility>

#include "base/handles_win.h"
#include "export/picture_file_type.h"

namespace plakato {

// Makes a bitmap of the picture file at `path`, scaled down to fit
// maxWidth x maxHeight, and tells the picture's own size; null when the file
// is not a picture it can read.
using PreviewLoader = UniqueBitmap (*)(const std::wstring& path, int maxWidth, int maxHeight, SIZE* pictureSize);

// What the user chose in the save dialog: the full path, whether the type
// was the large picture's, and the chosen type's format (the large picture's
// is PNG, the first type's JPEG).
struct SavePictureAnswer {
  SavePictureAnswer(std::wstring chosenPath, bool largePicture = false)
      : SavePictureAnswer(std::move(chosenPath), largePicture,
                          largePicture ? PictureFileFormat::Png : PictureFileFormat::Jpeg) {}
  SavePictureAnswer(std::wstring chosenPath, bool largePicture, PictureFileFormat chosenType)
      : path(std::move(chosenPath)), large(largePicture), type(chosenType) {}
  std::wstring path;
  bool large;
  PictureFileFormat type;
  // The file the picture goes to, and its format (ChooseSaveTarget).
  PictureFileTarget Target() const { return ChooseSaveTarget(path, type); }
};

// Filters "JPEG Image File (*.jpg)|*.jpg" (the default), "PNG Image File
// (*.png)|*.png" and "2x PNG Image File (*.png)|*.png" (the large picture),
// the default extension that of the type shown, overwrite prompt, no
// read-only box, resizable, no title or starting folder; opens on
// `initialName`. A name that does not end in an extension the program
// writes gets the chosen type's before the dialog closes, so that the
// dialog asks about replacing the file really written. Gives the choice,
// nothing on Cancel.
std::optional<SavePictureAnswer> RunSavePictureDialog(HWND owner, const std::wstring& initialName,
                                                      PreviewLoader loader);

}  // namespace plakato
