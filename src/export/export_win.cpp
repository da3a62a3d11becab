// The export: the drawn placard cut out of the scene and written as a JPEG,
// to a file the user names or into the messenger's panel folder.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>

#include "base/files_win.h"
#include "app/main_form_win.h"
#include "export/crop.h"
#include "export/jpeg_encode.h"
#include "scene/scene_surface_win.h"

namespace plakato {

namespace {

// The part `crop` of the scene as a picture of its size; white where it
// reaches outside the scene. Pixels are copied as they are, never scaled.
PixelCanvas CopyFromScene(const SceneSurface& scene, const SceneRect& crop) {
  int width = crop.right - crop.left;
  int height = crop.bottom - crop.top;
  if (width <= 0 || height <= 0) throw AppError(L"The placard has no area to export");
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top-down rows
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  UniqueBitmap picture(::CreateDIBSection(scene.dc(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!picture) throw AppError(L"Out of memory for the exported picture");
  auto* px = static_cast<uint32_t*>(bits);
  std::fill(px, px + static_cast<size_t>(width) * height, 0x00FFFFFFu);
  // Only the part inside the scene is copied; the rest stays white.
  int left = std::max(crop.left, 0);
  int top = std::max(crop.top, 0);
  int right = std::min(crop.right, scene.width());
  int bottom = std::min(crop.bottom, scene.height());
  if (left < right && top < bottom) {
    UniqueDc dc(::CreateCompatibleDC(scene.dc()));
    SelectGuard select(dc.get(), picture.get());
    ::BitBlt(dc.get(), left - crop.left, top - crop.top, right - left, bottom - top, scene.dc(), left, top, SRCCOPY);
    ::GdiFlush();
  }
  PixelCanvas canvas(width, height);
  std::transform(px, px + canvas.pixels.size(), canvas.pixels.begin(), SwapRedBlue);
  return canvas;
}

}  // namespace

void TForm1::SetStatusText(const std::wstring& text) {
  ::SendMessageW(Control("StatusBar1"), SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void TForm1::Button2Click() {
  SetStatusText(L"");
  SceneSurface& scene = SceneCanvas();
  SceneRect bounds = scene.ClipBox();
  SceneRect crop = CropRectangle(bounds.right, bounds.bottom, scene_.FSignWidth, scene_.FSceneHeight);
  PixelCanvas picture = CopyFromScene(scene, crop);

  // Messenger mode is decided once; the dialog is modal, so it cannot change.
  bool toMessenger = ::SendMessageW(Control("CheckBox1"), BM_GETCHECK, 0, 0) == BST_CHECKED;
  std::wstring destination;
  if (toMessenger) {
    destination = FPanelDir + L"tempfile.jpg";
  } else {
    std::optional<std::wstring> chosen = ui_.SavePicture(window_, SavePictureDialog1);
    if (!chosen) return;
    SavePictureDialog1 = *chosen;
    destination = *chosen;
  }
  // Encoded once, before any file is touched, so that an encoder failure
  // leaves no file behind; the same bytes serve every write of this export.
  const std::vector<uint8_t> jpeg = EncodeJpeg(picture);
  WriteFileReplacing(destination, jpeg);
  if (toMessenger) StoreEmoticon(jpeg);
  SetStatusText(L"导出成功至：" + destination);
}

}  // namespace plakato
