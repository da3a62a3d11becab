// What starting a drag costs before the pointer moves on: the data object
// (JPEG written to the drag folder, bitmap, PNG) against the export's file
// write of the same picture alone. Prints figures; nothing passes or fails.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "base/com_win.h"
#include "bench_timing.h"
#include "export/picture_drag_win.h"
#include "export/picture_export_win.h"

namespace {

using bench::Median;
using bench::Seconds;

// A scene of the window's size whose sign area holds text-like strokes.
plakato::PixelCanvas Scene() {
  plakato::PixelCanvas p(371, 120);
  uint32_t state = 12345;
  for (int y = 40; y < 100; ++y) {
    for (int x = 130; x < 240; ++x) {
      state = state * 1664525u + 1013904223u;
      if ((state >> 28) < 5) p.At(x, y) = (state >> 20) & 1 ? 0x000000 : 0x404040;
    }
  }
  return p;
}

}  // namespace

int main(int argc, char** argv) {
  int runs = argc > 1 ? std::atoi(argv[1]) : 100;
  plakato::OleScope ole;
  wchar_t temp[MAX_PATH + 1];
  ::GetTempPathW(MAX_PATH + 1, temp);
  std::wstring folder = std::wstring(temp) + L"plakato-drag-bench\\";
  ::CreateDirectoryW(folder.c_str(), nullptr);
  const plakato::PixelCanvas scene = Scene();
  std::printf("%-9s %16s %16s %8s\n", "picture", "drag data median", "export median", "ratio");
  for (plakato::SceneLayout layout : {plakato::SceneLayout{100, 61}, plakato::SceneLayout{371, 120}}) {
    std::vector<double> drag, exported;
    for (int i = 0; i < runs; ++i) {  // alternated, so both see the same machine load
      drag.push_back(Seconds([&] {
        plakato::PictureExport picture(scene, layout);
        plakato::MakePictureDataObject(picture, L"举牌", folder);
      }));
      exported.push_back(Seconds([&] { plakato::PictureExport(scene, layout).WriteJpeg(folder + L"export.jpg"); }));
    }
    double d = Median(drag), e = Median(exported);
    std::printf("%4dx%-4d %13.3f ms %13.3f ms %7.2fx\n", layout.signWidth, layout.sceneHeight, d * 1e3, e * 1e3, d / e);
  }
  std::printf("(%d runs each)\n", runs);
  ::DeleteFileW((folder + L"举牌.jpg").c_str());
  ::DeleteFileW((folder + L"export.jpg").c_str());
  ::RemoveDirectoryW(folder.c_str());
  return 0;
}
