// The sticker as real GDI draws it: 512 on its longer side, the figure's
// pixels those of the placard drawn at the sticker's scale, a white ring
// around it and nothing but transparency beyond.
#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <algorithm>

#include "app/main_window_win.h"
#include "clipboard_bytes.h"
#include "export/png_chunks.h"
#include "export/sticker.h"
#include "export/sticker_picture_win.h"
#include "scene/placard_view_win.h"
#include "scene/scene_surface_win.h"
#include "win_test_support.h"

namespace plakato {
namespace {

uint32_t Alpha(uint32_t c) { return c >> 24; }

Placard WithFont(const std::wstring& text, int points) {
  SignFont font = DefaultSceneFont();
  font.weight = FW_BOLD;
  if (points) font.pointTenths = points * 10;
  return Placard().WithText(text).WithFont(font);
}

class StickerTest : public ::testing::TestWithParam<std::pair<const wchar_t*, int>> {};

TEST_P(StickerTest, ItsFigureIsThePlacardAtItsScaleInsideAWhiteRingOnTransparency) {
  const auto [text, points] = GetParam();
  PlacardView view;
  const Placard placard = WithFont(text, points);
  const StickerPicture sticker = DrawSticker(view, placard);
  const PixelCanvas& s = sticker.pixels;
  EXPECT_EQ(std::max(s.width, s.height), kStickerSide);
  EXPECT_LE(std::min(s.width, s.height), kStickerSide);
  for (auto [x, y] : {std::pair{0, 0}, {s.width - 1, 0}, {0, s.height - 1}, {s.width - 1, s.height - 1}}) {
    EXPECT_EQ(s.At(x, y), 0u) << "corner " << x << "," << y;
  }

  // The placard's picture drawn at the sticker's scale, over white and
  // black, fills the room inside the outline and lands in the middle.
  const PixelCanvas onWhite = view.RenderCut(placard, sticker.dpi, 0xFFFFFF);
  const PixelCanvas onBlack = view.RenderCut(placard, sticker.dpi, 0x000000);
  const int longer = std::max(onWhite.width, onWhite.height);
  ASSERT_LE(longer, kStickerPictureRoom);
  EXPECT_LE(sticker.dpi, 5 * 96) << "from the 5x art, never enlarged";
  const SceneLayout next = view.MeasureAt(placard, sticker.dpi + 1);
  EXPECT_TRUE(sticker.dpi == 5 * 96 || std::max(next.signWidth, next.sceneHeight) > kStickerPictureRoom)
      << "the largest scale that fits, at " << sticker.dpi << " dpi";
  const int left = (s.width - onWhite.width) / 2, top = (s.height - onWhite.height) / 2;
  int mismatches = 0, figurePixels = 0, ringGaps = 0;
  for (int y = 0; y < onWhite.height; ++y) {
    for (int x = 0; x < onWhite.width; ++x) {
      const bool inFigure = onWhite.At(x, y) == onBlack.At(x, y);
      const int sx = x + left, sy = y + top;
      if (!inFigure) continue;
      ++figurePixels;
      mismatches += s.At(sx, sy) != (onWhite.At(x, y) | kStickerOpaque);
      // Every background neighbour of the figure is the outline's full white.
      for (auto [dx, dy] : {std::pair{-1, 0}, {1, 0}, {0, -1}, {0, 1}}) {
        const int nx = x + dx, ny = y + dy;
        const bool neighbourOut = !onWhite.Contains(nx, ny) || onWhite.At(nx, ny) != onBlack.At(nx, ny);
        if (neighbourOut) ringGaps += s.At(sx + dx, sy + dy) != 0xFFFFFFFFu;
      }
    }
  }
  EXPECT_GT(figurePixels, 1000);
  EXPECT_EQ(mismatches, 0) << "inside the figure, the placard's own pixels";
  EXPECT_EQ(ringGaps, 0) << "the ring is whole";
  // No pixel of the sticker is half transparent except on the ring's outer edge:
  // opaque pixels are exactly the figure's and the ring's.
  int opaque = 0;
  for (uint32_t c : s.pixels) opaque += Alpha(c) == 255 && c != 0xFFFFFFFFu;
  int figureNotWhite = 0;
  for (int y = 0; y < onWhite.height; ++y) {
    for (int x = 0; x < onWhite.width; ++x) {
      figureNotWhite += onWhite.At(x, y) == onBlack.At(x, y) && onWhite.At(x, y) != 0xFFFFFF;
    }
  }
  EXPECT_EQ(opaque, figureNotWhite);

  // The face, the pole's foot and the sign's middle are in the figure.
  const int cx = onWhite.width / 2, cy = onWhite.height - DpiScale{sticker.dpi}(10);
  EXPECT_EQ(Alpha(s.At(cx + left, cy + top)), 255u) << "the face";
}

INSTANTIATE_TEST_SUITE_P(Texts, StickerTest,
                         ::testing::Values(std::pair{L"x", 0}, std::pair{L"Quillion", 0},
                                         std::pair{L"今天天气真好我们去公园玩吧好不", 0},
                                         std::pair{L"今天天气真好我们去公园玩吧好不", 72}));

// "复制贴纸": the sticker's PNG with its alpha, a 24-bit bitmap of it over
// white, and its WebP file in the drag folder, named after the sign.
TEST(StickerCopy, TheClipboardHoldsThePngTheBitmapAndTheWebpFile) {
  ScriptedUi ui;
  MainWindowOptions options = ScriptedWindowOptions(ui);
  options.dragFolder = FreshFolder(L"plakato-sticker-copy");
  MainWindow form(options);
  form.Create();
  ::SendMessageW(form.handle(), WM_COMMAND, MAKEWPARAM(MainWindow::kCopyStickerCommand, 0), 0);
  ASSERT_TRUE(ui.boxes.empty()) << std::string(ui.boxes[0].text.begin(), ui.boxes[0].text.end());
  EXPECT_EQ(StatusText(form.Control(ControlId::StatusBar)), L"已复制贴纸到剪贴板");

  std::vector<uint8_t> png = plakato::testing::ClipboardBytes(::RegisterClipboardFormatW(L"PNG"));
  std::optional<PngHeader> header = ReadPngHeader(png);
  ASSERT_TRUE(header);
  EXPECT_EQ(header->colourType, 6) << "RGB with alpha";
  EXPECT_EQ(std::max(header->width, header->height), static_cast<uint32_t>(kStickerSide));

  std::vector<uint8_t> dib = plakato::testing::ClipboardBytes(CF_DIB);
  ASSERT_GE(dib.size(), sizeof(BITMAPINFOHEADER));
  const auto* info = reinterpret_cast<const BITMAPINFOHEADER*>(dib.data());
  EXPECT_EQ(info->biBitCount, 24);
  EXPECT_EQ(std::max(info->biWidth, std::abs(info->biHeight)), kStickerSide);
  const uint8_t* corner = dib.data() + info->biSize;
  EXPECT_EQ(corner[0] & corner[1] & corner[2], 255) << "transparency shows as white";

  std::vector<uint8_t> drop = plakato::testing::ClipboardBytes(CF_HDROP);
  ASSERT_GT(drop.size(), sizeof(DROPFILES));
  const auto* files = reinterpret_cast<const DROPFILES*>(drop.data());
  std::wstring path(reinterpret_cast<const wchar_t*>(drop.data() + files->pFiles));
  EXPECT_EQ(path, options.dragFolder + L"Quillion.webp");
  std::string webp = FileBytes(path);
  ASSERT_GT(webp.size(), 12u);
  EXPECT_EQ(webp.substr(0, 4), "RIFF");
  EXPECT_EQ(webp.substr(8, 4), "WEBP");
}

// The save dialog's sticker types, and a ".webp" name whatever the type.
TEST(StickerSave, TheStickerTypesAndAWebpNameWriteTheSticker) {
  ScriptedUi ui;
  MainWindow form(ScriptedWindowOptions(ui));
  form.Create();
  const std::wstring folder = FreshFolder(L"plakato-sticker-save");
  ui.saveAnswers = {SavePictureAnswer(folder + L"a.webp"),
                    SavePictureAnswer(folder + L"b.png", PictureKind::Sticker, PictureFileFormat::Png),
                    SavePictureAnswer(folder + L"c", PictureKind::Sticker, PictureFileFormat::Webp)};
  for (int k = 0; k < 3; ++k) {
    HWND button = form.Control(ControlId::ExportButton);
    ::SendMessageW(form.handle(), WM_COMMAND, MAKEWPARAM(::GetDlgCtrlID(button), BN_CLICKED),
                   reinterpret_cast<LPARAM>(button));
  }
  ASSERT_TRUE(ui.boxes.empty());
  for (const wchar_t* name : {L"a.webp", L"c.webp"}) {
    std::string webp = FileBytes(folder + name);
    ASSERT_GT(webp.size(), 30u) << "no " << std::string(name, name + 6);
    EXPECT_EQ(webp.substr(8, 8), "WEBPVP8L") << "lossless";
  }
  std::string png = FileBytes(folder + L"b.png");
  std::optional<PngHeader> header = ReadPngHeader({reinterpret_cast<const uint8_t*>(png.data()), png.size()});
  ASSERT_TRUE(header);
  EXPECT_EQ(header->colourType, 6);
  EXPECT_EQ(header->width, static_cast<uint32_t>(kStickerSide));
}

}  // namespace
}  // namespace plakato
