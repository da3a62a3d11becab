// The program's text code page, 936 (GBK), whatever the system's own: byte
// counts, the input limit and the bytes written into the messenger's index
// all use it.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace plakato {

// The text as code page 936 bytes, or nothing when a character of it has no
// form there (an emoji, say); no character is ever replaced by a stand-in.
std::optional<std::string> EncodeCp936(std::wstring_view text);

// Code page 936 bytes as text; bytes without a meaning there become U+FFFD.
std::wstring DecodeCp936(std::string_view bytes);

// The first byte of a double-byte character.
inline bool IsCp936LeadByte(unsigned char b) { return b >= 0x81 && b <= 0xFE; }

}  // namespace plakato
