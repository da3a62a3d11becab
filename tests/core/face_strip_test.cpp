#include "app/face_strip.h"

#include <gtest/gtest.h>

namespace plakato {
namespace {

TEST(MoveHighlight, StepsOneButtonGoesToEitherEndAndStopsThere) {
  EXPECT_EQ(MoveHighlight(0, StripKey::Next, 17), 1);
  EXPECT_EQ(MoveHighlight(1, StripKey::Next, 17), 2);
  EXPECT_EQ(MoveHighlight(16, StripKey::Next, 17), 16);
  EXPECT_EQ(MoveHighlight(5, StripKey::Previous, 17), 4);
  EXPECT_EQ(MoveHighlight(0, StripKey::Previous, 17), 0);
  EXPECT_EQ(MoveHighlight(7, StripKey::First, 17), 0);
  EXPECT_EQ(MoveHighlight(7, StripKey::Last, 17), 16);
  EXPECT_EQ(MoveHighlight(7, StripKey::Pick, 17), 7);
  EXPECT_EQ(MoveHighlight(7, StripKey::None, 17), 7);
}

TEST(MoveHighlight, FromNoButtonItEntersAtTheNearestEnd) {
  EXPECT_EQ(MoveHighlight(-1, StripKey::Next, 17), 0);
  EXPECT_EQ(MoveHighlight(-1, StripKey::Previous, 17), 0);
  EXPECT_EQ(MoveHighlight(40, StripKey::Previous, 17), 16);
  EXPECT_EQ(MoveHighlight(40, StripKey::Next, 17), 16);
  EXPECT_EQ(MoveHighlight(3, StripKey::Next, 0), -1);
  EXPECT_EQ(MoveHighlight(-1, StripKey::Last, 0), -1);
}

TEST(ScrollToShow, MovesTheViewJustEnoughOrNotAtAll) {
  EXPECT_EQ(ScrollToShow(0, 33, 0, 342), 0);
  EXPECT_EQ(ScrollToShow(297, 330, 0, 330), 0);  // flush with the right edge
  // Button 10 (330..363) is cut by the right arrow of a 342-pixel view.
  EXPECT_EQ(ScrollToShow(330, 363, 0, 342), 21);
  EXPECT_EQ(ScrollToShow(-33, 0, 0, 330), -33);
  EXPECT_EQ(ScrollToShow(-5, 28, 0, 330), -5);
}

TEST(ScrollToShow, AnItemWiderThanTheViewComesInByItsLeftEdge) {
  EXPECT_EQ(ScrollToShow(50, 100, 0, 30), 50);
  EXPECT_EQ(ScrollToShow(-10, 40, 0, 30), -10);
}

}  // namespace
}  // namespace plakato
