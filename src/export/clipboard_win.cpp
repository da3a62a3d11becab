#include "export/clipboard_win.h"

#include <vector>

#include "base/error.h"
#include "base/global_memory_win.h"
#include "export/dib_bytes.h"
#include "export/picture_data_object_win.h"
#include "export/png_codec_win.h"
#include "export/sticker.h"

namespace plakato {

namespace {

UniqueGlobal GlobalCopy(const std::vector<uint8_t>& bytes) {
  UniqueGlobal block = CopyToGlobal(bytes);
  if (!block) throw AppError(L"内存不足，无法复制到剪贴板");
  return block;
}

// Waits `ms` milliseconds while answering what other programs send to this
// thread's windows, but taking no posted message or input. The program that
// holds the clipboard may be pasting our picture and waiting for our
// WM_RENDERFORMAT; asleep, we would keep it waiting until we gave up.
void WaitAnsweringSentMessages(DWORD ms) {
  const DWORD start = ::GetTickCount();
  for (DWORD elapsed = 0; elapsed < ms; elapsed = ::GetTickCount() - start) {
    DWORD woken = ::MsgWaitForMultipleObjectsEx(0, nullptr, ms - elapsed, QS_SENDMESSAGE, 0);
    if (woken == WAIT_TIMEOUT) return;
    if (woken != WAIT_OBJECT_0) {
      ::Sleep(ms - elapsed);
      return;
    }
    // Peeking delivers the sent messages waiting for this thread; no posted
    // message matches PM_QS_SENDMESSAGE, so none is taken.
    MSG message;
    ::PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
  }
}

// OpenClipboard/CloseClipboard for one scope.
class OpenedClipboard {
 public:
  explicit OpenedClipboard(HWND owner) {
    for (int attempt = 0; attempt < kClipboardTries && !open_; ++attempt) {
      if (attempt > 0) WaitAnsweringSentMessages(kClipboardRetryMs);
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
  if (!::SetClipboardData(format, block.get())) throw AppError(L"图片没能放到剪贴板上");
  block.release();  // the clipboard owns it now
}

}  // namespace

void ClipboardPicture::Copy(HWND owner, ClipboardContent content) {
  // Everything is made before the clipboard is touched, so a failure here
  // leaves what another program put there.
  UniqueGlobal dib = GlobalCopy(Dib24Bytes(content.withAlpha ? OverBackground(content.picture, 0xFFFFFF)
                                                             : content.picture));
  UniqueGlobal drop;
  if (!content.file.empty()) drop = GlobalCopy(DropFilesBytes(content.file));
  UINT pngFormat = PngClipboardFormat();
  if (!pngFormat) throw AppError(L"图片没能放到剪贴板上");
  OpenedClipboard clipboard(owner);
  if (!clipboard.open()) throw AppError(L"剪贴板正被其他程序占用，图片没有复制，请稍后再试");
  // Emptying tells the last owner, maybe this window, to forget its picture.
  if (!::EmptyClipboard()) throw AppError(L"图片没能放到剪贴板上");
  Put(CF_DIB, std::move(dib));
  if (drop) Put(CF_HDROP, std::move(drop));
  ::SetClipboardData(pngFormat, nullptr);  // made on request
  content_ = std::move(content);
}

void ClipboardPicture::RenderFormat(UINT format) {
  if (format != PngClipboardFormat() || content_.picture.pixels.empty()) return;
  try {
    UniqueGlobal png =
        CopyToGlobal(EncodePng(content_.picture, content_.withAlpha ? PngAlpha::FromTopByte : PngAlpha::None));
    if (png && ::SetClipboardData(format, png.get())) png.release();
  } catch (const std::exception&) {
    // Left out; see the header.
  }
}

void ClipboardPicture::RenderAllFormats(HWND owner) {
  if (content_.picture.pixels.empty()) return;
  OpenedClipboard clipboard(owner);
  if (clipboard.open() && ::GetClipboardOwner() == owner) RenderFormat(PngClipboardFormat());
  content_ = {};
}

}  // namespace plakato
