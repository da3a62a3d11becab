// The placard's motions: each a loop of poses, every pose a translation of
// whole parts of the still placard (turned 1-bit art would look jagged).
#pragma once

#include <string_view>
#include <vector>

#include "base/scale.h"
#include "scene/placard_scene.h"

namespace plakato {

// Still; the sign, pole and hands pumped up and down while the face stays,
// as at a protest; the whole figure hopping; the sign shaken from side to side.
enum class Motion { Still, Pump, Hop, Shake };

inline constexpr Motion kMotions[] = {Motion::Still, Motion::Pump, Motion::Hop, Motion::Shake};

// The motion's name as the menu and the status bar give it.
std::wstring_view MotionName(Motion motion);

// The motion after `motion` in kMotions, back to Still after the last.
Motion NextMotion(Motion motion);

struct MotionFrame {
  PlacardPose pose;
  int delayMs = 0;
};

// The loop of `motion` at `scale`: 8 to 12 frames of 60 to 100 ms, frame 0
// the still placard and the last one step from it, so that the loop's seam
// is as smooth as any other step. Still is one frame of no delay.
std::vector<MotionFrame> MotionFrames(Motion motion, const DpiScale& scale);

// How far beyond the still picture any part reaches in some frame: up,
// and to either side alike (the pictures stay centred). No motion moves a
// part down, below the picture's bottom edge.
struct MotionReach {
  int up = 0;
  int side = 0;
  friend bool operator==(const MotionReach&, const MotionReach&) = default;
};
MotionReach ReachOf(const std::vector<MotionFrame>& frames);

// The layout of a picture grown by the motion's reach: the canvas every
// frame of the animation shares.
SceneLayout GrownBy(const SceneLayout& layout, const MotionReach& reach);

}  // namespace plakato
