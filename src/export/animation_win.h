// The placard's animation as the program sends it: every frame of the
// motion drawn at the large picture's scale on the still picture's white
// background, in one canvas that holds the motion's whole reach, and its GIF.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "scene/motion.h"
#include "scene/placard.h"
#include "scene/placard_view_win.h"
#include "scene/pixels.h"

namespace plakato {

// The scale chats are sent animations at: the large picture's.
inline constexpr int kAnimationDpi = 2 * kStandardDpi;

// The motion an animation file shows: the one chosen, or 举牌 when the
// placard stands still.
constexpr Motion AnimatedMotion(Motion chosen) { return chosen == Motion::Still ? Motion::Pump : chosen; }

struct AnimationFrames {
  std::vector<PixelCanvas> frames;  // 0x00BBGGRR, all of one size
  std::vector<int> delaysMs;
  MotionReach reach;  // where the still picture lies in each frame: `side` from the left, `up` from the top
};

// Every frame of `motion` drawn at `dpi`: frame 0 holds exactly the still
// picture of that scale, `reach.side` pixels from the left and `reach.up`
// from the top, with white around it.
AnimationFrames DrawAnimation(PlacardView& view, const Placard& placard, Motion motion, int dpi = kAnimationDpi);

// The GIF of the frames, with the placard's sign fill, the frame's black,
// the text's colour and the white background kept exact in its palette.
std::vector<uint8_t> EncodeAnimationGif(const AnimationFrames& animation, const Placard& placard);

// One animation of the placard: drawn once, its GIF encoded on first use.
class AnimationExport {
 public:
  AnimationExport(PlacardView& view, const Placard& placard, Motion motion);

  const AnimationFrames& animation() const { return animation_; }
  const std::vector<uint8_t>& Gif();
  // Writes the GIF as the whole content of `path`, encoded before the file is touched.
  void WriteFile(const std::wstring& path);

 private:
  Placard placard_;
  AnimationFrames animation_;
  std::vector<uint8_t> gif_;
};

}  // namespace plakato
