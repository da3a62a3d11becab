// Which file format a picture is saved in: the name's extension when it is
// one the program writes, otherwise the type chosen in the save dialog.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace plakato {

enum class PictureFileFormat { Jpeg, Png, Webp, Gif };

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
    {L".webp", PictureFileFormat::Webp},
    {L".gif", PictureFileFormat::Gif},
};

// Which picture of the placard a file holds: the standard one, the large
// one at twice the scale, the 512-pixel sticker, or the animation (at the
// large picture's scale) of the motion chosen.
enum class PictureKind { Standard, Large, Sticker, Animation };

// One type of the save dialog: its name and pattern as the dialog lists
// them, and the picture and format it saves.
struct PictureSaveType {
  std::wstring_view name;
  std::wstring_view pattern;
  PictureKind kind;
  PictureFileFormat format;
};

// The save dialog's types, in the order it lists them; the first is the one
// it opens on. A new kind of picture is a row here.
inline constexpr PictureSaveType kPictureSaveTypes[] = {
    {L"JPEG Image File (*.jpg)", L"*.jpg", PictureKind::Standard, PictureFileFormat::Jpeg},
    {L"PNG Image File (*.png)", L"*.png", PictureKind::Standard, PictureFileFormat::Png},
    {L"2x PNG Image File (*.png)", L"*.png", PictureKind::Large, PictureFileFormat::Png},
    {L"WebP Sticker 512 (*.webp)", L"*.webp", PictureKind::Sticker, PictureFileFormat::Webp},
    {L"PNG Sticker 512 (*.png)", L"*.png", PictureKind::Sticker, PictureFileFormat::Png},
    {L"GIF Animation (*.gif)", L"*.gif", PictureKind::Animation, PictureFileFormat::Gif},
};

// The picture a file of `format` holds when saved with a type of `kind`: a
// WebP is always the sticker and a GIF the animation, the one picture the
// program writes in each; a still format named under the animation's type
// holds the standard still picture.
constexpr PictureKind KindSaved(PictureKind kind, PictureFileFormat format) {
  if (format == PictureFileFormat::Webp) return PictureKind::Sticker;
  if (format == PictureFileFormat::Gif) return PictureKind::Animation;
  return kind == PictureKind::Animation ? PictureKind::Standard : kind;
}

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
