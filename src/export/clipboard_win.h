// The exported picture on the clipboard, for pasting into chat programs,
// documents and image editors.
#pragma once

#include <windows.h>

#include <string>

#include "scene/pixels.h"

namespace plakato {

// How long to wait for another program to let go of the clipboard.
inline constexpr int kClipboardTries = 10;
inline constexpr DWORD kClipboardRetryMs = 50;

// The picture a window has put on the clipboard, as CF_DIB (24-bit) and as
// the registered "PNG" format, and the file standing for it as CF_HDROP
// when the copy names one. The bitmap goes there at once; the PNG, whose
// encoding costs more than the rest of a copy, is made when a program first
// asks for it (or when the window goes while the clipboard is still its own).
// The window passes its WM_RENDERFORMAT, WM_RENDERALLFORMATS and
// WM_DESTROYCLIPBOARD here.
// What one copy offers: the picture, whether its top byte is its alpha (the
// sticker's: the PNG keeps it, the bitmap shows the picture over white),
// and a file standing for it (CF_HDROP) when there is one.
struct ClipboardContent {
  PixelCanvas picture;
  bool withAlpha = false;
  std::wstring file;
};

class ClipboardPicture {
 public:
  // Replaces what the clipboard holds with `picture`. When another program
  // keeps the clipboard open past the retries, throws and leaves the
  // clipboard as it was.
  void Copy(HWND owner, const PixelCanvas& picture) { Copy(owner, ClipboardContent{picture, false, {}}); }
  void Copy(HWND owner, ClipboardContent content);

  // WM_RENDERFORMAT: puts the PNG on the clipboard, which the asking program
  // holds open. A PNG that cannot be made is left out: the program pasting
  // gets the bitmap, and no box interrupts its paste.
  void RenderFormat(UINT format);
  // WM_RENDERALLFORMATS: the window goes; the PNG stays on the clipboard.
  void RenderAllFormats(HWND owner);
  // WM_DESTROYCLIPBOARD: another copy replaced the picture.
  void Forget() { content_ = {}; }

 private:
  ClipboardContent content_;
};

}  // namespace plakato
