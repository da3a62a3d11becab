// Our MD2 against GNU Nettle's on lengths around the block size and beyond.
#include <nettle/md2.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "messenger/md2_digest.h"

namespace plakato {
namespace {

std::string NettleId(const std::vector<uint8_t>& data) {
  md2_ctx ctx;
  md2_init(&ctx);
  md2_update(&ctx, data.size(), data.data());
  uint8_t digest[MD2_DIGEST_SIZE];
  md2_digest(&ctx, sizeof digest, digest);
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string id;
  for (uint8_t b : digest) {
    id += kDigits[b >> 4];
    id += kDigits[b & 0xF];
  }
  return id;
}

TEST(Md2AgainstNettle, LengthsAroundTheBlockSize) {
  uint32_t seed = 99;
  for (size_t n : {15, 16, 17, 31, 32, 33, 48, 255, 256, 65536, 65537, 200000}) {
    std::vector<uint8_t> data(n);
    for (auto& b : data) {
      seed = seed * 1664525u + 1013904223u;
      b = static_cast<uint8_t>(seed >> 23);
    }
    EXPECT_EQ(Md2Hash::IdentifierOfBytes(data), NettleId(data)) << "length " << n;
  }
}

TEST(Md2AgainstNettle, EveryByteValue) {
  std::vector<uint8_t> data(256 * 3);
  for (size_t i = 0; i < data.size(); ++i) data[i] = static_cast<uint8_t>(i * 7);
  EXPECT_EQ(Md2Hash::IdentifierOfBytes(data), NettleId(data));
}

}  // namespace
}  // namespace plakato
