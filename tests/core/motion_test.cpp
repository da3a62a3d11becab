#include "scene/motion.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

namespace plakato {
namespace {

int Largest(const std::vector<MotionFrame>& frames, int PlacardPose::*part) {
  int most = 0;
  for (const MotionFrame& f : frames) most = std::max(most, std::abs(f.pose.*part));
  return most;
}

// What every motion owes a chat: a loop of 8 to 12 frames of 60 to 100 ms
// that starts on the still placard, never steps further across its seam than
// between any two frames, and never moves a part below the picture.
TEST(Motion, EveryMotionIsALoopFromTheStillPlacardWithoutAJumpAtItsSeam) {
  for (int dpi : {96, 144, 192, 480}) {
    for (Motion motion : {Motion::Pump, Motion::Hop, Motion::Shake}) {
      SCOPED_TRACE(std::to_string(dpi) + " dpi, motion " + std::to_string(static_cast<int>(motion)));
      const std::vector<MotionFrame> frames = MotionFrames(motion, DpiScale{dpi});
      ASSERT_GE(frames.size(), 8u);
      ASSERT_LE(frames.size(), 12u);
      EXPECT_EQ(frames[0].pose, PlacardPose{});
      int largestStep = 0;
      for (size_t i = 0; i < frames.size(); ++i) {
        EXPECT_GE(frames[i].delayMs, 60);
        EXPECT_LE(frames[i].delayMs, 100);
        EXPECT_LE(frames[i].pose.heldY + frames[i].pose.figureY, 0);
        EXPECT_LE(frames[i].pose.figureY, 0);
        if (i > 0) {
          const PlacardPose& a = frames[i - 1].pose;
          const PlacardPose& b = frames[i].pose;
          largestStep = std::max({largestStep, std::abs(a.heldX - b.heldX), std::abs(a.heldY - b.heldY),
                                  std::abs(a.figureY - b.figureY)});
        }
      }
      const PlacardPose& last = frames.back().pose;
      EXPECT_LE(std::max({std::abs(last.heldX), std::abs(last.heldY), std::abs(last.figureY)}), largestStep);
      EXPECT_GT(largestStep, 0);
    }
  }
  EXPECT_EQ(MotionFrames(Motion::Still, DpiScale{}).size(), 1u);
  EXPECT_EQ(ReachOf(MotionFrames(Motion::Still, DpiScale{})), MotionReach{});
}

// Each motion moves only its own part, as far as designed, and the reach
// the animation's canvas is grown by is exactly how far it goes.
TEST(Motion, EachMotionMovesItsOwnPartAndItsReachIsHowFarItGoes) {
  const auto pump = MotionFrames(Motion::Pump, DpiScale{});
  EXPECT_EQ(Largest(pump, &PlacardPose::heldY), 4);
  EXPECT_EQ(Largest(pump, &PlacardPose::figureY) + Largest(pump, &PlacardPose::heldX), 0);  // the face stays
  EXPECT_EQ(Largest(MotionFrames(Motion::Pump, DpiScale{192}), &PlacardPose::heldY), 8);
  const auto hop = MotionFrames(Motion::Hop, DpiScale{});
  EXPECT_GT(Largest(hop, &PlacardPose::figureY), 0);
  EXPECT_EQ(Largest(hop, &PlacardPose::heldY) + Largest(hop, &PlacardPose::heldX), 0);  // all of it together
  const auto shake = MotionFrames(Motion::Shake, DpiScale{});
  EXPECT_EQ(Largest(shake, &PlacardPose::heldY) + Largest(shake, &PlacardPose::figureY), 0);
  EXPECT_EQ(ReachOf(pump), (MotionReach{4, 0}));
  EXPECT_EQ(ReachOf(hop), (MotionReach{Largest(hop, &PlacardPose::figureY), 0}));
  EXPECT_EQ(ReachOf(shake), (MotionReach{0, Largest(shake, &PlacardPose::heldX)}));
  EXPECT_EQ(GrownBy({100, 61}, {4, 3}), (SceneLayout{106, 65}));
}

TEST(Motion, TheKeyboardGoesThroughEveryMotionAndBackToStill) {
  Motion m = Motion::Still;
  std::vector<std::wstring_view> names;
  for (size_t i = 0; i < std::size(kMotions); ++i) {
    names.push_back(MotionName(m));
    m = NextMotion(m);
  }
  EXPECT_EQ(m, Motion::Still);
  EXPECT_EQ(names, (std::vector<std::wstring_view>{L"静止", L"举牌", L"跳动", L"摇晃"}));
}

}  // namespace
}  // namespace plakato
