// Stepping through code page 936 bytes one character at a time.
#pragma once

#include <cstddef>
#include <string_view>

#include "base/code_page.h"

namespace plakato {

// Bytes taken by the character at `pos`: two for a lead byte followed by a
// trail byte (0x40..0xFE), one otherwise. Every byte the index's markers and
// the XML-reserved characters are made of lies below 0x40, so none of them is
// ever swallowed as the second half of a character, and a malformed pair
// (a lead byte before CR, LF or a quote) leaves that byte standing on its own.
inline size_t Cp936CharLength(std::string_view text, size_t pos) {
  if (pos + 1 < text.size() && IsCp936LeadByte(static_cast<unsigned char>(text[pos]))) {
    auto trail = static_cast<unsigned char>(text[pos + 1]);
    if (trail >= 0x40 && trail <= 0xFE) return 2;
  }
  return 1;
}

}  // namespace plakato
