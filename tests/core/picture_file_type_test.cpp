#include "export/picture_file_type.h"

#include <gtest/gtest.h>

namespace plakato {
namespace {

using Format = PictureFileFormat;

TEST(SaveTarget, AWrittenExtensionDecidesAndAnyOtherNameGetsTheChosenType) {
  for (Format chosen : {Format::Jpeg, Format::Png}) {
    struct Named {
      const wchar_t* name;
      Format format;
    };
    for (Named n : {Named{L"C:\\pics\\a.jpg", Format::Jpeg}, Named{L"a.JPEG", Format::Jpeg},
                    Named{L"a.png.Jpg", Format::Jpeg}, Named{L"A.PNG", Format::Png}, Named{L"b.jpg.png", Format::Png}}) {
      PictureFileTarget target = ChooseSaveTarget(n.name, chosen);
      EXPECT_EQ(target.path, n.name);
      EXPECT_EQ(target.format, n.format) << n.name;
    }
    const std::wstring added = chosen == Format::Png ? L".png" : L".jpg";
    for (const wchar_t* name : {L"bigcn.jpgyellow", L"bigcn.pngx", L"notes.txt", L"photo", L"C:\\x.png\\face"}) {
      PictureFileTarget target = ChooseSaveTarget(name, chosen);
      EXPECT_EQ(target.path, name + added);
      EXPECT_EQ(target.format, chosen);
    }
  }
}

}  // namespace
}  // namespace plakato
