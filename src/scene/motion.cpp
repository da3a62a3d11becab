#include "scene/motion.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace plakato {

namespace {

constexpr double kPi = 3.14159265358979323846;

// One motion's design at 96 dpi: how many frames, how long each shows, how
// far its part moves at most, and which part.
struct MotionDesign {
  Motion motion;
  std::wstring_view name;
  int frames;
  int delayMs;
  double reach;  // pixels at 96 dpi
};

constexpr MotionDesign kDesigns[] = {
    {Motion::Still, L"静止", 1, 0, 0},
    {Motion::Pump, L"举牌", 12, 70, 4},
    {Motion::Hop, L"跳动", 10, 70, 6},
    {Motion::Shake, L"摇晃", 8, 60, 3},
};

const MotionDesign& DesignOf(Motion motion) {
  for (const MotionDesign& design : kDesigns) {
    if (design.motion == motion) return design;
  }
  return kDesigns[0];
}

}  // namespace

std::wstring_view MotionName(Motion motion) { return DesignOf(motion).name; }

Motion NextMotion(Motion motion) {
  const auto* at = std::find(std::begin(kMotions), std::end(kMotions), motion);
  return at == std::end(kMotions) || at + 1 == std::end(kMotions) ? kMotions[0] : at[1];
}

std::vector<MotionFrame> MotionFrames(Motion motion, const DpiScale& scale) {
  const MotionDesign& design = DesignOf(motion);
  const double reach = design.reach * scale.dpi / kStandardDpi;
  std::vector<MotionFrame> frames(design.frames);
  for (int i = 0; i < design.frames; ++i) {
    const double phase = static_cast<double>(i) / design.frames;  // 0 up to one step short of 1
    PlacardPose& pose = frames[i].pose;
    frames[i].delayMs = design.delayMs;
    switch (motion) {
      case Motion::Still:
        break;
      case Motion::Pump:
        // Eased both ways: slow at the bottom and at the top, as an arm pumps.
        pose.heldY = -static_cast<int>(std::lround(reach * (1 - std::cos(2 * kPi * phase)) / 2));
        break;
      case Motion::Hop:
        // Up and down again in a sine, off the ground at once as a hop is.
        pose.figureY = -static_cast<int>(std::lround(reach * std::sin(kPi * phase)));
        break;
      case Motion::Shake:
        pose.heldX = static_cast<int>(std::lround(reach * std::sin(2 * kPi * phase)));
        break;
    }
  }
  return frames;
}

MotionReach ReachOf(const std::vector<MotionFrame>& frames) {
  MotionReach reach;
  for (const MotionFrame& frame : frames) {
    const PlacardPose& p = frame.pose;
    reach.up = std::max({reach.up, -p.heldY - p.figureY, -p.figureY});
    reach.side = std::max({reach.side, std::abs(p.heldX + p.figureX), std::abs(p.figureX)});
  }
  return reach;
}

SceneLayout GrownBy(const SceneLayout& layout, const MotionReach& reach) {
  return {layout.signWidth + 2 * reach.side, layout.sceneHeight + reach.up};
}

}  // namespace plakato
