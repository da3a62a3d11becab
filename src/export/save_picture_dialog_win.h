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

// What the user chose in the save dialog: the full path, and the chosen
// type's picture and format.
struct SavePictureAnswer {
  SavePictureAnswer(std::wstring chosenPath, bool largePicture = false)
      : SavePictureAnswer(std::move(chosenPath), largePicture ? PictureKind::Large : PictureKind::Standard,
                          largePicture ? PictureFileFormat::Png : PictureFileFormat::Jpeg) {}
  SavePictureAnswer(std::wstring chosenPath, PictureKind chosenKind, PictureFileFormat chosenType)
      : path(std::move(chosenPath)), kind(chosenKind), type(chosenType) {}
  std::wstring path;
  PictureKind kind;
  PictureFileFormat type;
  // The file the picture goes to, and its format (ChooseSaveTarget).
  PictureFileTarget Target() const { return ChooseSaveTarget(path, type); }
  // The picture that file holds.
  PictureKind KindOfFile() const { return KindSaved(kind, Target().format); }
};

// The types of kPictureSaveTypes (the first the default), the default
// extension that of the type shown, overwrite prompt, no
// read-only box, resizable, no title or starting folder; opens on
// `initialName`. A name that does not end in an extension the program
// writes gets the chosen type's before the dialog closes, so that the
// dialog asks about replacing the file really written. Gives the choice,
// nothing on Cancel.
std::optional<SavePictureAnswer> RunSavePictureDialog(HWND owner, const std::wstring& initialName,
                                                      PreviewLoader loader);

}  // namespace plakato
