// The MD2 message digest (RFC 1319) behind the emoticon identifier, and the
// byte streams it reads. The identifier of a file comes from
// ComputeFileDigest in messenger/file_digest_win.h.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace plakato {

// A readable sequence of bytes. Read fills up to `count` bytes and returns how
// many it gave; 0 means the end. Short reads before the end are allowed.
class ByteStream {
 public:
  virtual ~ByteStream() = default;
  virtual size_t Read(uint8_t* buffer, size_t count) = 0;
};

// A stream over bytes in memory, which the caller keeps alive.
class MemoryStream : public ByteStream {
 public:
  explicit MemoryStream(std::span<const uint8_t> bytes) : bytes_(bytes) {}
  size_t Read(uint8_t* buffer, size_t count) override;

 private:
  std::span<const uint8_t> bytes_;
  size_t position_ = 0;
};

// The MD2 message digest: the block step, the hashing of a stream, and the
// digest's hexadecimal form, which is the emoticon identifier.
class Md2Hash {
 public:
  // The digest as four words W0..W3; Wi holds digest bytes 4i..4i+3 with byte
  // 4i in its least significant eight bits.
  using Words = std::array<uint32_t, 4>;

  // Reads the stream in large chunks, so a file is read in few calls while
  // memory stays the same whatever its length.
  static constexpr size_t kReadChunk = 64 * 1024;

  // Hashes every byte from the stream's current position to its end; each
  // call starts afresh, so one object serves any number of streams.
  Words HashStream(ByteStream& stream);

  // The word's four bytes from least to most significant, each as two upper
  // case hexadecimal digits, high nibble first: 0x0D3B85DA gives "DA853B0D".
  static std::string WordToHex(uint32_t word);

  // The 32-character identifier: the four words' hexadecimal forms joined.
  static std::string Identifier(const Words& words);

  // The identifier of bytes held in memory.
  static std::string IdentifierOfBytes(std::span<const uint8_t> bytes);

 private:
  void BlockStep();  // mixes the block M into X and the checksum C

  std::array<uint8_t, 48> X_{};
  std::array<uint8_t, 16> M_{};
  std::array<uint8_t, 16> C_{};
};

}  // namespace plakato
