// The emoticon store of one messenger account: the exported picture named by
// its identifier in the account's panel folder, its thumbnail beside it, and
// its entry in the account's face.xml.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "messenger/account_win.h"
#include "messenger/line_buffer.h"
#include "scene/pixels.h"

namespace plakato {

class EmoticonStore {
 public:
  // `pieces`: the piece list whose Piece::Thumbnail is every emoticon's thumbnail.
  EmoticonStore(const MessengerAccount& account, const ImageList& pieces) : account_(account), pieces_(pieces) {}

  // Stores one emoticon: the JPEG as tempfile.jpg, then as <ID>.jpg, the
  // thumbnail as <ID>fixed.bmp, and the entry with `signText` in face.xml.
  // Gives the identifier. The sign text is checked before any file is
  // written; an error later ends the store there, leaving what was written.
  std::string Store(const std::vector<uint8_t>& jpeg, const std::wstring& signText);

  // face.xml between loading and saving.
  const LineBuffer& indexLines() const { return indexLines_; }

 private:
  void UpdateFaceIndex(const std::string& id, const std::string& signText);

  const MessengerAccount& account_;
  const ImageList& pieces_;
  LineBuffer indexLines_;
};

// Image `thumb` on white as the messenger wants it: a bitmap compatible with
// the screen, saved in the screen's colour depth. Throws when the system
// cannot convert it.
std::vector<uint8_t> ThumbnailBmp(const PixelCanvas& thumb);

}  // namespace plakato
