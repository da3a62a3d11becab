// Hostile pictures and odd text: a tiny file claiming a huge picture gets no
// preview instead of gigabytes, control characters and lone surrogate halves
// never reach the sign or face.xml, and the program knows its own temporary
// files from anyone else's.
#include <gtest/gtest.h>

#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

#include "base/error.h"
#include "base/temporary_file_name.h"
#include "export/jpeg_decode.h"
#include "export/jpeg_encode.h"
#include "export/png_chunks.h"
#include "hostile_pictures.h"
#include "messenger/face_index.h"
#include "messenger/line_buffer.h"
#include "scene/sign_text.h"
#include "test_pictures.h"

namespace plakato {
namespace {

// --- The save dialog's preview -------------------------------------------

TEST(HostilePreview, AFewHundredBytesClaimingAHugePictureShowNoPreview) {
  for (bool progressive : {true, false}) {
    for (unsigned side : {20000u, 40000u, 65535u}) {
      std::vector<uint8_t> jpeg = testing::JpegClaiming(side, side, progressive);
      ASSERT_LT(jpeg.size(), 1024u);
      DecodedPreview shown = DecodeJpegPreview(jpeg, 128, 128);
      EXPECT_TRUE(shown.picture.pixels.empty()) << side << (progressive ? " progressive" : " baseline");
      EXPECT_EQ(shown.width, 0);
    }
  }
  // One pixel over the limit is over; a long thin strip counts its pixels too.
  EXPECT_TRUE(DecodeJpegPreview(testing::JpegClaiming(50001, 1000, false), 128, 128).picture.pixels.empty());
}

TEST(HostilePreview, WithinThePixelLimitTheDecodersMemoryIsCapped) {
  // 49 megapixels: a baseline file decodes row by row in little memory and
  // previews; a progressive one would keep every coefficient (about 147 MB)
  // and shows none.
  DecodedPreview baseline = DecodeJpegPreview(testing::JpegClaiming(7000, 7000, false), 128, 128);
  EXPECT_EQ(baseline.width, 7000);
  EXPECT_EQ(baseline.height, 7000);
  EXPECT_EQ(baseline.picture.width, 128);
  EXPECT_EQ(baseline.picture.height, 128);
  EXPECT_TRUE(DecodeJpegPreview(testing::JpegClaiming(7000, 7000, true), 128, 128).picture.pixels.empty());
  // A progressive picture of a size people take does preview.
  DecodedPreview photo = DecodeJpegPreview(testing::JpegClaiming(2000, 1500, true), 128, 128);
  EXPECT_EQ(photo.width, 2000);
  EXPECT_EQ(photo.picture.width, 128);
  EXPECT_EQ(photo.picture.height, 96);
}

TEST(HostilePreview, AJpegRepeatingOneScanThousandsOfTimesShowsNoPreview) {
  // 4096 x 4096 grey, its AC scan copied 5000 times: a quarter of a megabyte
  // libjpeg would read for seconds (preview_bench prints the refusal's time).
  std::vector<uint8_t> jpeg = testing::JpegRepeatingAScan(4096, 5001);
  EXPECT_LT(jpeg.size(), 400'000u);
  EXPECT_TRUE(DecodeJpegPreview(jpeg, 128, 128).picture.pixels.empty());
  // Up to the limit such a file still shows (as libjpeg's own progressive
  // files of ten scans do, above); one scan more does not.
  EXPECT_EQ(DecodeJpegPreview(testing::JpegRepeatingAScan(64, kPreviewScanLimit), 32, 32).picture.width, 32);
  EXPECT_TRUE(DecodeJpegPreview(testing::JpegRepeatingAScan(64, kPreviewScanLimit + 1), 32, 32).picture.pixels.empty());
}

TEST(HostilePreview, OrdinaryAndBrokenFilesAreUnchanged) {
  std::vector<uint8_t> jpeg = EncodeJpeg(TestPicture(64, 32));
  DecodedPreview shown = DecodeJpegPreview(jpeg, 32, 32);
  EXPECT_EQ(shown.width, 64);
  EXPECT_EQ(shown.picture.width, 32);
  EXPECT_EQ(shown.picture.height, 16);
  std::vector<uint8_t> cut(jpeg.begin(), jpeg.begin() + 20);
  EXPECT_TRUE(DecodeJpegPreview(cut, 32, 32).picture.pixels.empty());
  EXPECT_TRUE(DecodeJpegPreview({}, 32, 32).picture.pixels.empty());
}

TEST(HostilePreview, ThePngHeaderIsReadBeforeAnyDecoderSeesTheFile) {
  std::optional<PngHeader> header = ReadPngHeader(testing::PngClaiming(40000, 30000, 16, 6));
  ASSERT_TRUE(header);
  EXPECT_EQ(header->width, 40000u);
  EXPECT_EQ(header->height, 30000u);
  EXPECT_EQ(header->bitDepth, 16);
  EXPECT_EQ(header->colourType, 6);
  EXPECT_EQ(header->PixelBytes(), uint64_t{40000} * 30000 * 8);
  // Rows are whole bytes: 3 one-bit pixels take a byte, grey or palette.
  PngHeader bits{3, 10, 1, 0};
  EXPECT_EQ(bits.PixelBytes(), 10u);
  PngHeader rgb{5, 2, 8, 2};
  EXPECT_EQ(rgb.PixelBytes(), 30u);

  std::vector<uint8_t> png = testing::PngClaiming(10, 10);
  std::vector<uint8_t> notFirst = png;
  notFirst[12] = 'X';  // the first chunk is no longer IHDR
  EXPECT_FALSE(ReadPngHeader(notFirst));
  EXPECT_FALSE(ReadPngHeader({png.begin(), png.begin() + 28}));
  EXPECT_FALSE(ReadPngHeader(testing::JpegClaiming(10, 10, false)));
}

// --- The sign text ------------------------------------------------------

TEST(HostileSignText, ControlCharactersAndDeleteAreRefusedWithTheirReason) {
  for (wchar_t c = 1; c < 0x80; ++c) {
    bool control = c < 0x20 || c == 0x7F;
    std::wstring inserted = std::wstring(L"a") + c + L"b";
    EXPECT_EQ(FittingInsertion(L"", 0, 0, inserted), control ? L"ab" : inserted) << static_cast<int>(c);
    RefusalReason reason = WhyRefused(L"", 0, 0, inserted);
    EXPECT_EQ(reason.kind, control ? Refusal::ControlCharacter : Refusal::None) << static_cast<int>(c);
    if (control) {
      EXPECT_EQ(reason.character, std::wstring(1, c));
    }
  }
  RefusalMessage said = DescribeRefusal(WhyRefused(L"x", 1, 1, L"\x01"));
  EXPECT_EQ(said.title, L"无法输入的字符");
  EXPECT_EQ(said.text, L"字符U+0001是控制字符，无法写在标牌上。");
  EXPECT_EQ(DescribeRefusal(WhyRefused(L"", 0, 0, L"\x7F")).text, L"字符U+007F是控制字符，无法写在标牌上。");
  // A refused control character takes no room from the limit.
  EXPECT_EQ(FittingInsertion(std::wstring(29, L'x'), 29, 29, L"\x01y"), L"y");
}

TEST(HostileSignText, ALoneSurrogateHalfIsRefusedAloneAndTheNextCharacterKept) {
  EXPECT_EQ(FittingInsertion(L"", 0, 0, L"\xD800" L"AB"), L"AB");
  RefusalReason high = WhyRefused(L"", 0, 0, L"\xD800" L"AB");
  EXPECT_EQ(high.kind, Refusal::NoCp936Form);
  EXPECT_EQ(high.character, L"\xD800");
  EXPECT_EQ(DescribeRefusal(high).text, L"字符U+D800不在GBK字符集中，无法写在标牌上。");
  EXPECT_EQ(FittingInsertion(L"", 0, 0, L"A\xD800\xD800" L"B"), L"AB");
  EXPECT_EQ(FittingInsertion(L"", 0, 0, L"\xDC00" L"A"), L"A");
  // A whole pair is still one character, named whole (where wide
  // characters are UTF-16).
  EXPECT_EQ(FittingInsertion(L"", 0, 0, L"\xD83D\xDE00" L"A"), L"A");
  if (sizeof(wchar_t) == 2) {
    EXPECT_EQ(WhyRefused(L"", 0, 0, L"\xD83D\xDE00" L"A").character, L"\xD83D\xDE00");
  }
  EXPECT_EQ(Cp936Length(L"\xD800" L"A"), 3u);
}

TEST(HostileSignText, CtrlBackspaceDeletesBackToTheStartOfTheWordBeforeTheCaret) {
  EXPECT_EQ(WordStartBefore(L"hello world", 11), 6u);
  EXPECT_EQ(WordStartBefore(L"hello world  ", 13), 6u);
  EXPECT_EQ(WordStartBefore(L"hello world", 8), 6u);
  EXPECT_EQ(WordStartBefore(L"hello", 5), 0u);
  EXPECT_EQ(WordStartBefore(L"举牌\x3000抗议", 5), 3u);
  EXPECT_EQ(WordStartBefore(L"   ", 3), 0u);
  EXPECT_EQ(WordStartBefore(L"", 0), 0u);
  EXPECT_EQ(WordStartBefore(L"ab", 9), 0u);
}

// --- face.xml -------------------------------------------------------------

TEST(HostileFaceIndex, NoControlCharacterXmlForbidsReachesTheIndex) {
  const std::string index = "<FACESETTING>\r\n<CUSTOMFACEGROUP version=\"1002\" name=\"panel\" count=\"0\">\r\n"
                            "</CUSTOMFACEGROUP>\r\n</FACESETTING>\r\n";
  for (int c = 0; c < 0x20; ++c) {
    std::string message = std::string("a") + static_cast<char>(c) + "b";
    LineBuffer memo;
    memo.LoadBytes(index);
    bool allowed = c == '\t' || c == '\r' || c == '\n';
    if (allowed) {
      EXPECT_NO_THROW(RequireIndexableText(message)) << c;
      continue;
    }
    try {
      PatchFaceIndex(memo, "0123456789ABCDEF0123456789ABCDEF", message);
      ADD_FAILURE() << "control character " << c << " went into face.xml";
    } catch (const AppError& error) {
      char code[8];
      std::snprintf(code, sizeof code, "%02X", c);
      EXPECT_EQ(error.message(), L"牌子文字含有控制字符 U+00" + std::wstring(code, code + 2) + L"，face.xml 无法保存");
    }
    EXPECT_EQ(memo.Text(), index) << "the index is left as it was";
  }
  // Double-byte characters whose second byte would be a control character
  // do not exist; their bytes pass whole.
  EXPECT_NO_THROW(RequireIndexableText("\xB2\xE2\x7F\x81\x40"));
}

// --- Temporary files ----------------------------------------------------

TEST(TemporaryFiles, OnlyTheProgramsOwnNamesAreItsTemporaryFiles) {
  EXPECT_EQ(TemporaryFileName(0x1234, 0xABCD), L"~plakato00001234ABCD.tmp");
  EXPECT_EQ(TemporaryFileName(0xFFFFFFFF, 0), L"~plakatoFFFFFFFF0000.tmp");
  EXPECT_TRUE(IsTemporaryFileName(TemporaryFileName(77, 3)));
  EXPECT_TRUE(IsTemporaryFileName(L"~PLAKATO00001234abcd.TMP"));
  for (const wchar_t* foreign :
       {L"~plakato.tmp", L"~plakato00001234ABC.tmp", L"~plakato00001234ABCDE.tmp", L"~plakato00001234ABCG.tmp",
        L"~plakato00001234ABCD.tmp.bak", L"x~plakato00001234ABCD.tmp", L"~plakato00001234ABCD.jpg",
        L"plakato00001234ABCD.tmp", L"~other0000001234ABCD.tmp", L""}) {
    EXPECT_FALSE(IsTemporaryFileName(foreign)) << std::string(foreign, foreign + std::wcslen(foreign));
  }
}

TEST(TemporaryFiles, OnlyThoseOlderThanADayAreStale) {
  const int64_t now = int64_t{133'000'000'000'000'000};
  const std::wstring name = TemporaryFileName(5, 6);
  EXPECT_TRUE(IsStaleTemporaryFile(name, now - kTemporaryFileLifetime - 1, now));
  EXPECT_FALSE(IsStaleTemporaryFile(name, now - kTemporaryFileLifetime, now));
  EXPECT_FALSE(IsStaleTemporaryFile(name, now - 1, now));
  EXPECT_FALSE(IsStaleTemporaryFile(name, now + kTemporaryFileLifetime * 2, now)) << "a clock set back";
  EXPECT_FALSE(IsStaleTemporaryFile(L"old.tmp", 0, now));
}

}  // namespace
}  // namespace plakato
