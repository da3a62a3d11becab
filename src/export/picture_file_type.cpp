#include "export/picture_file_type.h"

#include <utility>

namespace plakato {

namespace {

bool EndsWithIgnoringCase(std::wstring_view text, std::wstring_view lowerTail) {
  if (text.size() < lowerTail.size()) return false;
  text.remove_prefix(text.size() - lowerTail.size());
  for (size_t i = 0; i < text.size(); ++i) {
    wchar_t c = text[i];
    if (c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c - L'A' + L'a');
    if (c != lowerTail[i]) return false;
  }
  return true;
}

}  // namespace

std::optional<PictureFileFormat> FormatNamedBy(std::wstring_view path) {
  for (const PictureFileExtension& row : kPictureFileExtensions) {
    if (EndsWithIgnoringCase(path, row.extension)) return row.format;
  }
  return std::nullopt;
}

std::wstring_view ExtensionOf(PictureFileFormat format) {
  for (const PictureFileExtension& row : kPictureFileExtensions) {
    if (row.format == format) return row.extension;
  }
  return {};
}

PictureFileTarget ChooseSaveTarget(std::wstring path, PictureFileFormat chosen) {
  if (std::optional<PictureFileFormat> named = FormatNamedBy(path)) return {std::move(path), *named};
  path += ExtensionOf(chosen);
  return {std::move(path), chosen};
}

}  // namespace plakato
