// Benchmark of the sticker and the largest picture under Wine: the sticker
// drawn and encoded as WebP, its sizes and file sizes for four texts; the
// largest placard (15 wide characters at 72 points) drawn at 2x, with its
// time and the process's peak memory. With --save FOLDER it only writes the
// default sign's sticker as PNG and WebP and its 2x picture there, for the
// docs' pictures and the test that reads them back, and a long sign at 20 and
// 72 points as the window shows it and as it is sent.
// Prints figures; nothing passes or fails.
#include <windows.h>
#include <psapi.h>

#include <cstdio>
#include <string>
#include <vector>

#include "base/files_win.h"
#include "bench_timing.h"
#include "export/picture_export_win.h"
#include "export/png_codec_win.h"
#include "export/sticker.h"
#include "export/sticker_picture_win.h"
#include "export/webp_encode.h"
#include "scene/placard_view_win.h"
#include "scene/scene_surface_win.h"

namespace {

using namespace plakato;

Placard Sign(const std::wstring& text, int points = 0) {
  SignFont font = DefaultSceneFont();
  font.weight = FW_BOLD;
  if (points) font.pointTenths = points * 10;
  return Placard().WithText(text).WithFont(font);
}

double PeakMegabytes() {
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof counters;
  ::GetProcessMemoryInfo(::GetCurrentProcess(), &counters, sizeof counters);
  return counters.PeakWorkingSetSize / 1048576.0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  PlacardView view;
  if (argc == 3 && std::wstring(argv[1]) == L"--save") {
    const std::wstring folder = std::wstring(argv[2]) + L"\\";
    StickerExport sticker(view, Sign(kDefaultSignText));
    sticker.WriteFile(folder + L"sticker.png", PictureFileFormat::Png);
    sticker.WriteFile(folder + L"sticker.webp", PictureFileFormat::Webp);
    PictureExport large(view.Render(Sign(kDefaultSignText), PictureSize::Large));
    WriteFileReplacing(folder + L"large.png", EncodePng(large.picture()));
    // The long sign at 20 and 72 points as the window shows it and as it is sent.
    for (int points : {20, 72}) {
      const Placard sign = Sign(L"今天天气真好我们去公园玩吧好不", points);
      view.Surface(kSceneWidth, kSceneHeight, kStandardDpi);
      view.Draw(sign);
      const std::wstring name = std::to_wstring(points);
      WriteFileReplacing(folder + L"screen-" + name + L".png", EncodePng(view.Pixels()));
      WriteFileReplacing(folder + L"export-" + name + L".png",
                         EncodePng(PictureExport(view.Render(sign, PictureSize::Standard)).picture()));
    }
    return 0;
  }
  const std::wstring longText = L"今天天气真好我们去公园玩吧好不";
  struct Case {
    const char* name;
    Placard placard;
  };
  const Case cases[] = {{"a short text (x)", Sign(L"x")},
                        {"the default sign", Sign(kDefaultSignText)},
                        {"15 Chinese characters", Sign(longText)},
                        {"15 Chinese characters at 72 points", Sign(longText, 72)}};
  for (const Case& c : cases) {
    std::vector<double> times;
    size_t bytes = 0;
    int width = 0, height = 0, dpi = 0;
    for (int i = 0; i < 15; ++i) {
      times.push_back(1000 * bench::Seconds([&] {
        StickerExport sticker(view, c.placard);
        bytes = sticker.Webp().size();
        width = sticker.picture().width;
        height = sticker.picture().height;
        dpi = sticker.dpi();
      }));
    }
    std::printf("sticker of %s: %d x %d, drawn at %d dpi; drawn and encoded as WebP: median %.1f ms; WebP %zu bytes\n",
                c.name, width, height, dpi, bench::Median(times), bytes);
  }

  // Where the default sign's sticker spends its time: the two drawings, the
  // outline, the encoding.
  {
    const Placard sign = Sign(kDefaultSignText);
    const int dpi = StickerExport(view, sign).dpi();
    std::vector<double> drawing, outline, encoding;
    for (int i = 0; i < 15; ++i) {
      PixelCanvas onWhite, onBlack, sticker;
      drawing.push_back(1000 * bench::Seconds([&] {
        onWhite = view.RenderCut(sign, dpi, 0xFFFFFF);
        onBlack = view.RenderCut(sign, dpi, 0x000000);
      }));
      outline.push_back(1000 * bench::Seconds([&] { sticker = MakeSticker(onWhite, onBlack); }));
      encoding.push_back(1000 * bench::Seconds([&] { EncodeWebpLossless(sticker); }));
    }
    std::printf("  of which (medians): two drawings %.1f ms, the outline %.1f ms, the WebP %.1f ms\n",
                bench::Median(drawing), bench::Median(outline), bench::Median(encoding));
  }

  // The sticker's file for a copy, as "复制贴纸" leaves it beside the drag files.
  {
    StickerExport sticker(view, Sign(kDefaultSignText));
    sticker.Webp();
    wchar_t temp[MAX_PATH];
    ::GetTempPathW(MAX_PATH, temp);
    const std::wstring folder = std::wstring(temp) + L"plakato-sticker-bench\\";
    std::vector<double> offered;
    std::wstring why;
    for (int i = 0; i < 15; ++i) offered.push_back(1000 * bench::Seconds([&] { sticker.ForClipboard(folder, kDefaultSignText, why); }));
    std::printf("the sticker's WebP file written or found again for a copy: median %.1f ms\n", bench::Median(offered));
  }

  const Placard largest = Sign(longText, 72);
  std::vector<double> times;
  int width = 0, height = 0;
  for (int i = 0; i < 9; ++i) {
    times.push_back(1000 * bench::Seconds([&] {
      PictureExport picture(view.Render(largest, PictureSize::Large));
      width = picture.picture().width;
      height = picture.picture().height;
    }));
  }
  std::printf("the largest picture (15 wide characters at 72 points, 2x): %d x %d, drawn and cut: median %.1f ms; "
              "peak memory of this process %.1f MB\n",
              width, height, bench::Median(times), PeakMegabytes());

  return 0;
}
