// The messenger's emoticon index, face.xml, patched line by line: it is GBK
// text that is not well-formed XML (`<FILE ORG>` holds a space), so it is
// never parsed, and every byte that is not changed stays as it was.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "messenger/line_buffer.h"

namespace plakato {

// The part of `text` after the first `marker`; empty when there is none.
std::string TextAfter(std::string_view marker, std::string_view text);
// The part of `text` in front of the first `marker`; all of it when there is none.
std::string TextBefore(std::string_view marker, std::string_view text);

// A signed 32-bit integer: leading spaces, an optional sign, then decimal
// digits, or hexadecimal digits after "$", "x" or "0x". Anything else throws
// "'<text>' is not a valid integer value".
int32_t StrToInt(std::string_view text);

// The text with &, <, >, " (and CR, LF) written as character references.
std::string EscapeXmlAttribute(std::string_view text);

// Throws "The sign text holds the control character U+00XX, which face.xml
// cannot hold" when `message` (code page 936 bytes) holds a character that
// XML 1.0 forbids anywhere in a document (a control character other than
// tab, CR and LF), which no escaping can carry; returns otherwise.
void RequireIndexableText(std::string_view message);

// Adds the emoticon `faceId` with the sign text `message` (code page 936
// bytes, escaped here) as the last entry of the index's first panel group,
// raising the group's count, or adds the group. A message that
// RequireIndexableText refuses is refused here too. On any error the buffer is
// left exactly as it was.
void PatchFaceIndex(LineBuffer& buffer, std::string_view faceId, std::string_view message);

}  // namespace plakato
