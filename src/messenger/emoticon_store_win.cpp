#include "messenger/emoticon_store_win.h"

#include <windows.h>

#include <vector>

#include "base/code_page.h"
#include "base/error.h"
#include "base/files_win.h"
#include "base/handles_win.h"
#include "messenger/file_digest_win.h"
#include "messenger/bmp_file.h"
#include "messenger/face_index.h"
#include "scene/scene_surface_win.h"
#include "scene/sign_text.h"

namespace plakato {

std::vector<uint8_t> ThumbnailBmp(const PixelCanvas& thumb) {
  WindowDc screen(nullptr);
  int depth = ::GetDeviceCaps(screen.get(), BITSPIXEL) * ::GetDeviceCaps(screen.get(), PLANES);
  UniqueBitmap bitmap(::CreateCompatibleBitmap(screen.get(), thumb.width, thumb.height));
  if (!bitmap) throw AppError(L"内存不足，无法生成缩略图");
  WriteBitmapPixels(screen.get(), bitmap.get(), thumb);

  // Read back in the screen's depth, bottom-up, with a colour table where
  // the depth needs one.
  struct {
    BITMAPINFOHEADER header;
    RGBQUAD colours[256];
  } out{};
  out.header.biSize = sizeof(BITMAPINFOHEADER);
  out.header.biWidth = thumb.width;
  out.header.biHeight = thumb.height;
  out.header.biPlanes = 1;
  out.header.biBitCount = static_cast<WORD>(depth);
  out.header.biCompression = BI_RGB;
  std::vector<uint8_t> rows(static_cast<size_t>(BmpRowBytes(thumb.width, depth)) * thumb.height);
  if (::GetDIBits(screen.get(), bitmap.get(), 0, static_cast<UINT>(thumb.height), rows.data(),
                  reinterpret_cast<BITMAPINFO*>(&out), DIB_RGB_COLORS) == 0) {
    throw AppError(L"缩略图无法转换为屏幕的颜色");
  }
  std::vector<uint32_t> table;
  if (depth <= 8) {
    for (int i = 0; i < (1 << depth); ++i) {
      const RGBQUAD& q = out.colours[i];
      table.push_back(static_cast<uint32_t>(q.rgbBlue) | (q.rgbGreen << 8) | (q.rgbRed << 16));
    }
  }
  return BmpFileBytes(thumb.width, thumb.height, depth, rows, table);
}

std::string EmoticonStore::Store(const std::vector<uint8_t>& jpeg, const std::wstring& signText) {
  // Text that did not come through the message edit's rules is refused
  // before anything is written.
  std::optional<std::string> text = EncodeCp936(signText);
  if (!text) throw AppError(L"牌子文字无法写入 face.xml");
  if (text->size() > kMessageByteLimit) {
    throw AppError(L"牌子文字超过了 " + std::to_wstring(kMessageByteLimit) + L" 字节");
  }
  RequireIndexableText(*text);
  PixelCanvas thumb;
  if (!pieces_.GetBitmap(PieceIndex(Piece::Thumbnail), thumb)) throw AppError(L"The thumbnail picture is missing");

  const std::wstring temp = account_.TempPicturePath();
  WriteFileReplacing(temp, jpeg);
  // The identifier is the digest of the file as it lies on disk, read back,
  // so that it names exactly the bytes the messenger will find there.
  const std::string id = ComputeFileDigest(temp);
  const std::wstring wideId(id.begin(), id.end());
  WriteFileReplacing(account_.panelDir() + wideId + L".jpg", jpeg);
  WriteFileReplacing(account_.panelDir() + wideId + L"fixed.bmp", ThumbnailBmp(thumb));
  UpdateFaceIndex(id, *text);
  return id;
}

void EmoticonStore::UpdateFaceIndex(const std::string& id, const std::string& signText) {
  indexLines_.LoadBytes(ReadWholeFile(account_.faceIndexPath(), FILE_SHARE_READ));
  PatchFaceIndex(indexLines_, id, signText);
  const std::string& text = indexLines_.Text();
  WriteFileReplacing(account_.faceIndexPath(), {reinterpret_cast<const uint8_t*>(text.data()), text.size()});
}

}  // namespace plakato
