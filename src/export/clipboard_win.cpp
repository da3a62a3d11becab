#include "export/clipboard_win.h"

#include <cstring>
#include <vector>

#include "base/error.h"
#include "base/handles_win.h"
#include "export/dib_bytes.h"
#include "export/png_codec_win.h"

namespace plakato {

namespace {

inline void FreeGlobal(HGLOBAL h) { ::GlobalFree(h); }
using UniqueGlobal = UniqueAny<HGLOBAL, FreeGlobal>;

UniqueGlobal GlobalCopy(const std::vector<uint8_t>& bytes) {
  UniqueGlobal block(::GlobalAlloc(GMEM_MOVEABLE, bytes.size()));
  if (!block) throw AppError(L"Out of memory for the clipboard");
  void* data = ::GlobalLock(block.get());
  if (!data) throw AppError(L"Out of memory for the clipboard");
  std::memcpy(data, bytes.data(), bytes.size());
  ::GlobalUnlock(block.get());
  return block;
}

// OpenClipboard/CloseClipboard for one scope.
class OpenedClipboard {
 public:
  explicit OpenedClipboard(HWND owner) {
    for (int attempt = 0; attempt < kClipboardTries && !open_; ++attempt) {
      if (attempt > 0) ::Sleep(kClipboardRetryMs);
      open_ = ::OpenClipboard(owner) != FALSE;
    }
  }
  OpenedClipboard(const OpenedClipboard&) = delete;
  OpenedClipboard& operator=(const OpenedClipboard&) = delete;
  ~OpenedClipboard() {
    if (open_) ::CloseClipboard();
  }
  bool open() const { return open_; }

 private:
  bool open_ = false;
};

void Put(UINT format, UniqueGlobal block) {
  if (!::SetClipboardData(format, block.get())) throw AppError(L"The picture could not be put on the clipboard");
  block.release();  // the clipboard owns it now
}

}  // namespace

void CopyPictureToClipboard(HWND owner, const PixelCanvas& picture) {
  // Everything is made before the clipboard is touched, so a failure here
  // leaves what another program put there.
  UniqueGlobal dib = GlobalCopy(Dib24Bytes(picture));
  UniqueGlobal png = GlobalCopy(EncodePng(picture));
  UINT pngFormat = ::RegisterClipboardFormatW(L"PNG");
  if (!pngFormat) throw AppError(L"The picture could not be put on the clipboard");
  OpenedClipboard clipboard(owner);
  if (!clipboard.open()) throw AppError(L"剪贴板正被其他程序占用，图片没有复制，请稍后再试");
  if (!::EmptyClipboard()) throw AppError(L"The picture could not be put on the clipboard");
  Put(CF_DIB, std::move(dib));
  Put(pngFormat, std::move(png));
}

}  // namespace plakato
