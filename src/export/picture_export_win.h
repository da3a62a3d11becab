// One export of the placard: the picture cut out of the scene by the last
// drawing's layout, encoded once, and written whole to its destination.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "export/picture_file_type.h"
#include "scene/pixels.h"
#include "scene/placard_scene.h"
#include "scene/placard_view_win.h"

namespace plakato {

class PictureExport {
 public:
  PictureExport(const PixelCanvas& scene, const SceneLayout& layout);
  explicit PictureExport(const RenderedScene& scene) : PictureExport(scene.pixels, scene.layout) {}

  const PixelCanvas& picture() const { return picture_; }
  // The JPEG file's bytes, encoded on first use; every write of this export
  // gets the same bytes.
  const std::vector<uint8_t>& Jpeg();
  // Writes the JPEG as the whole content of `path`; the picture is encoded
  // before the file is touched, so an encoder failure leaves no file.
  void WriteJpeg(const std::wstring& path);
  // Writes the picture to a file the user named, in `format`: a lossless
  // PNG or the JPEG.
  void WriteFile(const std::wstring& path, PictureFileFormat format);

 private:
  PixelCanvas picture_;
  std::vector<uint8_t> jpeg_;
};

}  // namespace plakato
