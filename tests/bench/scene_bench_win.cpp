// Benchmark: one redraw of the placard scene as a face click makes it
// (DrawPlacard, then the repaint of the picture), for every face. Prints the
// median per face and overall. With --sheet FILE.bmp it also saves the real
// scene for every face, stacked, as a picture.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "app/main_window_win.h"
#include "app/message_edit_win.h"
#include "driver_win.h"
#include "scene/scene_surface_win.h"

namespace {

void Click(plakato::MainWindow& form, int face, bool repaint = true) {
  // The tool bar's click as the face strip's pager receives it.
  HWND bar = form.Control(plakato::ControlId::FaceToolBar);
  ::SendMessageW(form.Control(plakato::ControlId::FacePager), WM_COMMAND,
                 MAKEWPARAM(plakato::kFaceCommandBase + face, BN_CLICKED), reinterpret_cast<LPARAM>(bar));
  if (repaint) ::UpdateWindow(form.Control(plakato::ControlId::PlacardImage));
}

void SaveSheet(plakato::MainWindow& form, const wchar_t* path) {
  const int w = 371, h = 120, faces = 17;
  HDC source = form.State().surface->dc();
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), w, -h * faces, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  HDC memory = ::CreateCompatibleDC(source);
  HBITMAP dib = ::CreateDIBSection(source, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = ::SelectObject(memory, dib);
  for (int k = 0; k < faces; ++k) {
    Click(form, k);
    ::BitBlt(memory, 0, k * h, w, h, source, 0, 0, SRCCOPY);
  }
  ::GdiFlush();
  DWORD stride = (w * 3 + 3) / 4 * 4, size = stride * h * faces;
  BITMAPFILEHEADER file{0x4D42, static_cast<DWORD>(sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER) + size), 0, 0,
                        sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER)};
  FILE* out = _wfopen(path, L"wb");
  if (out) {
    fwrite(&file, sizeof file, 1, out);
    fwrite(&info.bmiHeader, sizeof(BITMAPINFOHEADER), 1, out);
    fwrite(bits, size, 1, out);
    fclose(out);
  }
  ::SelectObject(memory, old);
  ::DeleteObject(dib);
  ::DeleteDC(memory);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_WIN95_CLASSES | ICC_COOL_CLASSES | ICC_PAGESCROLLER_CLASS};
  ::InitCommonControlsEx(&icc);
  plakato::MainWindowOptions options;
  options.quitOnClose = false;
  plakato::MainWindow form(options);
  form.Create();
  form.Show();
  if (argc == 3 && std::wstring(argv[1]) == L"--sheet") {
    SaveSheet(form, argv[2]);
    return 0;
  }
  const int rounds = 300;
  // The strip's highlight follows a pick only while the strip has the
  // focus; the figures are of the pick and the redraw, as a click makes
  // them when the focus is elsewhere.
  HWND pager = form.Control(plakato::ControlId::FacePager);
  ::SetFocus(form.handle());
  std::vector<double> all;
  std::printf("DrawPlacard + repaint of the picture, median of %d redraws:\n", rounds);
  for (int face = 0; face < 17; ++face) {
    std::vector<double> times;
    for (int i = 0; i < rounds; ++i) {
      double start = driver::NowMs();
      Click(form, face);
      times.push_back(driver::NowMs() - start);
    }
    std::printf("  face %2d: %.3f ms\n", face, driver::Median(times));
    all.insert(all.end(), times.begin(), times.end());
  }
  std::printf("all faces: median %.3f ms\n", driver::Median(all));
  // The same without the repaint, to show where the time goes.
  std::vector<double> drawOnly;
  for (int i = 0; i < rounds; ++i) {
    double start = driver::NowMs();
    Click(form, i % 17, false);
    drawOnly.push_back(driver::NowMs() - start);
  }
  ::UpdateWindow(form.Control(plakato::ControlId::PlacardImage));
  ::SetFocus(pager);
  std::printf("DrawPlacard alone (no repaint): median %.3f ms\n", driver::Median(drawOnly));

  // A keystroke in the message edit to the repainted scene: the edit takes
  // the character (with its byte check), reports the change, the scene is
  // drawn and the picture repainted. The text grows to the full 30 bytes (15
  // Chinese characters) and is emptied again, over and over.
  HWND edit = form.Control(plakato::ControlId::SignTextEdit);
  HWND image = form.Control(plakato::ControlId::PlacardImage);
  const std::wstring text = L"一二三四五六七八九十甲乙丙丁戊";
  std::vector<double> keys;
  std::vector<double> fullKeys;
  std::vector<double> typing, editPaint;
  for (int round = 0; round < 40; ++round) {
    ::SendMessageW(edit, EM_SETSEL, 0, -1);
    ::SendMessageW(edit, WM_CHAR, VK_BACK, 1);
    ::UpdateWindow(edit);
    for (size_t i = 0; i < text.size(); ++i) {
      double start = driver::NowMs();
      ::SendMessageW(edit, WM_CHAR, text[i], 1);
      double typed = driver::NowMs();
      ::UpdateWindow(edit);
      double editPainted = driver::NowMs();
      ::UpdateWindow(image);
      double ms = driver::NowMs() - start;
      typing.push_back(typed - start);
      editPaint.push_back(editPainted - typed);
      keys.push_back(ms);
      if (i + 1 == text.size()) fullKeys.push_back(ms);
    }
  }
  std::printf("keystroke in the message edit to the repainted scene: median %.3f ms over %zu keys "
              "(the key that fills 30 bytes: %.3f ms)\n",
              driver::Median(keys), keys.size(), driver::Median(fullKeys));
  std::printf("  of which: the edit takes the key and the scene is drawn %.3f ms, the edit repaints %.3f ms\n",
              driver::Median(typing), driver::Median(editPaint));
  {
    // The same keys into a plain edit of the same font, outside the form: the system's own share.
    HWND plain = ::CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"", WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, 0, 0, 209, 20,
                                   form.Control(plakato::ControlId::SettingsPanel), nullptr, nullptr, nullptr);
    ::SendMessageW(plain, WM_SETFONT, ::SendMessageW(edit, WM_GETFONT, 0, 0), FALSE);
    auto typeInto = [&](HWND target) {
      std::vector<double> times;
      for (int round = 0; round < 40; ++round) {
        ::SetWindowTextW(target, L"");
        for (wchar_t c : text) {
          double start = driver::NowMs();
          ::SendMessageW(target, WM_CHAR, c, 1);
          times.push_back(driver::NowMs() - start);
        }
      }
      return driver::Median(times);
    };
    std::printf("  a plain edit takes such a key in %.3f ms", typeInto(plain));
    plakato::LimitEditToCp936Bytes(plain);
    std::printf(", with the byte limit in %.3f ms\n", typeInto(plain));
    ::DestroyWindow(plain);
  }
  // Where a keystroke's time goes, with the full 30-byte text on the sign.
  ::SetFocus(form.handle());
  std::vector<double> draw, repaint;
  for (int i = 0; i < 300; ++i) {
    double start = driver::NowMs();
    Click(form, 0, false);
    double drawn = driver::NowMs();
    ::UpdateWindow(image);
    draw.push_back(drawn - start);
    repaint.push_back(driver::NowMs() - drawn);
  }
  ::SetFocus(pager);
  std::printf("  with the 30-byte text: DrawPlacard %.3f ms, repaint of the picture %.3f ms\n", driver::Median(draw),
              driver::Median(repaint));

  // What an export or a copy reads before it crops: the whole scene.
  const plakato::SceneSurface& scene = *form.State().surface;
  std::vector<double> reads;
  for (int i = 0; i < 300; ++i) {
    double start = driver::NowMs();
    plakato::PixelCanvas read = scene.ReadPixels();
    reads.push_back(driver::NowMs() - start);
  }
  std::printf("reading the whole %dx%d scene's pixels: median %.3f ms\n", scene.width(), scene.height(),
              driver::Median(reads));

  // The same redraw, all faces, with the window on a display of each dpi
  // (told by WM_DPICHANGED), against the redraw at 96 dpi: 2x at most twice.
  ::SetWindowTextW(edit, L"Quillion");
  auto allFaces = [&] {
    std::vector<double> times;
    for (int i = 0; i < 17 * 60; ++i) {
      double start = driver::NowMs();
      Click(form, i % 17);
      times.push_back(driver::NowMs() - start);
    }
    return driver::Median(times);
  };
  auto moveTo = [&](int dpi) {
    RECT place;
    ::GetWindowRect(form.handle(), &place);
    ::SendMessageW(form.handle(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&place));
  };
  double at96 = allFaces();
  std::printf("redraw + repaint by display dpi (all faces, median): 96 dpi %.3f ms", at96);
  for (int dpi : {120, 144, 192}) {
    moveTo(dpi);
    double ms = allFaces();
    std::printf(", %d dpi %.3f ms (%.2fx)", dpi, ms, ms / at96);
  }
  moveTo(96);
  std::printf("\n");

  // One frame of the playing 举牌 as its timer shows it: the scene drawn in
  // the next pose and the picture repainted, at 96 and at 192 dpi.
  ::SendMessageW(form.handle(), WM_COMMAND, MAKEWPARAM(plakato::MainWindow::kFirstMotionCommand + 1, 0), 0);
  std::printf("one frame of the playing animation (draw + repaint), median of %d:", rounds);
  for (int dpi : {96, 192}) {
    moveTo(dpi);
    std::vector<double> frames;
    for (int i = 0; i < rounds; ++i) {
      double start = driver::NowMs();
      ::SendMessageW(form.handle(), WM_TIMER, 1, 0);
      ::UpdateWindow(image);
      frames.push_back(driver::NowMs() - start);
    }
    std::printf(" %d dpi %.3f ms", dpi, driver::Median(frames));
  }
  moveTo(96);
  std::printf("\n");
  return 0;
}
