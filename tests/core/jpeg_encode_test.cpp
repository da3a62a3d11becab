#include "export/jpeg_encode.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/error.h"
#include "test_pictures.h"

namespace plakato {
namespace {

struct Segment {
  uint8_t marker;
  std::vector<uint8_t> body;  // without the length field
};

// Splits a JPEG into its markers; the entropy-coded data after SOS is skipped
// up to the next marker that is neither a stuffed zero nor a restart.
std::vector<Segment> Segments(const std::vector<uint8_t>& jpeg) {
  std::vector<Segment> out;
  size_t i = 0;
  while (i + 1 < jpeg.size()) {
    if (jpeg[i] != 0xFF) {
      ADD_FAILURE() << "no marker at offset " << i;
      break;
    }
    uint8_t m = jpeg[i + 1];
    i += 2;
    if (m == 0xD8 || m == 0xD9) {
      out.push_back({m, {}});
      if (m == 0xD9) break;
      continue;
    }
    size_t len = static_cast<size_t>(jpeg[i]) << 8 | jpeg[i + 1];
    out.push_back({m, std::vector<uint8_t>(jpeg.begin() + i + 2, jpeg.begin() + i + len)});
    i += len;
    if (m == 0xDA) {
      while (i + 1 < jpeg.size() && !(jpeg[i] == 0xFF && jpeg[i + 1] != 0 && (jpeg[i + 1] & 0xF8) != 0xD0)) ++i;
    }
  }
  EXPECT_EQ(i, jpeg.size()) << "bytes after EOI";
  return out;
}

TEST(JpegEncode, MarkersAreBaselineJfifAndNothingElse) {
  std::vector<uint8_t> jpeg = EncodeJpeg(TestPicture(101, 61));
  std::vector<Segment> s = Segments(jpeg);
  std::string order;
  for (const Segment& seg : s) {
    switch (seg.marker) {
      case 0xD8: order += "SOI "; break;
      case 0xE0: order += "APP0 "; break;
      case 0xDB: order += "DQT "; break;
      case 0xC0: order += "SOF0 "; break;
      case 0xC4: order += "DHT "; break;
      case 0xDA: order += "SOS "; break;
      case 0xD9: order += "EOI"; break;
      default: order += "other:" + std::to_string(seg.marker) + " ";
    }
  }
  EXPECT_EQ(order, "SOI APP0 DQT DQT SOF0 DHT DHT DHT DHT SOS EOI");
  ASSERT_EQ(s.size(), 11u);

  // JFIF 1.01, density unit 0, density 1 x 1, no thumbnail.
  EXPECT_EQ(s[1].body, (std::vector<uint8_t>{'J', 'F', 'I', 'F', 0, 1, 1, 0, 0, 1, 0, 1, 0, 0}));

  // Quality 90 scales the standard tables by 20 %: 8-bit entries, luminance
  // 16, 11 and the last 99 become 3, 2 and 20; chrominance 17 and 99 become 3 and 20.
  ASSERT_EQ(s[2].body.size(), 65u);
  EXPECT_EQ(s[2].body[0], 0x00);
  EXPECT_EQ(s[2].body[1], 3);
  EXPECT_EQ(s[2].body[2], 2);
  EXPECT_EQ(s[2].body[64], 20);
  ASSERT_EQ(s[3].body.size(), 65u);
  EXPECT_EQ(s[3].body[0], 0x01);
  EXPECT_EQ(s[3].body[1], 3);
  EXPECT_EQ(s[3].body[64], 20);

  // 8 bits, 61 rows, 101 columns, Y 2x2 with table 0, Cb and Cr 1x1 with table 1.
  EXPECT_EQ(s[4].body, (std::vector<uint8_t>{8, 0, 61, 0, 101, 3, 1, 0x22, 0, 2, 0x11, 1, 3, 0x11, 1}));

  // Standard tables: DC luminance, AC luminance, DC chrominance, AC chrominance.
  EXPECT_EQ(s[5].body[0], 0x00);
  EXPECT_EQ(s[6].body[0], 0x10);
  EXPECT_EQ(s[7].body[0], 0x01);
  EXPECT_EQ(s[8].body[0], 0x11);
  EXPECT_EQ(s[5].body.size(), 1u + 16 + 12);
  EXPECT_EQ(s[6].body.size(), 1u + 16 + 162);

  // One scan over all three components, coefficients 0 to 63, no successive approximation.
  EXPECT_EQ(s[9].body, (std::vector<uint8_t>{3, 1, 0x00, 2, 0x11, 3, 0x11, 0, 63, 0}));
}

TEST(JpegEncode, SamePixelsSameBytes) {
  EXPECT_EQ(EncodeJpeg(TestPicture(37, 20, 4)), EncodeJpeg(TestPicture(37, 20, 4)));
  EXPECT_NE(EncodeJpeg(TestPicture(37, 20, 4)), EncodeJpeg(TestPicture(37, 20, 5)));
}

TEST(JpegEncode, OnePixelAndLargePictures) {
  std::vector<uint8_t> one = EncodeJpeg(PixelCanvas(1, 1, 0x0000FF));
  EXPECT_EQ(Segments(one)[4].body, (std::vector<uint8_t>{8, 0, 1, 0, 1, 3, 1, 0x22, 0, 2, 0x11, 1, 3, 0x11, 1}));
  // Larger than the first output buffer, so the output grows while encoding.
  std::vector<uint8_t> big = EncodeJpeg(TestPicture(800, 300, 9));
  EXPECT_GT(big.size(), 16u * 1024);
  EXPECT_EQ(Segments(big).back().marker, 0xD9);
}

std::wstring ErrorOf(const PixelCanvas& picture) {
  try {
    EncodeJpeg(picture);
  } catch (const AppError& e) {
    return e.message();
  }
  return L"no error";
}

TEST(JpegEncode, EncoderFailuresCarryLibjpegsMessageNumber) {
  // 32 is JERR_EMPTY_IMAGE and 41 JERR_IMAGE_TOO_BIG in libjpeg-turbo 2.1.
  EXPECT_EQ(ErrorOf(PixelCanvas(0, 10)), L"JPEG error #32");
  EXPECT_EQ(ErrorOf(PixelCanvas(10, 0)), L"JPEG error #32");
  EXPECT_EQ(ErrorOf(PixelCanvas(1, 65501)), L"JPEG error #41");
  // The encoder is usable again after a failure.
  EXPECT_FALSE(EncodeJpeg(PixelCanvas(2, 2)).empty());
}

TEST(JpegEncode, PictureWithTooFewPixelsIsRefused) {
  PixelCanvas broken(4, 4);
  broken.pixels.resize(5);
  EXPECT_EQ(ErrorOf(broken), L"要编码的图片像素比它的尺寸少");
}

}  // namespace
}  // namespace plakato
