#include "scene/sign_text.h"

#include <algorithm>
#include <string>
#include <utility>

#include "base/error.h"
#include "base/text.h"
#include "base/code_page.h"
#include "scene/placard_scene.h"

namespace plakato {

namespace {

bool IsHighSurrogate(wchar_t c) { return sizeof(wchar_t) == 2 && c >= 0xD800 && c <= 0xDBFF; }
bool IsLowSurrogate(wchar_t c) { return sizeof(wchar_t) == 2 && c >= 0xDC00 && c <= 0xDFFF; }
// Half of a pair, or, where wide characters are 32 bits, a value no character has.
bool IsSurrogate(wchar_t c) { return c >= 0xD800 && c <= 0xDFFF; }

// Length in wide characters of the character starting at text[i]: a pair
// only when a low half follows the high one; a lone half is one character
// of its own, so the character after it is never taken with it.
size_t CharLength(std::wstring_view text, size_t i) {
  return IsHighSurrogate(text[i]) && i + 1 < text.size() && IsLowSurrogate(text[i + 1]) ? 2 : 1;
}

}  // namespace

std::wstring SignTextFromEdit(std::wstring_view editText) {
  std::wstring text = Trim(editText);
  return text.empty() ? std::wstring(kDefaultSignText) : text;
}

size_t Cp936Length(std::wstring_view text) {
  if (auto bytes = EncodeCp936(text)) return bytes->size();
  size_t total = 0;
  for (size_t i = 0; i < text.size();) {
    size_t n = CharLength(text, i);
    auto bytes = EncodeCp936(text.substr(i, n));
    total += bytes ? bytes->size() : 2;
    i += n;
  }
  return total;
}

namespace {

// One walk over an insertion, shared by what is taken and why the rest is not.
struct Fit {
  std::wstring taken;
  size_t usedBefore = 0;  // bytes of the text that stays around the selection
  size_t used = 0;        // ... and of what was taken
  bool cutShort = false;
  std::wstring firstWithoutForm;
  wchar_t firstControl = 0;
};

Fit FitInsertion(std::wstring_view current, size_t selStart, size_t selEnd, std::wstring_view inserted,
                 size_t byteLimit) {
  selStart = std::min(selStart, current.size());
  selEnd = std::clamp(selEnd, selStart, current.size());
  Fit fit;
  fit.usedBefore = Cp936Length(current.substr(0, selStart)) + Cp936Length(current.substr(selEnd));
  fit.used = fit.usedBefore;
  for (size_t i = 0; i < inserted.size();) {
    size_t n = CharLength(inserted, i);
    std::wstring_view character = inserted.substr(i, n);
    i += n;
    if (IsControlCharacter(character[0])) {
      if (!fit.firstControl) fit.firstControl = character[0];
      continue;
    }
    auto bytes = EncodeCp936(character);
    if (!bytes) {
      if (fit.firstWithoutForm.empty()) fit.firstWithoutForm = character;
      continue;
    }
    if (fit.used + bytes->size() > byteLimit) {
      fit.cutShort = true;
      break;
    }
    fit.used += bytes->size();
    fit.taken.append(character);
  }
  return fit;
}

// "U+1F600" for a character given as one or two wide characters.
std::wstring CodePointName(std::wstring_view character) {
  unsigned long code = static_cast<unsigned long>(character.empty() ? 0 : character[0]);
  if (character.size() == 2 && IsHighSurrogate(character[0])) {
    code = 0x10000 + ((code - 0xD800) << 10) + (static_cast<unsigned long>(character[1]) - 0xDC00);
  }
  static constexpr wchar_t kDigits[] = L"0123456789ABCDEF";
  std::wstring hex;
  for (; code || hex.size() < 4; code >>= 4) hex.insert(hex.begin(), kDigits[code & 0xF]);
  return L"U+" + hex;
}

}  // namespace

std::wstring FittingInsertion(std::wstring_view current, size_t selStart, size_t selEnd, std::wstring_view inserted,
                              size_t byteLimit) {
  return FitInsertion(current, selStart, selEnd, inserted, byteLimit).taken;
}

RefusalReason WhyRefused(std::wstring_view current, size_t selStart, size_t selEnd, std::wstring_view inserted,
                         size_t byteLimit) {
  Fit fit = FitInsertion(current, selStart, selEnd, inserted, byteLimit);
  RefusalReason reason;
  // Nothing taken leaves the edit, selection and all, as it was.
  reason.bytesUsed = fit.taken.empty() ? Cp936Length(current) : fit.used;
  if (fit.cutShort) {
    reason.kind = Refusal::TooLong;
  } else if (fit.firstControl) {
    reason.kind = Refusal::ControlCharacter;
    reason.character = std::wstring(1, fit.firstControl);
  } else if (!fit.firstWithoutForm.empty()) {
    reason.kind = Refusal::NoCp936Form;
    reason.character = std::move(fit.firstWithoutForm);
  }
  return reason;
}

RefusalMessage DescribeRefusal(const RefusalReason& reason, size_t byteLimit) {
  switch (reason.kind) {
    case Refusal::None:
      break;
    case Refusal::TooLong:
      return {L"文字太长", L"标牌最多容纳" + std::to_wstring(byteLimit) + L"个字节（" + std::to_wstring(byteLimit / 2) +
                               L"个汉字），已用" + std::to_wstring(reason.bytesUsed) + L"个字节。"};
    case Refusal::NoCp936Form: {
      // Half a surrogate pair cannot be drawn on its own: only its code is named.
      bool lone = reason.character.size() == 1 && IsSurrogate(reason.character[0]);
      std::wstring name = CodePointName(reason.character);
      std::wstring shown = lone ? name : L"“" + reason.character + L"”（" + name + L"）";
      return {L"无法输入的字符", L"字符" + shown + L"不在GBK字符集中，无法写在标牌上。"};
    }
    case Refusal::ControlCharacter:
      // A control character has no picture of its own: only its code is named.
      return {L"无法输入的字符", L"字符" + CodePointName(reason.character) + L"是控制字符，无法写在标牌上。"};
  }
  return {};
}

bool IsControlCharacter(wchar_t c) { return (c >= 0x01 && c <= 0x1F) || c == 0x7F; }

size_t WordStartBefore(std::wstring_view text, size_t caret) {
  caret = std::min(caret, text.size());
  auto blank = [](wchar_t c) { return c == L' ' || c == L'\u3000' || c == L'\t'; };
  size_t at = caret;
  while (at > 0 && blank(text[at - 1])) --at;
  while (at > 0 && !blank(text[at - 1])) --at;
  return at;
}

std::wstring_view FirstLine(std::wstring_view text) { return text.substr(0, text.find_first_of(L"\r\n")); }

}  // namespace plakato
