#include "scene/placard_scene.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace plakato {
namespace {

// Records every call as a line of text; text extents come from a table,
// with a fallback of 8 pixels per character and a fixed height.
class RecordingSurface : public DrawingSurface {
 public:
  explicit RecordingSurface(const ImageList& faces) : faces_(faces) {}

  std::map<std::wstring, TextSize> extents;
  int defaultHeight = 13;
  SceneRect clip{0, 0, 371, 120};
  std::vector<std::string> calls;
  // Brush state as GDI keeps it, to check what a drawing leaves behind.
  bool brushClear = false;
  uint32_t brushColour = 0xFFFFFF;

  TextSize TextExtent(const std::wstring& text) override {
    auto it = extents.find(text);
    return it != extents.end() ? it->second : TextSize{8 * static_cast<int>(text.size()), defaultHeight};
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
  void FillRect(const SceneRect& r) override { calls.push_back("fill " + Rect(r)); }
  void Rectangle(const SceneRect& r) override { calls.push_back("rect " + Rect(r)); }
  void TextOut(int x, int y, const std::wstring& text) override {
    calls.push_back("text " + std::to_string(x) + "," + std::to_string(y) + " " + std::string(text.begin(), text.end()));
  }
  void DrawImage(const ImageList& list, int index, int x, int y) override {
    calls.push_back(std::string(&list == &faces_ ? "face " : "piece ") + std::to_string(index) + " " +
                    std::to_string(x) + "," + std::to_string(y));
  }
  SceneRect ClipBox() override { return clip; }

 private:
  static std::string Hex(uint32_t v) {
    char buf[16];
    snprintf(buf, sizeof buf, "#%06X", v);
    return buf;
  }
  static std::string Rect(const SceneRect& r) {
    return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
           std::to_string(r.bottom);
  }
  const ImageList& faces_;
};

class SceneTest : public testing::Test {
 protected:
  SceneTest() : faces(FaceArtwork()), pieces(PieceArtwork()), surface(faces) {
    scene.SetStartFields(371, 120, faces);
  }
  void Render(uint32_t signColour = 0xFFFFFF) { scene.RenderScene(surface, faces, pieces, signColour); }

  ImageList faces;
  ImageList pieces;
  RecordingSurface surface;
  PlacardScene scene;
};

TEST_F(SceneTest, StartFieldsFollowTheSurfaceAndTheFaceList) {
  EXPECT_EQ(scene.FCenterX, 185);
  EXPECT_EQ(scene.FCenterY, 110);
  EXPECT_EQ(scene.FFigureWidth, 26);
  EXPECT_EQ(scene.FFigureHeight, 26);
  EXPECT_EQ(scene.FFigureIndex, 0);
  EXPECT_EQ(scene.FMessage, L"Quillion");
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
  EXPECT_EQ(scene.FSignWidth, 100);
  EXPECT_EQ(scene.FSceneHeight, 61);
  // The drawing leaves the brush clear; the next one starts by making it solid white again.
  EXPECT_TRUE(surface.brushClear);
  surface.calls.clear();
  Render();
  EXPECT_EQ(surface.calls[0], "brush #FFFFFF");
  EXPECT_EQ(surface.calls[1], "fill 0,0,371,120");
}

TEST_F(SceneTest, ShortTextsMoveHalfAFaceTowardsThePole) {
  scene.FMessage = L"x";
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
  scene.FFigureWidth = 30;
  scene.FFigureHeight = 20;
  Render();
  EXPECT_EQ(surface.calls[8], "piece 1 189,103");  // 185 + 15 - 11, 110 - 15 + 8
  EXPECT_EQ(surface.calls[9], "piece 0 165,100");  // 185 - 15 - 5, 110 - 10
}

TEST_F(SceneTest, SignWidthIsAtLeastOneHundred) {
  scene.FMessage = L"w";
  surface.extents[L"w"] = {85, 13};
  Render();
  EXPECT_EQ(scene.FSignWidth, 100);  // 2 * 42 + 15 = 99
  surface.extents[L"w"] = {86, 13};
  Render();
  EXPECT_EQ(scene.FSignWidth, 101);
  surface.extents[L"w"] = {87, 13};
  Render();
  EXPECT_EQ(scene.FSignWidth, 101);  // odd widths lose their last pixel to div
  surface.extents[L"w"] = {0, 0};
  Render();
  EXPECT_EQ(scene.FSignWidth, 100);
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
  scene.FMessage = L"wide";
  surface.extents[L"wide"] = {600, 13};
  Render();
  EXPECT_EQ(surface.calls[4], "rect -120,74,490,96");
  EXPECT_EQ(surface.calls[6], "text -115,79 wide");
  EXPECT_EQ(scene.FSignWidth, 615);
}

TEST_F(SceneTest, ATallFontLiftsThePoleTopAboveTheSceneAndTheHeightPastIt) {
  surface.defaultHeight = 100;
  Render();
  EXPECT_EQ(scene.FSceneHeight, 148);  // 48 + 100
  EXPECT_EQ(surface.calls.back(), "piece 2 168,-18");
  EXPECT_EQ(surface.calls[4], "rect 148,-14,222,96");  // centre y 110 - 50 - 19 = 41: above row 0
}

TEST_F(SceneTest, FaceChangesOnlyTheFaceAndColourOnlyTheFill) {
  surface.extents[L"Quillion"] = {64, 13};
  Render();
  std::vector<std::string> first = surface.calls;
  int signWidth = scene.FSignWidth, sceneHeight = scene.FSceneHeight;
  surface.calls.clear();
  scene.FFigureIndex = 14;
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
  EXPECT_EQ(scene.FSignWidth, signWidth);
  EXPECT_EQ(scene.FSceneHeight, sceneHeight);
}

TEST_F(SceneTest, TheTextIsDrawnExactlyAsStored) {
  scene.FMessage = L"&Save & go";
  Render();
  EXPECT_EQ(surface.calls[6].substr(surface.calls[6].find(' ', 5) + 1), "&Save & go");
}

}  // namespace
}  // namespace plakato
