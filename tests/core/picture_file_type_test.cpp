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

// A ".webp" name is the sticker whatever the type; the sticker's PNG type
// keeps the sticker for a ".png" name, and its WebP type completes a bare name.
TEST(SaveTarget, TheStickerTypesAndAWebpNameSaveTheSticker) {
  const PictureSaveType& webpSticker = kPictureSaveTypes[3];
  const PictureSaveType& pngSticker = kPictureSaveTypes[4];
  EXPECT_EQ(webpSticker.name, L"WebP Sticker 512 (*.webp)");
  EXPECT_EQ(pngSticker.name, L"PNG Sticker 512 (*.png)");
  PictureFileTarget bare = ChooseSaveTarget(L"sign", webpSticker.format);
  EXPECT_EQ(bare.path, L"sign.webp");
  EXPECT_EQ(KindSaved(webpSticker.kind, bare.format), PictureKind::Sticker);
  for (const PictureSaveType& type : kPictureSaveTypes) {
    EXPECT_EQ(KindSaved(type.kind, ChooseSaveTarget(L"a.WebP", type.format).format), PictureKind::Sticker);
    const PictureKind still = type.kind == PictureKind::Animation ? PictureKind::Standard : type.kind;
    EXPECT_EQ(KindSaved(type.kind, ChooseSaveTarget(L"a.png", type.format).format), still);
  }
}

// A ".gif" name is the animation whatever the type; the GIF type completes a
// bare name, and a still picture's name under it saves the still picture.
TEST(SaveTarget, TheGifTypeAndAGifNameSaveTheAnimation) {
  const PictureSaveType& gif = kPictureSaveTypes[5];
  EXPECT_EQ(gif.name, L"GIF Animation (*.gif)");
  PictureFileTarget bare = ChooseSaveTarget(L"sign.gifs", gif.format);
  EXPECT_EQ(bare.path, L"sign.gifs.gif");
  EXPECT_EQ(KindSaved(gif.kind, bare.format), PictureKind::Animation);
  for (const PictureSaveType& type : kPictureSaveTypes) {
    EXPECT_EQ(KindSaved(type.kind, ChooseSaveTarget(L"a.GIF", type.format).format), PictureKind::Animation);
  }
  EXPECT_EQ(KindSaved(gif.kind, ChooseSaveTarget(L"a.jpg", gif.format).format), PictureKind::Standard);
}

}  // namespace
}  // namespace plakato
