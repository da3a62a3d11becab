#include "export/animation_win.h"

#include "base/files_win.h"
#include "export/gif_encode.h"

namespace plakato {

AnimationFrames DrawAnimation(PlacardView& view, const Placard& placard, Motion motion, int dpi) {
  const std::vector<MotionFrame> frames = MotionFrames(motion, DpiScale{dpi});
  AnimationFrames animation;
  animation.reach = ReachOf(frames);
  for (const MotionFrame& frame : frames) {
    animation.frames.push_back(view.RenderCut(placard, dpi, 0xFFFFFF, frame.pose, animation.reach));
    animation.delaysMs.push_back(frame.delayMs);
  }
  return animation;
}

std::vector<uint8_t> EncodeAnimationGif(const AnimationFrames& animation, const Placard& placard) {
  return EncodeGif(animation.frames, animation.delaysMs,
                   {placard.signColour(), 0x000000, placard.font().colour, 0xFFFFFF});
}

AnimationExport::AnimationExport(PlacardView& view, const Placard& placard, Motion motion)
    : placard_(placard), animation_(DrawAnimation(view, placard, motion)) {}

const std::vector<uint8_t>& AnimationExport::Gif() {
  if (gif_.empty()) gif_ = EncodeAnimationGif(animation_, placard_);
  return gif_;
}

void AnimationExport::WriteFile(const std::wstring& path) { WriteFileReplacing(path, Gif()); }

}  // namespace plakato
