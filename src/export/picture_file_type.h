// Which file format a picture is saved in: the name's extension when it is
// one the program writes, otherwise the type chosen in the save dialog.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace plakato {

enum class PictureFileFormat { Jpeg, Png };

struct PictureFileExtension {
  std::wstring_view extension;  // with its dot, in lower case
  PictureFileFormat format;
};

// Every extension the program writes; the first of a format is the one a
// name of that type gets added. A new format is a row here.
inline constexpr PictureFileExtension kPictureFileExtensions[] = {
    {L".jpg", PictureFileFormat::Jpeg},
    {L".jpeg", PictureFileFormat::Jpeg},
    {L".png", PictureFileFormat::Png},
};

// The format the name's extension (in any case) asks for; nothing when it
// ends in no extension the program writes.
std::optional<PictureFileFormat> FormatNamedBy(std::wstring_view path);

// The extension added to a name saved as `format` (".jpg", ".png").
std::wstring_view ExtensionOf(PictureFileFormat format);

struct PictureFileTarget {
  std::wstring path;
  PictureFileFormat format;
};

// Where and in which format the picture goes when the user named `path`
// with the type of format `chosen` selected: a name ending in an extension
// the program writes is kept and its extension decides; any other name
// ("bigcn.jpgyellow", "notes.txt", "photo") is saved as `chosen` with that
// type's extension added, as the system's own dialogs do.
PictureFileTarget ChooseSaveTarget(std::wstring path, PictureFileFormat chosen);

}  // namespace plakato
