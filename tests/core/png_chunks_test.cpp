#include "export/png_chunks.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace plakato {
namespace {

// A chunk with a made-up CRC, which the filter never reads.
std::string Chunk(const std::string& type, const std::string& data) {
  std::string out;
  for (int shift = 24; shift >= 0; shift -= 8) out += static_cast<char>((data.size() >> shift) & 0xFF);
  return out + type + data + "CRC!";
}

std::vector<uint8_t> Png(const std::string& chunks) {
  std::string all = std::string("\x89PNG\r\n\x1A\n", 8) + chunks;
  return {all.begin(), all.end()};
}

const std::string kHeader = Chunk("IHDR", std::string(13, 'h'));
const std::string kEnd = Chunk("IEND", "");

TEST(PngChunks, KeepsHeaderDataAndEndOnlyByteForByte) {
  std::string data1 = Chunk("IDAT", "first"), data2 = Chunk("IDAT", "second");
  std::string colour = Chunk("sRGB", std::string(1, '\0')) + Chunk("gAMA", std::string("\0\0\xB1\x8F", 4)) +
                       Chunk("cHRM", std::string(32, 'c')) + Chunk("iCCP", "profile");
  std::vector<uint8_t> file = Png(kHeader + colour + Chunk("pHYs", std::string(9, 'p')) + Chunk("PLTE", "rgb") +
                                  data1 + Chunk("tEXt", "Software") + data2 + kEnd + "trailing bytes");
  EXPECT_EQ(KeepPngImageChunks(file), Png(kHeader + data1 + data2 + kEnd));
}

TEST(PngChunks, RefusesBytesThatAreNoWholePng) {
  std::string data = Chunk("IDAT", "x");
  std::string dataPastTheEnd = std::string(data).replace(3, 1, "\x40");
  for (const std::string& chunks : {data + kEnd, kHeader + data, kHeader + data + kEnd.substr(0, 8),
                                    kHeader + kHeader + data + kEnd, kHeader + dataPastTheEnd + kEnd}) {
    EXPECT_FALSE(KeepPngImageChunks(Png(chunks))) << chunks.size();
  }
  std::vector<uint8_t> noSignature(kHeader.begin(), kHeader.end());
  EXPECT_FALSE(KeepPngImageChunks(noSignature));
  EXPECT_FALSE(HasPngSignature(noSignature));
}

TEST(PngChunks, AFileMayEndExactlyWithItsEndChunkButNotAByteEarlier) {
  std::string data = Chunk("IDAT", "x");
  EXPECT_EQ(KeepPngImageChunks(Png(kHeader + data + kEnd)), Png(kHeader + data + kEnd));
  EXPECT_FALSE(KeepPngImageChunks(Png(kHeader + data + kEnd.substr(0, 11))));
  std::vector<uint8_t> signature = Png("");
  EXPECT_TRUE(HasPngSignature(signature));
  signature.pop_back();
  EXPECT_FALSE(HasPngSignature(signature));
}

}  // namespace
}  // namespace plakato
