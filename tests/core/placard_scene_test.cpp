#include "scene/placard_scene.h"

#include <gtest/gtest.h>

#include "export/crop.h"

#include <cstdio>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace plakato {
namespace {

// Records every call as a line of text; text extents come from a table,
// with a fallback of 8 pixels per character and a fixed height.
class RecordingSurface : public DrawingSurface {
 public:
  std::map<std::wstring, TextSize> extents;
  int defaultHeight = 13;
  Rect clip{0, 0, 371, 120};
  std::vector<std::string> calls;
  // Brush state as GDI keeps it, to check what a drawing leaves behind.
  bool brushClear = false;
  uint32_t brushColour = 0xFFFFFF;
  SignFont font;
  int fontHeight = 0;

  void SetFont(const SignFont& f, int height) override {
    font = f;
    fontHeight = height;
  }
  TextSize TextExtent(const std::wstring& text) override {
    auto it = extents.find(text);
    if (it != extents.end()) return it->second;
    // A font of a named face measures the pixel height it was asked for;
    // the system's default font, with no face, measures defaultHeight.
    return {8 * static_cast<int>(text.size()), font.face.empty() ? defaultHeight : -fontHeight};
  }
  void SetBrushColour(uint32_t colour) override {
    brushClear = false;
    brushColour = colour;
    calls.push_back("brush " + Hex(colour));
  }
  void SetBrushClear() override {
    brushClear = true;
    calls.push_back("brush clear");
  }
  void SetPen(uint32_t colour, int width) override { calls.push_back("pen " + Hex(colour) + " " + std::to_string(width)); }
  void FillRect(const Rect& r) override { calls.push_back("fill " + Text(r)); }
  void Rectangle(const Rect& r) override { calls.push_back("rect " + Text(r)); }
  void WriteText(int x, int y, const std::wstring& text) override {
    calls.push_back("text " + std::to_string(x) + "," + std::to_string(y) + " " + std::string(text.begin(), text.end()));
  }
  void DrawImage(const ImageList& list, int index, int x, int y) override {
    bool piece = &list == &PieceImages() || &list == &PieceImagesAt(2 * kStandardDpi);
    calls.push_back(std::string(piece ? "piece " : "face ") + std::to_string(index) + " " +
                    std::to_string(x) + "," + std::to_string(y));
  }
  Rect ClipBox() override { return clip; }

 private:
  static std::string Hex(uint32_t v) {
    char buf[16];
    snprintf(buf, sizeof buf, "#%06X", v);
    return buf;
  }
  static std::string Text(const Rect& r) {
    return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
           std::to_string(r.bottom);
  }
};

class SceneTest : public testing::Test {
 protected:
  void Render(uint32_t signColour = 0xFFFFFF) { layout = DrawPlacard(placard.WithSignColour(signColour), surface); }

  RecordingSurface surface;
  Placard placard;
  SceneLayout layout;
};

TEST_F(SceneTest, TheFaceStandsByTheSurfaceAndTheFaceListAndThePlacardStartsAsDefault) {
  EXPECT_EQ(GeometryOf({0, 0, 371, 120}, SceneScaleAt(96)), (PlacardGeometry{185, 110, 26, 26}));
  EXPECT_EQ(placard.face(), 0);
  EXPECT_EQ(placard.text(), L"Quillion");
  EXPECT_EQ(placard.signColour(), 0xFFFFFFu);
}

TEST_F(SceneTest, WorkedExampleOfTheSceneAtStart) {
  surface.extents[L"Quillion"] = {64, 13};
  surface.extents[L"T"] = {8, 13};
  Render();
  const std::vector<std::string> expected = {
      "brush #FFFFFF",      "fill 0,0,371,120", "pen #000000 3",   "brush #FFFFFF",    "rect 148,74,222,96",
      "brush clear",        "text 153,79 Quillion", "face 0 172,97", "piece 1 187,105", "piece 0 167,97",
      "piece 2 168,69",
  };
  EXPECT_EQ(surface.calls, expected);
  EXPECT_EQ(layout.signWidth, 100);
  EXPECT_EQ(layout.sceneHeight, 61);
  // The drawing leaves the brush clear; the next one starts by making it solid white again.
  EXPECT_TRUE(surface.brushClear);
  surface.calls.clear();
  Render();
  EXPECT_EQ(surface.calls[0], "brush #FFFFFF");
  EXPECT_EQ(surface.calls[1], "fill 0,0,371,120");
}

// A pose moves whole parts: the held part (sign, text, hands, pole) by the
// held offset and the figure's, the face by the figure's alone; the layout
// the export cuts by stays the still placard's.
TEST_F(SceneTest, APoseMovesTheHeldPartAndTheFigureAndLeavesTheLayout) {
  surface.extents[L"Quillion"] = {64, 13};
  surface.extents[L"T"] = {8, 13};
  layout = DrawPlacard(placard, surface, SceneScaleAt(96), 0xFFFFFF, {2, -4, 0, 0});
  std::vector<std::string> held = {"rect 150,70,224,92", "text 155,75 Quillion", "face 0 172,97",
                                   "piece 1 189,101",    "piece 0 169,93",        "piece 2 170,65"};
  EXPECT_EQ(surface.calls[4], held[0]);
  EXPECT_EQ(surface.calls[6], held[1]);
  EXPECT_EQ(std::vector<std::string>(surface.calls.begin() + 7, surface.calls.end()),
            std::vector<std::string>(held.begin() + 2, held.end()));
  EXPECT_EQ(layout, (SceneLayout{100, 61}));
  surface.calls.clear();
  layout = DrawPlacard(placard, surface, SceneScaleAt(96), 0xFFFFFF, {1, 0, 0, -6});
  EXPECT_EQ(surface.calls[4], "rect 149,68,223,90");
  EXPECT_EQ(surface.calls[7], "face 0 172,91");
  EXPECT_EQ(surface.calls[10], "piece 2 169,63");
  EXPECT_EQ(layout, (SceneLayout{100, 61}));
}

TEST_F(SceneTest, ShortTextsMoveHalfAFaceTowardsThePole) {
  placard = placard.WithText(L"x");
  surface.extents[L"x"] = {50, 13};
  Render();
  EXPECT_EQ(surface.calls[4], "rect 155,74,215,96");  // centred on 185
  surface.calls.clear();
  surface.extents[L"x"] = {49, 13};
  Render();
  EXPECT_EQ(surface.calls[4], "rect 143,74,201,96");  // centred on 172; 49 div 2 = 24
}

// The right hand's height is measured with the face's width, as the pole's
// artwork was drawn for it; a face list of other proportions shows it.
TEST_F(SceneTest, TheRightHandsHeightFollowsTheFaceWidth) {
  std::vector<uint32_t> cells(30 * 20 * 17, 0);
  ImageList faces(ImageListData{30, 20, 17, cells.data()});
  layout = DrawPlacard(placard, surface, {DpiScale{}, &faces, &PieceImages()});
  EXPECT_EQ(surface.calls[8], "piece 1 189,103");  // 185 + 15 - 11, 110 - 15 + 8
  EXPECT_EQ(surface.calls[9], "piece 0 165,100");  // 185 - 15 - 5, 110 - 10
}

TEST_F(SceneTest, SignWidthIsAtLeastOneHundred) {
  placard = placard.WithText(L"w");
  surface.extents[L"w"] = {85, 13};
  Render();
  EXPECT_EQ(layout.signWidth, 100);  // 2 * 42 + 15 = 99
  surface.extents[L"w"] = {86, 13};
  Render();
  EXPECT_EQ(layout.signWidth, 101);
  surface.extents[L"w"] = {87, 13};
  Render();
  EXPECT_EQ(layout.signWidth, 101);  // odd widths lose their last pixel to div
  surface.extents[L"w"] = {0, 0};
  Render();
  EXPECT_EQ(layout.signWidth, 100);
}

TEST_F(SceneTest, OddTextHeightsRoundTheCentreDown) {
  surface.extents[L"T"] = {8, 13};
  surface.extents[L"Quillion"] = {64, 15};
  Render();
  // Sign centre y = 110 - 13 div 2 - 19 = 85; half height 15 div 2 = 7.
  EXPECT_EQ(surface.calls[4], "rect 148,73,222,97");
  EXPECT_EQ(surface.calls[6], "text 153,78 Quillion");
}

TEST_F(SceneTest, ATextWiderThanTheSceneGivesASignWiderThanTheScene) {
  placard = placard.WithText(L"wide");
  surface.extents[L"wide"] = {600, 13};
  Render();
  EXPECT_EQ(surface.calls[4], "rect -120,74,490,96");
  EXPECT_EQ(surface.calls[6], "text -115,79 wide");
  EXPECT_EQ(layout.signWidth, 615);
}

TEST_F(SceneTest, ATallFontLiftsThePoleTopAboveTheSceneAndTheHeightPastIt) {
  surface.defaultHeight = 100;
  Render();
  EXPECT_EQ(layout.sceneHeight, 148);  // 48 + 100
  EXPECT_EQ(surface.calls.back(), "piece 2 168,-18");
  EXPECT_EQ(surface.calls[4], "rect 148,-14,222,96");  // centre y 110 - 50 - 19 = 41: above row 0
}

TEST_F(SceneTest, FaceChangesOnlyTheFaceAndColourOnlyTheFill) {
  surface.extents[L"Quillion"] = {64, 13};
  Render();
  std::vector<std::string> first = surface.calls;
  int signWidth = layout.signWidth, sceneHeight = layout.sceneHeight;
  surface.calls.clear();
  placard = placard.WithFace(14);
  Render(0x0000FF);
  ASSERT_EQ(surface.calls.size(), first.size());
  for (size_t i = 0; i < first.size(); ++i) {
    if (i == 3) {
      EXPECT_EQ(surface.calls[i], "brush #0000FF");
    } else if (i == 7) {
      EXPECT_EQ(surface.calls[i], "face 14 172,97");
    } else {
      EXPECT_EQ(surface.calls[i], first[i]) << i;
    }
  }
  EXPECT_EQ(layout.signWidth, signWidth);
  EXPECT_EQ(layout.sceneHeight, sceneHeight);
}

TEST_F(SceneTest, TheTextIsDrawnExactlyAsStored) {
  placard = placard.WithText(L"&Save & go");
  Render();
  EXPECT_EQ(surface.calls[6].substr(surface.calls[6].find(' ', 5) + 1), "&Save & go");
}

// The placard is one value: each change makes a new one, equal to another
// exactly when everything the picture depends on is the same.
TEST(Placard, EachChangeMakesANewValueThatDiffersInThatAlone) {
  const Placard start;
  SignFont bold{L"Tahoma", 80, 700, false, false, false, 1, 0};
  const Placard changed = start.WithText(L"牌子").WithFace(3).WithFont(bold).WithSignColour(0x0000FF);
  EXPECT_EQ(start.text(), L"Quillion") << "the old value is untouched";
  EXPECT_EQ(changed.text(), L"牌子");
  EXPECT_EQ(changed.face(), 3);
  EXPECT_EQ(changed.font(), bold);
  EXPECT_EQ(changed.signColour(), 0x0000FFu);
  EXPECT_EQ(changed, start.WithSignColour(0x0000FF).WithFont(bold).WithFace(3).WithText(L"牌子"));
  EXPECT_NE(changed, changed.WithFace(4));
  EXPECT_NE(changed, changed.WithSignColour(0x0000FE));
  EXPECT_NE(changed, changed.WithText(L"牌"));
  for (auto change : {&SignFont::italic, &SignFont::underline, &SignFont::strikeOut}) {
    SignFont other = bold;
    other.*change = true;
    EXPECT_NE(changed, changed.WithFont(other));
  }
  SignFont otherColour = bold;
  otherColour.colour = 0x0000FF;
  EXPECT_NE(changed, changed.WithFont(otherColour));
}

// A size chosen on any display comes back from it as chosen, and the
// standard picture asks for it at 96 dpi's height, -points * 96 / 72 as ever;
// the twice-rounded pixel height gave 10 points at 120 dpi back as 11.
TEST(SignFontSize, EveryWholePointSizeComesBackOnEveryDisplayAndThePictureKeepsItsHeight) {
  for (int dpi : {96, 120, 144, 168, 192, 240, 288}) {
    for (int points = 6; points <= 72; ++points) {
      SignFont font;
      font.pointTenths = 10 * points;
      EXPECT_EQ(PointTenthsOfHeight(font.HeightAtDpi(dpi), dpi), 10 * points) << points << " pt at " << dpi << " dpi";
      EXPECT_EQ(font.HeightAtDpi(kStandardDpi), -MulDivRound(points, 96, 72)) << points << " pt";
    }
  }
  EXPECT_EQ(FontHeightAtDpi(100, 120), -17);
  EXPECT_EQ(FontHeightAtDpi(80, 144), -16);
  EXPECT_EQ(PointTenthsOfHeight(17, 120), 100) << "a cell height is taken as the character's";
}

// However a font is set, the placard holds it to 6 to 72 points.
TEST(SignFontSize, APlacardHoldsItsFontBetweenSixAndSeventyTwoPoints) {
  SignFont font;
  for (auto [asked, held] : {std::pair{48160, 720}, {721, 720}, {720, 720}, {105, 105}, {60, 60}, {59, 60}, {0, 60},
                             {-480, 60}}) {
    font.pointTenths = asked;
    EXPECT_EQ(Placard().WithFont(font).font().pointTenths, held) << asked;
  }
}

// The drawing measures in the placard's own font, and keeps nothing from
// one drawing to the next: the same placard draws the same way again.
TEST_F(SceneTest, ThePlacardsFontIsMeasuredAndNothingIsKeptBetweenDrawings) {
  SignFont tall;
  tall.face = L"Tall";
  tall.pointTenths = 225;  // 30 pixels at 96 dpi
  layout = DrawPlacard(placard.WithFont(tall), surface);
  EXPECT_EQ(surface.font, tall);
  EXPECT_EQ(surface.fontHeight, -30);
  EXPECT_EQ(layout.sceneHeight, 48 + 30);
  std::vector<std::string> first = surface.calls;
  SceneLayout firstLayout = layout;

  surface.calls.clear();
  layout = DrawPlacard(placard.WithText(std::wstring(40, L'w')).WithFace(9), surface);
  EXPECT_NE(layout, firstLayout);
  surface.calls.clear();
  layout = DrawPlacard(placard.WithFont(tall), surface);
  EXPECT_EQ(layout, firstLayout);
  EXPECT_EQ(surface.calls, first);
}

// At twice the dpi every length is twice as long: the font asked for, the
// pen, the margins, the face, the offsets of the pieces, and what the export
// crops by; the art is the one drawn for 2x.
TEST_F(SceneTest, AtTwiceTheDpiEveryLengthDoubles) {
  surface.clip = {0, 0, 742, 240};
  surface.extents[L"Quillion"] = {128, 26};
  surface.extents[L"T"] = {16, 26};
  SignFont font;  // 8 points: 11 pixels at 96 dpi
  layout = DrawPlacard(placard.WithFont(font), surface, SceneScaleAt(192));
  EXPECT_EQ(surface.fontHeight, -22);
  const std::vector<std::string> expected = {
      "brush #FFFFFF",      "fill 0,0,742,240",     "pen #000000 6",    "brush #FFFFFF",     "rect 297,146,445,192",
      "brush clear",        "text 307,156 Quillion", "face 0 345,194", "piece 1 375,210", "piece 0 335,194",
      "piece 2 337,138",
  };
  EXPECT_EQ(surface.calls, expected);
  EXPECT_EQ(layout, (SceneLayout{200, 122}));  // the 1x example's 100 x 61, doubled
  EXPECT_EQ(FaceImagesAt(192).Width(), 52);
  EXPECT_EQ(PieceImagesAt(192).Height(), 32);
}

// A sign wider or taller than the scene gets a surface that holds it whole:
// drawn there, the sign with its 3-pixel frame lies inside the part the
// export cuts out, and that part inside the surface. A placard that fits
// keeps the scene's own size, so its pictures stay as they were.
TEST_F(SceneTest, ASurfaceHoldingThePlacardHoldsTheWholeSignInsideTheCrop) {
  struct Case {
    int textWidth, textHeight, dpi;
  };
  for (Case c : {Case{64, 13, 96}, Case{435, 27, 96}, Case{1441, 97, 96}, Case{290, 65, 96}, Case{2882, 194, 192},
                 Case{741, 26, 192}}) {
    placard = placard.WithText(L"sign");
    surface.extents = {{L"sign", {c.textWidth, c.textHeight}}, {L"T", {c.textWidth / 4, c.textHeight}}};
    const SceneScale at = SceneScaleAt(c.dpi);
    const DpiScale s = at.scale;
    surface.clip = {0, 0, s(371), s(120)};
    const SceneLayout measured = MeasurePlacard(placard, surface, at);
    const SurfaceSize size = SurfaceHolding(measured, {s(371), s(120)});
    const bool fits = measured.signWidth <= s(371) && measured.sceneHeight <= s(120);
    EXPECT_EQ(fits, size == (SurfaceSize{s(371), s(120)})) << c.textWidth;
    EXPECT_EQ((size.width - s(371)) % 2, 0) << "the scene only moves by whole pixels";

    surface.clip = {0, 0, size.width, size.height};
    surface.calls.clear();
    layout = DrawPlacard(placard, surface, at);
    EXPECT_EQ(layout, measured) << c.textWidth;
    const Rect crop = CropRectangle(size.width, size.height, layout.signWidth, layout.sceneHeight);
    EXPECT_GE(crop.left, 0);
    EXPECT_GE(crop.top, 0);
    EXPECT_LE(crop.right, size.width);
    Rect sign{};
    ASSERT_EQ(sscanf(surface.calls[4].c_str(), "rect %d,%d,%d,%d", &sign.left, &sign.top, &sign.right, &sign.bottom), 4);
    const int pen = s(3) / 2 + 1;  // the frame's half width outside the rectangle
    EXPECT_GE(sign.left - pen, crop.left) << c.textWidth;
    EXPECT_LE(sign.right + pen, crop.right) << c.textWidth;
    EXPECT_GE(sign.top - pen, crop.top) << c.textHeight;
  }
}

}  // namespace
}  // namespace plakato
