#include "app/form_layout.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace plakato {
namespace {

TEST(MulDivRound, RoundsHalfAwayFromZeroLikeTheSystem) {
  EXPECT_EQ(MulDivRound(371, 15, 12), 464);  // 463.75
  EXPECT_EQ(MulDivRound(6, 15, 12), 8);      // 7.5 rounds up
  EXPECT_EQ(MulDivRound(-12, 120, 96), -15);
  EXPECT_EQ(MulDivRound(-12, 144, 96), -18);
  EXPECT_EQ(MulDivRound(-5, 3, 2), -8);  // -7.5 rounds away from zero
  EXPECT_EQ(MulDivRound(1, 1, 0), -1);
  // A negative divisor rounds the same way: -3.5 and 3.5.
  EXPECT_EQ(MulDivRound(7, 1, -2), -4);
  EXPECT_EQ(MulDivRound(-7, 1, -2), 4);
}

TEST(WindowFont, IsTwelvePixelsAtNinetySixDpiAndScalesWithTheDisplay) {
  EXPECT_EQ(FontRequestHeight(kWindowFont.height, 96), -12);
  EXPECT_EQ(FontRequestHeight(kWindowFont.height, 120), -15);
  EXPECT_EQ(FontRequestHeight(kWindowFont.height, 144), -18);
  EXPECT_EQ(FontRequestHeight(kWindowFont.height, 72), -9);
}

TEST(LayoutScale, LeavesTheDesignAloneAtTwelvePixelsAndScalesEverythingOtherwise) {
  LayoutScale same{12};
  EXPECT_FALSE(same.active());
  EXPECT_EQ(same(RectOfSize(302, 235, 65, 65)), (RectOfSize(302, 235, 65, 65)));

  LayoutScale larger{15};
  EXPECT_TRUE(larger.active());
  EXPECT_EQ(larger(RectOfSize(302, 235, 65, 65)), (RectOfSize(378, 294, 81, 81)));
  // The size is scaled, not the far edge: 1.25 wide stays 1 wide, where 2.5 - 1.25 would round to 2.
  EXPECT_EQ(larger(RectOfSize(1, 1, 1, 1)), (RectOfSize(1, 1, 1, 1)));
  EXPECT_EQ(larger(kFormClientWidth), 464);
  EXPECT_EQ(larger(kFormClientHeight), 409);  // 408.75
}

TEST(MainFormControls, EveryParentComesBeforeItsChildrenAndNamesAreUnique) {
  std::set<std::string> seen;
  for (const ControlSpec& c : MainFormControls()) {
    if (c.parent != ControlId::None) {
      EXPECT_TRUE(seen.count(DesignOf(c.parent).name)) << c.name << " before its parent " << DesignOf(c.parent).name;
    }
    EXPECT_TRUE(seen.insert(c.name).second) << c.name;
  }
}

// The window finds a control's design and its command by its identifier:
// the table must hold every identifier at its own place.
TEST(MainFormControls, TheTableIsIndexedByControlIdentifier) {
  ASSERT_EQ(MainFormControls().size(), static_cast<size_t>(ControlId::Count));
  for (size_t i = 0; i < MainFormControls().size(); ++i) {
    EXPECT_EQ(static_cast<size_t>(MainFormControls()[i].id), i) << MainFormControls()[i].name;
    auto id = static_cast<ControlId>(i);
    EXPECT_EQ(ControlOfCommand(CommandIdOf(id)), id);
  }
  EXPECT_EQ(ControlOfCommand(kFirstControlId - 1), std::nullopt);
  EXPECT_EQ(ControlOfCommand(CommandIdOf(ControlId::Count)), std::nullopt);
  EXPECT_STREQ(DesignOf(ControlId::SignTextEdit).name, "edtMessage");
  EXPECT_STREQ(DesignOf(ControlId::ExportButton).name, "SpeedButton3");
}

TEST(MainFormControls, TabStopsAreThePagerTheEditAndTheCheckBoxInThatOrder) {
  std::vector<std::string> stops;
  for (const ControlSpec& c : MainFormControls()) {
    if (c.tabStop) stops.push_back(c.name);
  }
  // Creation order is the tab order; panels are walked depth first in their
  // own tab order (the face strip's panel before the settings panel), so this is the order Tab visits.
  EXPECT_EQ(stops, (std::vector<std::string>{"PageScroller1", "edtMessage", "CheckBox1"}));
  EXPECT_LT(ControlId::FaceStripPanel, ControlId::SettingsPanel);
}

TEST(MainFormControls, ChildrenLieInsideTheirParents) {
  for (const ControlSpec& c : MainFormControls()) {
    int parentWidth = kFormClientWidth, parentHeight = kFormClientHeight;
    if (c.parent != ControlId::None) {
      parentWidth = DesignOf(c.parent).bounds.width();
      parentHeight = DesignOf(c.parent).bounds.height();
    }
    EXPECT_GE(c.bounds.left, 0) << c.name;
    EXPECT_GE(c.bounds.top, 0) << c.name;
    EXPECT_LE(c.bounds.left + c.bounds.width(), parentWidth) << c.name;
    EXPECT_LE(c.bounds.top + c.bounds.height(), parentHeight) << c.name;
  }
}

TEST(MainFormControls, TheLineBufferIsNoControlOnScreen) {
  for (const ControlSpec& c : MainFormControls()) EXPECT_STRNE(c.name, "Memo1");
}

}  // namespace
}  // namespace plakato
