#include "scene/face_names.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "scene/pixels.h"

namespace plakato {
namespace {

TEST(FaceNames, EveryFaceOfTheArtworkHasItsOwnShortName) {
  ASSERT_EQ(kFaceCount, FaceArtwork().count);
  std::set<std::wstring> seen;
  for (int k = 0; k < kFaceCount; ++k) {
    std::wstring_view name = FaceName(k);
    EXPECT_FALSE(name.empty()) << "face " << k;
    // Short enough for a tool tip and a screen reader: two to four characters.
    EXPECT_GE(name.size(), 2u) << "face " << k;
    EXPECT_LE(name.size(), 4u) << "face " << k;
    EXPECT_TRUE(seen.insert(std::wstring(name)).second) << "face " << k << " shares its name";
  }
  EXPECT_EQ(seen.size(), 17u);
}

TEST(FaceNames, NamesTheFacesTheArtworkShows) {
  EXPECT_EQ(FaceName(0), L"口罩");
  EXPECT_EQ(FaceName(1), L"大笑");
  EXPECT_EQ(FaceName(14), L"猪头");
  EXPECT_EQ(FaceName(16), L"害羞");
}

TEST(FaceNames, AnIndexOutsideTheFacesHasNoName) {
  EXPECT_TRUE(FaceName(-1).empty());
  EXPECT_TRUE(FaceName(kFaceCount).empty());
}

}  // namespace
}  // namespace plakato
