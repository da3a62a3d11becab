#include "export/picture_export_win.h"

#include <cwctype>

#include "base/error.h"
#include "base/files_win.h"
#include "export/crop.h"
#include "export/jpeg_encode.h"
#include "export/png_codec_win.h"

namespace plakato {

PictureExport::PictureExport(const PixelCanvas& scene, const SceneLayout& layout)
    : picture_(ExportedPicture(scene, layout)) {
  if (picture_.width <= 0 || picture_.height <= 0) throw AppError(L"The placard has no area to export");
}

const std::vector<uint8_t>& PictureExport::Jpeg() {
  if (jpeg_.empty()) jpeg_ = EncodeJpeg(picture_);
  return jpeg_;
}

bool NamesPng(const std::wstring& path) {
  if (path.size() < 4) return false;
  std::wstring tail = path.substr(path.size() - 4);
  for (wchar_t& c : tail) c = static_cast<wchar_t>(towlower(c));
  return tail == L".png";
}

void PictureExport::WriteFile(const std::wstring& path) {
  if (NamesPng(path)) {
    WriteFileReplacing(path, EncodePng(picture_));
  } else {
    WriteJpeg(path);
  }
}

void PictureExport::WriteJpeg(const std::wstring& path) { WriteFileReplacing(path, Jpeg()); }

}  // namespace plakato
