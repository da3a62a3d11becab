// The rules of the sign text: what the message edit may hold and what the
// sign then shows.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace plakato {

// The edit holds at most this many bytes of code page 936: 30 single-byte or
// 15 double-byte characters, or any mix that fits.
inline constexpr size_t kMessageByteLimit = 30;

// The sign text for the edit's text: trimmed of leading and trailing
// characters of code 32 or less (the ideographic space stays), or the
// default sign text when nothing is left.
std::wstring SignTextFromEdit(std::wstring_view editText);

// Bytes the text takes in code page 936; a character without a form there
// counts as two, so that it can never make room.
size_t Cp936Length(std::wstring_view text);

// Characters the sign never shows, though code page 936 has bytes for them:
// they draw as boxes and no XML file may hold them.
bool IsControlCharacter(wchar_t c);

// What of `inserted` goes into the edit when it replaces the selection
// [selStart, selEnd) of `current`: the longest front part that keeps the
// whole within `byteLimit`, never splitting a character, with control
// characters and characters that code page 936 cannot represent left out (a
// lone half of a surrogate pair is a character of its own).
std::wstring FittingInsertion(std::wstring_view current, size_t selStart, size_t selEnd, std::wstring_view inserted,
                              size_t byteLimit = kMessageByteLimit);

// Why the edit takes less than the whole of `inserted`.
enum class Refusal {
  None,         // everything was taken
  TooLong,      // the text ran into the byte limit; a part was cut off
  NoCp936Form,  // a character has no form in code page 936 and was left out
  ControlCharacter,  // a control character (U+0001..U+001F, U+007F) was left out
};

struct RefusalReason {
  Refusal kind = Refusal::None;
  // Bytes of the edit's text once what fits is in (the text unchanged when
  // nothing was taken).
  size_t bytesUsed = 0;
  // For NoCp936Form: the first character left out, a whole surrogate pair
  // when both halves came, otherwise the lone half. For ControlCharacter:
  // the first control character left out.
  std::wstring character;
};

// The reason for what FittingInsertion leaves out of the same insertion.
// When the text was cut short and also lost a character without a form, the
// cut is named: it loses more; a control character is named before a
// character without a form.
RefusalReason WhyRefused(std::wstring_view current, size_t selStart, size_t selEnd, std::wstring_view inserted,
                         size_t byteLimit = kMessageByteLimit);

// What the edit tells the user about a refusal: a title and a sentence.
struct RefusalMessage {
  std::wstring title;
  std::wstring text;
};
RefusalMessage DescribeRefusal(const RefusalReason& reason, size_t byteLimit = kMessageByteLimit);

// Where Ctrl+Backspace deletes back to from `caret`: over the blanks before
// it, then over the word before them (a word ends at a space, an ideographic
// space or a tab).
size_t WordStartBefore(std::wstring_view text, size_t caret);

// A single-line edit takes pasted text up to its first line break.
std::wstring_view FirstLine(std::wstring_view text);

}  // namespace plakato
