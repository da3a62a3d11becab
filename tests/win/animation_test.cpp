// The placard's animation as chats get it: frame 0 is the still picture in
// a canvas that holds the whole motion, each motion moves its own part, the
// GIF as Windows' own decoder reads it, the animated sticker; and the window
// that plays it: the menu's radio items, the timer, the files it offers.
#include <windows.h>
#include <shlobj.h>
#include <wincodec.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <iterator>
#include <string>
#include <vector>

#include "app/main_window_win.h"
#include "base/com_win.h"
#include "export/animation_win.h"
#include "export/crop.h"
#include "export/drag_file_name.h"
#include "export/picture_export_win.h"
#include "export/sticker.h"
#include "export/sticker_picture_win.h"
#include "scene/scene_surface_win.h"
#include "clipboard_bytes.h"
#include "gif_decode_win.h"
#include "win_test_support.h"

namespace plakato {
namespace {

using testing::ClipboardBytes;
using testing::DecodedGif;
using testing::DecodeGifWithWic;

Placard Sign(const std::wstring& text, int points = 0) {
  SignFont font = DefaultSceneFont();
  font.weight = FW_BOLD;
  if (points) font.pointTenths = points * 10;
  return Placard().WithText(text).WithFont(font);
}

const wchar_t kLongText[] = L"今天天气真好我们去公园玩吧好不";

// Where `inner` lies in `outer` at (left, top): how many of its pixels differ,
// and how many of the rest of `outer` are not white.
struct Placement {
  int differ = 0;
  int notWhiteAround = 0;
};
Placement Place(const PixelCanvas& outer, const PixelCanvas& inner, int left, int top, uint32_t around = 0xFFFFFF) {
  Placement p;
  for (int y = 0; y < outer.height; ++y) {
    for (int x = 0; x < outer.width; ++x) {
      if (inner.Contains(x - left, y - top)) {
        p.differ += outer.At(x, y) != inner.At(x - left, y - top);
      } else {
        p.notWhiteAround += outer.At(x, y) != around;
      }
    }
  }
  return p;
}

// Pixels of `frame` in rows [top, bottom) that are not those of `still`
// moved by (dx, dy) (white where that reaches outside it).
int MovedMismatches(const PixelCanvas& frame, const PixelCanvas& still, int dx, int dy, int top, int bottom) {
  int differ = 0;
  for (int y = top; y < bottom; ++y) {
    for (int x = 0; x < frame.width; ++x) {
      const uint32_t moved = still.Contains(x - dx, y - dy) ? still.At(x - dx, y - dy) : 0xFFFFFF;
      differ += frame.At(x, y) != moved;
    }
  }
  return differ;
}

class AnimationPicture : public ::testing::Test {
 protected:
  PlacardView view;
};

// Frame 0 of every motion is the large still picture exactly, where the
// motion's reach puts it, with white around it; every frame is that size.
TEST_F(AnimationPicture, FrameZeroIsTheLargeStillPictureInsideACanvasHoldingTheWholeMotion) {
  for (const Placard& placard : {Sign(kDefaultSignText), Sign(L"x"), Sign(kLongText, 20)}) {
    const PictureExport still(view.Render(placard, PictureSize::Large));
    for (Motion motion : {Motion::Pump, Motion::Hop, Motion::Shake}) {
      SCOPED_TRACE(std::wstring(MotionName(motion)) + L" " + placard.text());
      const AnimationFrames animation = DrawAnimation(view, placard, motion);
      const MotionReach reach = ReachOf(MotionFrames(motion, DpiScale{kAnimationDpi}));
      EXPECT_EQ(animation.reach, reach);
      ASSERT_EQ(animation.frames.size(), animation.delaysMs.size());
      for (const PixelCanvas& frame : animation.frames) {
        EXPECT_EQ(frame.width, still.picture().width + 2 * reach.side);
        EXPECT_EQ(frame.height, still.picture().height + reach.up);
      }
      const Placement p = Place(animation.frames[0], still.picture(), reach.side, reach.up);
      EXPECT_EQ(p.differ, 0);
      EXPECT_EQ(p.notWhiteAround, 0);
    }
  }
}

// 举牌 lifts everything above the face by its pose and leaves the face's
// chin; 跳动 lifts the whole picture; 摇晃 moves everything above the face
// sideways and leaves the chin.
TEST_F(AnimationPicture, EachMotionMovesItsOwnPartAndThePumpAndShakeLeaveTheFace) {
  const Placard placard = Sign(kDefaultSignText);
  const DpiScale scale{kAnimationDpi};
  const int faceHeight = scale(FaceImages().Height());
  for (Motion motion : {Motion::Pump, Motion::Hop, Motion::Shake}) {
    SCOPED_TRACE(std::wstring(MotionName(motion)));
    const AnimationFrames animation = DrawAnimation(view, placard, motion);
    const std::vector<MotionFrame> poses = MotionFrames(motion, scale);
    const PixelCanvas& still = animation.frames[0];
    // The face's top in the still frame, and a band of its chin at the bottom.
    const int faceTop = still.height - scale(10) - faceHeight / 2;
    const int chin = still.height - scale(4);
    bool moved = false;
    for (size_t i = 1; i < poses.size(); ++i) {
      const PlacardPose& pose = poses[i].pose;
      const PixelCanvas& frame = animation.frames[i];
      moved = moved || !(frame.pixels == still.pixels);
      const int top = std::max(0, -pose.heldY - pose.figureY);  // rows the still frame cannot fill
      if (motion == Motion::Hop) {
        EXPECT_EQ(MovedMismatches(frame, still, 0, pose.figureY, 0, still.height), 0) << "frame " << i;
      } else {
        EXPECT_EQ(MovedMismatches(frame, still, pose.heldX, pose.heldY, top, faceTop + pose.heldY), 0) << "frame " << i;
        EXPECT_EQ(MovedMismatches(frame, still, 0, 0, chin, still.height), 0) << "the face stays, frame " << i;
      }
    }
    EXPECT_TRUE(moved);
  }
}

std::vector<uint8_t> ReadAll(const std::wstring& path) {
  const std::string bytes = FileBytes(path);
  return {bytes.begin(), bytes.end()};
}

// The one path a CF_HDROP names.
std::wstring DroppedFile(const std::vector<uint8_t>& drop) {
  if (drop.size() <= sizeof(DROPFILES)) return L"";
  const auto* files = reinterpret_cast<const DROPFILES*>(drop.data());
  return reinterpret_cast<const wchar_t*>(drop.data() + files->pFiles);
}

int Distance(uint32_t a, uint32_t b) {
  int most = 0;
  for (int shift : {0, 8, 16}) most = std::max(most, std::abs(int((a >> shift) & 255) - int((b >> shift) & 255)));
  return most;
}

// How far the GIF as Windows decodes it is from the frames drawn: the
// colours the palette keeps exact (the sign's fill, the frame's black, the
// text's colour, white) must come back exactly wherever they are drawn.
struct GifFidelity {
  int keptExact = 0;   // pixels of a kept colour that came back exactly
  int keptWrong = 0;   // pixels of a kept colour that did not
  int largest = 0;     // the largest channel difference of any other pixel
};
GifFidelity Compare(const DecodedGif& gif, const AnimationFrames& drawn, const Placard& placard) {
  GifFidelity f;
  const uint32_t kept[] = {placard.signColour(), 0, placard.font().colour, 0xFFFFFF};
  for (size_t i = 0; i < gif.frames.size() && i < drawn.frames.size(); ++i) {
    for (size_t k = 0; k < drawn.frames[i].pixels.size(); ++k) {
      const uint32_t want = drawn.frames[i].pixels[k];
      const uint32_t got = gif.frames[i].pixels[k];
      if (std::find(std::begin(kept), std::end(kept), want) != std::end(kept)) {
        ++(got == want ? f.keptExact : f.keptWrong);
      } else {
        f.largest = std::max(f.largest, Distance(got, want));
      }
    }
  }
  return f;
}

size_t ColourCount(const AnimationFrames& animation) {
  std::vector<uint32_t> colours;
  for (const PixelCanvas& f : animation.frames) colours.insert(colours.end(), f.pixels.begin(), f.pixels.end());
  std::sort(colours.begin(), colours.end());
  return std::unique(colours.begin(), colours.end()) - colours.begin();
}

// Every motion's GIF as Windows reads it: one size, a frame for each frame
// drawn with its delay, each drawn over the last as a player does, and the
// pixels close to those drawn, the kept colours exact: for the default sign
// (the large picture holds a few more than 256 colours) and for blue
// anti-aliased text on an orange sign, which holds many more.
TEST_F(AnimationPicture, WindowsReadsTheGifFrameForFrameAndKeepsTheSignFrameAndTextColours) {
  ComScope com;
  SignFont font = DefaultSceneFont();
  font.face = L"Tahoma";
  font.pointTenths = 140;
  font.colour = 0xC04010;
  const Placard coloured = Placard().WithText(L"Colours").WithFont(font).WithSignColour(0x40A0F0);
  for (const Placard& placard : {Sign(kDefaultSignText), coloured}) {
    for (Motion motion : {Motion::Pump, Motion::Hop, Motion::Shake}) {
      SCOPED_TRACE(std::wstring(MotionName(motion)) + L" " + placard.text());
      AnimationExport animation(view, placard, motion);
      const DecodedGif gif = DecodeGifWithWic(animation.Gif());
      const AnimationFrames& drawn = animation.animation();
      ASSERT_EQ(gif.frames.size(), drawn.frames.size());
      EXPECT_EQ(gif.width, drawn.frames[0].width);
      EXPECT_EQ(gif.height, drawn.frames[0].height);
      for (size_t i = 0; i < gif.frames.size(); ++i) EXPECT_EQ(gif.delays[i] * 10, drawn.delaysMs[i]);
      EXPECT_GT(ColourCount(drawn), 256u) << "the case needs a reduced palette";
      const GifFidelity f = Compare(gif, drawn, placard);
      EXPECT_GT(f.keptExact, 10000);
      EXPECT_EQ(f.keptWrong, 0);
      EXPECT_LE(f.largest, 24);
    }
  }
}

// The animated sticker: 512 on its longer side, within WhatsApp's 500 KB,
// frame 0 the still sticker where the motion's reach puts it.
TEST_F(AnimationPicture, TheAnimatedStickerStartsOnTheStillStickerAndStaysWithinFiveHundredKilobytes) {
  for (const Placard& placard : {Sign(kDefaultSignText), Sign(kLongText)}) {
    const StickerExport still(view, placard);
    for (Motion motion : {Motion::Pump, Motion::Hop, Motion::Shake}) {
      SCOPED_TRACE(std::wstring(MotionName(motion)) + L" " + placard.text());
      StickerExport sticker(view, placard, motion);
      ASSERT_TRUE(sticker.animated());
      const std::vector<uint8_t>& webp = sticker.Webp();
      EXPECT_LE(webp.size(), 500u * 1024);
      EXPECT_EQ(std::string(webp.begin() + 12, webp.begin() + 16), "VP8X");
      EXPECT_EQ(std::max(sticker.picture().width, sticker.picture().height), kStickerSide);
      if (sticker.dpi() != still.dpi()) continue;  // the motion's reach needed a smaller scale
      const MotionReach reach = ReachOf(MotionFrames(motion, DpiScale{sticker.dpi()}));
      const bool wide = still.picture().width >= still.picture().height;
      const Placement p = Place(sticker.picture(), still.picture(), wide ? 0 : reach.side, wide ? reach.up : 0, 0);
      EXPECT_EQ(p.differ, 0);
      EXPECT_EQ(p.notWhiteAround, 0) << "transparent around the still sticker";
    }
  }
}

// The window: the motion is chosen in the placard's menu, plays from a
// timer that stops while the window cannot be seen, and the copy and the
// save give the animation's files.
class AnimationWindow : public ::testing::Test {
 protected:
  AnimationWindow() : folder(FreshFolder(L"plakato-animation-window")), form(Options()) { form.Create(); }
  MainWindowOptions Options() {
    MainWindowOptions options = ScriptedWindowOptions(ui);
    options.dragFolder = folder;
    return options;
  }
  void Command(int id) { ::SendMessageW(form.handle(), WM_COMMAND, MAKEWPARAM(id, 1), 0); }
  void Play(Motion motion) {
    Command(MainWindow::kFirstMotionCommand + static_cast<int>(std::find(std::begin(kMotions), std::end(kMotions), motion) - kMotions));
  }
  // Messages for `ms` milliseconds, as the message loop would run them.
  void RunFor(int ms) {
    const DWORD end = ::GetTickCount() + ms;
    while (static_cast<int>(end - ::GetTickCount()) > 0) {
      MSG msg;
      while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&msg);
      ::Sleep(5);
    }
  }

  ScriptedUi ui;
  std::wstring folder;
  MainWindow form;
};

// The motions' submenu as the placard's menu shows it.
std::vector<std::wstring> MotionMenuOf(MainWindow& form) {
  std::vector<std::wstring> items = PlacardMenuItems(form.Control(ControlId::PlacardImage));
  std::erase_if(items, [](const std::wstring& item) { return !item.starts_with(L"  "); });
  return items;
}

TEST_F(AnimationWindow, TheMenusRadioItemsAndCtrlMFollowTheMotion) {
  EXPECT_EQ(MotionMenuOf(form), (std::vector<std::wstring>{L"  *静止(&N)", L"  举牌(&P)", L"  跳动(&B)", L"  摇晃(&S)",
                                                          L"  下一个动画(&M)\tCtrl+M"}));
  Play(Motion::Shake);
  EXPECT_EQ(form.State().motion, Motion::Shake);
  EXPECT_EQ(StatusText(form.Control(ControlId::StatusBar)), L"动画：摇晃");
  EXPECT_EQ(MotionMenuOf(form), (std::vector<std::wstring>{L"  静止(&N)", L"  举牌(&P)", L"  跳动(&B)", L"  *摇晃(&S)",
                                                          L"  下一个动画(&M)\tCtrl+M"}));
  // Ctrl+M, through the window's shortcuts as the message loop translates them.
  MSG key{};
  key.hwnd = form.Control(ControlId::SignTextEdit);
  key.message = WM_KEYDOWN;
  key.wParam = 'M';
  ::SetFocus(key.hwnd);
  BYTE keys[256] = {};
  ::GetKeyboardState(keys);
  keys[VK_CONTROL] = 0x80;
  ::SetKeyboardState(keys);
  EXPECT_TRUE(::TranslateAcceleratorW(form.handle(), form.shortcuts(), &key));
  keys[VK_CONTROL] = 0;
  ::SetKeyboardState(keys);
  EXPECT_EQ(form.State().motion, Motion::Still);
  EXPECT_FALSE(form.State().playing);
  EXPECT_TRUE(ui.boxes.empty());
}

TEST_F(AnimationWindow, TheSceneOnScreenPlaysOnlyWhileTheWindowCanBeSeen) {
  form.Show();
  const PixelCanvas still = form.State().surface->ReadPixels();
  Play(Motion::Pump);
  EXPECT_TRUE(form.State().playing);
  RunFor(400);
  EXPECT_GT(form.State().frame, 0u);
  bool moved = false;
  for (int i = 0; i < 12 && !moved; ++i) {
    RunFor(80);
    moved = !(form.State().surface->ReadPixels().pixels == still.pixels);
  }
  EXPECT_TRUE(moved) << "the scene on screen never changed";
  ::ShowWindow(form.handle(), SW_MINIMIZE);
  EXPECT_FALSE(form.State().playing);
  const size_t frame = form.State().frame;
  RunFor(300);
  EXPECT_EQ(form.State().frame, frame);
  ::ShowWindow(form.handle(), SW_RESTORE);
  EXPECT_TRUE(form.State().playing);
  ::ShowWindow(form.handle(), SW_HIDE);
  EXPECT_FALSE(form.State().playing);
  ::ShowWindow(form.handle(), SW_SHOW);
  Play(Motion::Still);
  EXPECT_FALSE(form.State().playing);
  EXPECT_TRUE(form.State().surface->ReadPixels().pixels == still.pixels) << "back to the still placard";
}

// With a motion, Ctrl+C names the animation's GIF beside the still bitmap;
// the save dialog's GIF type, or a ".gif" name, writes it, with 举牌 when the
// placard stands still; a ".webp" name with a motion writes the animated sticker.
TEST_F(AnimationWindow, TheCopyAndTheSaveGiveTheAnimationsFiles) {
  ComScope com;
  ui.saveAnswers = {SavePictureAnswer(folder + L"still", PictureKind::Animation, PictureFileFormat::Gif),
                    SavePictureAnswer(folder + L"hop.GIF"), SavePictureAnswer(folder + L"hop.webp")};
  HWND button = form.Control(ControlId::ExportButton);
  auto save = [&] {
    ::SendMessageW(form.handle(), WM_COMMAND, MAKEWPARAM(::GetDlgCtrlID(button), BN_CLICKED),
                   reinterpret_cast<LPARAM>(button));
  };
  save();
  EXPECT_EQ(DecodeGifWithWic(ReadAll(folder + L"still.gif")).frames.size(),
            MotionFrames(Motion::Pump, DpiScale{}).size());
  Play(Motion::Hop);
  save();
  save();
  ASSERT_TRUE(ui.boxes.empty()) << ui.boxes[0].text;
  EXPECT_EQ(DecodeGifWithWic(ReadAll(folder + L"hop.GIF")).frames.size(), MotionFrames(Motion::Hop, DpiScale{}).size());
  const std::string webp = FileBytes(folder + L"hop.webp");
  EXPECT_NE(webp.find("ANMF"), std::string::npos) << "an animated WebP";

  Command(MainWindow::kCopyCommand);
  ASSERT_TRUE(ui.boxes.empty()) << ui.boxes[0].text;
  EXPECT_EQ(StatusText(form.Control(ControlId::StatusBar)), L"已复制到剪贴板");
  const std::wstring gif = folder + DragFileName(form.State().placard.text(), L".gif");
  EXPECT_EQ(DroppedFile(ClipboardBytes(CF_HDROP)), gif);
  EXPECT_EQ(DecodeGifWithWic(ReadAll(gif)).frames.size(), MotionFrames(Motion::Hop, DpiScale{}).size());
  EXPECT_GT(ClipboardBytes(CF_DIB).size(), sizeof(BITMAPINFOHEADER));
}

}  // namespace
}  // namespace plakato
