// The emoticon store: the exported picture named by its identifier in the
// messenger's panel folder, its thumbnail beside it, and its entry in the
// account's face.xml.
#include <windows.h>

#include <algorithm>
#include <vector>

#include "base/code_page.h"
#include "base/files_win.h"
#include "app/main_form_win.h"
#include "export/file_digest_win.h"
#include "messenger/bmp_file.h"
#include "messenger/face_index.h"

namespace plakato {

namespace {

std::wstring WidenAscii(const std::string& text) { return std::wstring(text.begin(), text.end()); }

// Image 3 of the piece list on white, as a bitmap compatible with the screen
// saved in the screen's colour depth.
std::vector<uint8_t> ThumbnailBmp(const ImageList& pieces) {
  PixelCanvas thumb;
  if (!pieces.GetBitmap(3, thumb)) throw AppError(L"The thumbnail picture is missing");
  WindowDc screen(nullptr);
  int depth = ::GetDeviceCaps(screen.get(), BITSPIXEL) * ::GetDeviceCaps(screen.get(), PLANES);
  UniqueBitmap bitmap(::CreateCompatibleBitmap(screen.get(), thumb.width, thumb.height));
  if (!bitmap) throw AppError(L"Out of memory for the thumbnail");

  BITMAPINFO in{};
  in.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  in.bmiHeader.biWidth = thumb.width;
  in.bmiHeader.biHeight = -thumb.height;
  in.bmiHeader.biPlanes = 1;
  in.bmiHeader.biBitCount = 32;
  std::vector<uint32_t> bgrx(thumb.pixels.size());
  std::transform(thumb.pixels.begin(), thumb.pixels.end(), bgrx.begin(), SwapRedBlue);
  ::SetDIBits(screen.get(), bitmap.get(), 0, static_cast<UINT>(thumb.height), bgrx.data(), &in, DIB_RGB_COLORS);

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
    throw AppError(L"The thumbnail cannot be converted to the screen's colours");
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

}  // namespace

void TForm1::StoreEmoticon(const std::vector<uint8_t>& jpeg) {
  FFaceId = WidenAscii(ComputeFileDigest(FPanelDir + L"tempfile.jpg"));
  WriteFileReplacing(FPanelDir + FFaceId + L".jpg", jpeg);
  WriteFileReplacing(FPanelDir + FFaceId + L"fixed.bmp", ThumbnailBmp(ImageList2));
  UpdateFaceIndex();
}

void TForm1::UpdateFaceIndex() {
  Memo1.LoadBytes(ReadWholeFile(FFaceIndexPath, FILE_SHARE_READ));
  // The edit only ever takes text that code page 936 can hold.
  std::optional<std::string> message = EncodeCp936(scene_.FMessage);
  if (!message) throw AppError(L"The sign text cannot be written into face.xml");
  std::string id(FFaceId.begin(), FFaceId.end());
  PatchFaceIndex(Memo1, id, *message);
  const std::string& text = Memo1.Text();
  WriteFileReplacing(FFaceIndexPath, {reinterpret_cast<const uint8_t*>(text.data()), text.size()});
}

}  // namespace plakato
