#include "messenger/md2_digest.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace plakato {
namespace {

using Md2 = Md2Hash;

std::string Id(const std::string& text) {
  return Md2::IdentifierOfBytes(std::span(reinterpret_cast<const uint8_t*>(text.data()), text.size()));
}

TEST(Md2Digest, Rfc1319TestSuite) {
  EXPECT_EQ(Id(""), "8350E5A3E24C153DF2275C9F80692773");
  EXPECT_EQ(Id("a"), "32EC01EC4A6DAC72C0AB96FB34C0B5D1");
  EXPECT_EQ(Id("abc"), "DA853B0D3F88D99B30283A69E6DED6BB");
  EXPECT_EQ(Id("message digest"), "AB4F496BFB2A530B219FF33031FE06B0");
  EXPECT_EQ(Id("abcdefghijklmnopqrstuvwxyz"), "4E8DDFF3650292AB5A4108C3AA47940B");
  EXPECT_EQ(Id("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789"),
            "DA33DEF2A42DF13975352846C30338CD");
  std::string digits;
  for (int i = 0; i < 8; ++i) digits += "1234567890";
  EXPECT_EQ(Id(digits), "D5976F79D83D3A0DC9806C3C66F3EFD8");
}

TEST(Md2Digest, WorkedExampleGivesItsFourWords) {
  const uint8_t abc[] = {0x61, 0x62, 0x63};
  MemoryStream stream(abc);
  Md2Hash hash;
  Md2::Words w = hash.HashStream(stream);
  EXPECT_EQ(w[0], 0x0D3B85DAu);
  EXPECT_EQ(w[1], 0x9BD9883Fu);
  EXPECT_EQ(w[2], 0x693A2830u);
  EXPECT_EQ(w[3], 0xBBD6DEE6u);
  EXPECT_EQ(Md2::WordToHex(w[0]), "DA853B0D");
  EXPECT_EQ(Md2::WordToHex(w[1]), "3F88D99B");
  EXPECT_EQ(Md2::WordToHex(w[2]), "30283A69");
  EXPECT_EQ(Md2::WordToHex(w[3]), "E6DED6BB");
}

TEST(Md2Digest, WordToHexKeepsLeadingZerosAndUpperCase) {
  EXPECT_EQ(Md2::WordToHex(0), "00000000");
  EXPECT_EQ(Md2::WordToHex(0x0000000Au), "0A000000");
  EXPECT_EQ(Md2::WordToHex(0x01020304u), "04030201");
  EXPECT_EQ(Md2::WordToHex(0xF00000FFu), "FF0000F0");
  EXPECT_EQ(Md2::WordToHex(0xABCDEF12u), "12EFCDAB");
}

TEST(Md2Digest, HashObjectStartsAfreshOnEachStream) {
  Md2Hash hash;
  const uint8_t empty[1] = {};
  MemoryStream stream(std::span(empty, 0));
  EXPECT_EQ(Md2::Identifier(hash.HashStream(stream)), "8350E5A3E24C153DF2275C9F80692773");
  // The same object starts afresh on a second stream.
  const uint8_t abc[] = {'a', 'b', 'c'};
  MemoryStream again(abc);
  EXPECT_EQ(Md2::Identifier(hash.HashStream(again)), "DA853B0D3F88D99B30283A69E6DED6BB");
}

// Gives at most `step` bytes per call, as a slow device or pipe may.
class TrickleStream : public ByteStream {
 public:
  TrickleStream(std::span<const uint8_t> bytes, size_t step) : inner_(bytes), step_(step) {}
  size_t Read(uint8_t* buffer, size_t count) override { return inner_.Read(buffer, std::min(count, step_)); }

 private:
  MemoryStream inner_;
  size_t step_;
};

std::vector<uint8_t> Bytes(size_t n, uint32_t seed) {
  std::vector<uint8_t> v(n);
  for (auto& b : v) {
    seed = seed * 1103515245u + 12345u;
    b = static_cast<uint8_t>(seed >> 16);
  }
  return v;
}

TEST(Md2Digest, ShortReadsGiveTheSameDigest) {
  // Spans several read chunks and ends off a block boundary.
  std::vector<uint8_t> data = Bytes(2 * Md2Hash::kReadChunk + 37, 7);
  std::string whole = Md2::IdentifierOfBytes(data);
  for (size_t step : {size_t{1}, size_t{15}, size_t{17}, size_t{4099}}) {
    TrickleStream stream(data, step);
    Md2Hash hash;
    EXPECT_EQ(Md2::Identifier(hash.HashStream(stream)), whole) << "step " << step;
  }
}

TEST(Md2Digest, IdentifierIsThirtyTwoUpperCaseHexDigits) {
  for (size_t n : {0, 1, 15, 16, 17, 100, 1000}) {
    std::vector<uint8_t> data = Bytes(n, static_cast<uint32_t>(n));
    std::string id = Md2::IdentifierOfBytes(data);
    ASSERT_EQ(id.size(), 32u);
    for (char c : id) EXPECT_TRUE((c >= '0' && c <= '9') || (c >= 'A' && c <= 'F')) << id;
  }
}

TEST(Md2Digest, DependsOnEveryByte) {
  std::vector<uint8_t> data = Bytes(33, 3);
  std::string before = Md2::IdentifierOfBytes(data);
  data[32] ^= 1;
  EXPECT_NE(Md2::IdentifierOfBytes(data), before);
}

}  // namespace
}  // namespace plakato
