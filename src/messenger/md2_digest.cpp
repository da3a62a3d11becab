#include "messenger/md2_digest.h"

#include <algorithm>
#include <vector>

namespace plakato {
namespace {

// The permutation of 0..255 made from the digits of pi (RFC 1319, PI_SUBST).
constexpr uint8_t S[256] = {
    41,  46,  67,  201, 162, 216, 124, 1,   61,  54,  84,  161, 236, 240, 6,   19,  //
    98,  167, 5,   243, 192, 199, 115, 140, 152, 147, 43,  217, 188, 76,  130, 202,  //
    30,  155, 87,  60,  253, 212, 224, 22,  103, 66,  111, 24,  138, 23,  229, 18,   //
    190, 78,  196, 214, 218, 158, 222, 73,  160, 251, 245, 142, 187, 47,  238, 122,  //
    169, 104, 121, 145, 21,  178, 7,   63,  148, 194, 16,  137, 11,  34,  95,  33,   //
    128, 127, 93,  154, 90,  144, 50,  39,  53,  62,  204, 231, 191, 247, 151, 3,    //
    255, 25,  48,  179, 72,  165, 181, 209, 215, 94,  146, 42,  172, 86,  170, 198,  //
    79,  184, 56,  210, 150, 164, 125, 182, 118, 252, 107, 226, 156, 116, 4,   241,  //
    69,  157, 112, 89,  100, 113, 135, 32,  134, 91,  207, 101, 230, 45,  168, 2,    //
    27,  96,  37,  173, 174, 176, 185, 246, 28,  70,  97,  105, 52,  64,  126, 15,   //
    85,  71,  163, 35,  221, 81,  175, 58,  195, 92,  249, 206, 186, 197, 234, 38,   //
    44,  83,  13,  110, 133, 40,  132, 9,   211, 223, 205, 244, 65,  129, 77,  82,   //
    106, 220, 55,  200, 108, 193, 171, 250, 36,  225, 123, 8,   12,  189, 177, 74,   //
    120, 136, 149, 139, 227, 99,  232, 109, 233, 203, 213, 254, 59,  0,   29,  57,   //
    242, 239, 183, 14,  102, 88,  208, 228, 166, 119, 114, 248, 235, 117, 75,  10,   //
    49,  68,  80,  180, 143, 237, 31,  26,  219, 153, 141, 51,  159, 17,  131, 20};

constexpr bool IsPermutation() {
  bool seen[256] = {};
  for (uint8_t v : S) {
    if (seen[v]) return false;
    seen[v] = true;
  }
  return true;
}
static_assert(IsPermutation(), "the substitution table must hold every byte value once");

}  // namespace

size_t MemoryStream::Read(uint8_t* buffer, size_t count) {
  size_t n = std::min(count, bytes_.size() - position_);
  std::copy_n(bytes_.begin() + static_cast<std::ptrdiff_t>(position_), n, buffer);
  position_ += n;
  return n;
}

void Md2Hash::BlockStep() {
  // The 18 x 48 steps are one chain of dependent table look-ups. A local copy
  // held in full-width words keeps each step to a load and an XOR: no
  // narrowing to a byte and no widening again sits on the chain.
  unsigned x[48];
  for (int i = 0; i < 16; ++i) {
    x[i] = X_[i];
    x[16 + i] = M_[i];
    x[32 + i] = M_[i] ^ X_[i];
  }
  unsigned t = 0;
  for (unsigned pass = 0; pass < 18; ++pass) {
    for (int j = 0; j < 48; ++j) {
      t = x[j] ^ S[t];
      x[j] = t;
    }
    t = (t + pass) & 0xFF;
  }
  for (int i = 0; i < 48; ++i) X_[i] = static_cast<uint8_t>(x[i]);

  // The new checksum byte is combined with its previous value (RFC 1319
  // reference code and test suite, not the RFC's first printed text).
  uint8_t l = C_[15];
  for (int j = 0; j < 16; ++j) {
    C_[j] = static_cast<uint8_t>(C_[j] ^ S[M_[j] ^ l]);
    l = C_[j];
  }
}

Md2Hash::Words Md2Hash::HashStream(ByteStream& stream) {
  X_.fill(0);
  M_.fill(0);
  C_.fill(0);
  std::vector<uint8_t> chunk(kReadChunk);
  size_t held = 0;  // bytes of the next block already in M
  for (;;) {
    size_t got = stream.Read(chunk.data(), chunk.size());
    if (got == 0) break;
    const uint8_t* p = chunk.data();
    while (got > 0) {
      size_t take = std::min(got, M_.size() - held);
      std::copy_n(p, take, M_.begin() + static_cast<std::ptrdiff_t>(held));
      held += take;
      p += take;
      got -= take;
      if (held == M_.size()) {
        BlockStep();
        held = 0;
      }
    }
  }
  // Padding: n remaining bytes are followed by 16 - n bytes of value 16 - n,
  // so a length that is a multiple of 16 gets a whole block of 16s.
  std::fill(M_.begin() + static_cast<std::ptrdiff_t>(held), M_.end(), static_cast<uint8_t>(16 - held));
  BlockStep();
  M_ = C_;
  BlockStep();

  Words words{};
  for (int i = 0; i < 4; ++i) {
    words[i] = static_cast<uint32_t>(X_[4 * i]) | static_cast<uint32_t>(X_[4 * i + 1]) << 8 |
               static_cast<uint32_t>(X_[4 * i + 2]) << 16 | static_cast<uint32_t>(X_[4 * i + 3]) << 24;
  }
  return words;
}

std::string Md2Hash::WordToHex(uint32_t word) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string text(8, '0');
  for (int b = 0; b < 4; ++b) {
    uint32_t byte = (word >> (8 * b)) & 0xFF;
    text[2 * b] = kDigits[byte >> 4];
    text[2 * b + 1] = kDigits[byte & 0xF];
  }
  return text;
}

std::string Md2Hash::Identifier(const Words& words) {
  std::string id;
  for (uint32_t w : words) id += WordToHex(w);
  return id;
}

std::string Md2Hash::IdentifierOfBytes(std::span<const uint8_t> bytes) {
  MemoryStream stream(bytes);
  Md2Hash hash;
  return Identifier(hash.HashStream(stream));
}

}  // namespace plakato
