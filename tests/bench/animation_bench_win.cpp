// Benchmark of the animation under Wine: the 2x GIF of each motion drawn and
// encoded, with its file size; one frame of the on-screen animation at 96 and
// at 192 dpi; the animated WebP sticker of each motion, with its size. With
// --save FOLDER it only writes, for the docs and the tests that read them
// back, the default sign's GIF of each motion (pump.gif, hop.gif,
// shake.gif), its 2x still picture (large.png), a custom-coloured sign's
// pump (colours.gif, colours.png: frame 0 as drawn) and the animated
// stickers (pump.webp, hop.webp, shake.webp) with the still sticker
// (sticker.png). Prints figures; nothing passes or fails.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "base/files_win.h"
#include "bench_timing.h"
#include "export/animation_win.h"
#include "export/picture_export_win.h"
#include "export/png_codec_win.h"
#include "export/sticker_picture_win.h"
#include "scene/motion.h"
#include "scene/placard_view_win.h"
#include "scene/scene_surface_win.h"

namespace {

using namespace plakato;

Placard Sign(const std::wstring& text) {
  SignFont font = DefaultSceneFont();
  font.weight = FW_BOLD;
  return Placard().WithText(text).WithFont(font);
}

// Blue text on an orange sign: anti-aliasing makes a ramp of colours between them.
Placard Coloured() {
  SignFont font = DefaultSceneFont();
  font.face = L"Tahoma";
  font.pointTenths = 140;
  font.colour = 0xC04010;
  return Placard().WithText(L"Colours").WithFont(font).WithSignColour(0x40A0F0);
}

std::string Name(Motion motion) {
  switch (motion) {
    case Motion::Pump: return "pump";
    case Motion::Hop: return "hop";
    case Motion::Shake: return "shake";
    case Motion::Still: break;
  }
  return "still";
}

std::wstring WideName(Motion motion) {
  const std::string name = Name(motion);
  return std::wstring(name.begin(), name.end());
}

constexpr Motion kMoving[] = {Motion::Pump, Motion::Hop, Motion::Shake};

}  // namespace

int wmain(int argc, wchar_t** argv) {
  PlacardView view;
  const Placard sign = Sign(kDefaultSignText);
  if (argc == 3 && std::wstring(argv[1]) == L"--save") {
    const std::wstring folder = std::wstring(argv[2]) + L"\\";
    for (Motion motion : kMoving) {
      AnimationExport(view, sign, motion).WriteFile(folder + WideName(motion) + L".gif");
      StickerExport(view, sign, motion).WriteFile(folder + WideName(motion) + L".webp", PictureFileFormat::Webp);
    }
    WriteFileReplacing(folder + L"large.png",
                       EncodePng(PictureExport(view.Render(sign, PictureSize::Large)).picture()));
    StickerExport(view, sign).WriteFile(folder + L"sticker.png", PictureFileFormat::Png);
    AnimationExport coloured(view, Coloured(), Motion::Pump);
    coloured.WriteFile(folder + L"colours.gif");
    WriteFileReplacing(folder + L"colours.png", EncodePng(coloured.animation().frames[0]));
    return 0;
  }
  std::printf("animation of the default sign at 2x (draw + GIF encode), median of 15:\n");
  for (Motion motion : kMoving) {
    std::vector<double> times;
    size_t bytes = 0;
    AnimationFrames frames;
    for (int i = 0; i < 15; ++i) {
      times.push_back(1000 * bench::Seconds([&] {
                        AnimationExport animation(view, sign, motion);
                        bytes = animation.Gif().size();
                        frames = animation.animation();
                      }));
    }
    std::printf("  %-5s %2zu frames of %d ms, %d x %d: %.2f ms, %zu bytes (%.1f KB)\n", Name(motion).c_str(),
                frames.frames.size(), frames.delaysMs[0], frames.frames[0].width, frames.frames[0].height,
                bench::Median(times), bytes, bytes / 1024.0);
  }
  std::printf("one frame of the on-screen animation (the scene drawn in the next pose), median of 200:\n");
  for (int dpi : {96, 192}) {
    const DpiScale scale{dpi};
    view.Surface(scale(kSceneWidth), scale(kSceneHeight), dpi);
    const std::vector<MotionFrame> pump = MotionFrames(Motion::Pump, scale);
    const MotionReach reach = ReachOf(pump);
    std::vector<double> times;
    for (int i = 0; i < 200; ++i) {
      times.push_back(1000 * bench::Seconds([&] { view.Draw(sign, pump[i % pump.size()].pose, reach); }));
    }
    std::printf("  %d dpi: %.3f ms\n", dpi, bench::Median(times));
  }
  std::printf("animated WebP sticker of the default sign (draw + encode), median of 5:\n");
  for (Motion motion : kMoving) {
    std::vector<double> times;
    size_t bytes = 0;
    int width = 0, height = 0, dpi = 0;
    for (int i = 0; i < 5; ++i) {
      times.push_back(1000 * bench::Seconds([&] {
                        StickerExport sticker(view, sign, motion);
                        bytes = sticker.Webp().size();
                        width = sticker.picture().width;
                        height = sticker.picture().height;
                        dpi = sticker.dpi();
                      }));
    }
    std::vector<double> drawing;
    AnimatedSticker frames;
    for (int i = 0; i < 5; ++i) {
      drawing.push_back(1000 * bench::Seconds([&] { frames = DrawAnimatedSticker(view, sign, motion); }));
    }
    std::printf("  %-5s %d x %d at %d dpi: %.1f ms (drawing %.1f ms), %zu bytes (%.1f KB)\n", Name(motion).c_str(),
                width, height, dpi, bench::Median(times), bench::Median(drawing), bytes, bytes / 1024.0);
  }
  return 0;
}
