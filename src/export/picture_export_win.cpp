#include "export/picture_export_win.h"

#include "base/error.h"
#include "base/files_win.h"
#include "export/crop.h"
#include "export/jpeg_encode.h"
#include "export/png_codec_win.h"

namespace plakato {

PictureExport::PictureExport(const PixelCanvas& scene, const SceneLayout& layout)
    : picture_(ExportedPicture(scene, layout)) {
  if (picture_.width <= 0 || picture_.height <= 0) throw AppError(L"牌子没有可导出的部分");
}

const std::vector<uint8_t>& PictureExport::Jpeg() {
  if (jpeg_.empty()) jpeg_ = EncodeJpeg(picture_);
  return jpeg_;
}

void PictureExport::WriteFile(const std::wstring& path, PictureFileFormat format) {
  if (format == PictureFileFormat::Png) {
    WriteFileReplacing(path, EncodePng(picture_));
  } else {
    WriteJpeg(path);
  }
}

void PictureExport::WriteJpeg(const std::wstring& path) { WriteFileReplacing(path, Jpeg()); }

}  // namespace plakato
