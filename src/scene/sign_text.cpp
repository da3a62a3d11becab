#include "scene/sign_text.h"

#include <algorithm>

#include "base/error.h"
#include "base/text.h"
#include "base/code_page.h"
#include "scene/placard_scene.h"

namespace plakato {

namespace {

bool IsHighSurrogate(wchar_t c) { return sizeof(wchar_t) == 2 && c >= 0xD800 && c <= 0xDBFF; }

// Length in wide characters of the character starting at text[i].
size_t CharLength(std::wstring_view text, size_t i) {
  return IsHighSurrogate(text[i]) && i + 1 < text.size() ? 2 : 1;
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

std::wstring FittingInsertion(std::wstring_view current, size_t selStart, size_t selEnd, std::wstring_view inserted,
                              size_t byteLimit) {
  selStart = std::min(selStart, current.size());
  selEnd = std::clamp(selEnd, selStart, current.size());
  size_t used = Cp936Length(current.substr(0, selStart)) + Cp936Length(current.substr(selEnd));
  std::wstring taken;
  for (size_t i = 0; i < inserted.size() && used < byteLimit;) {
    size_t n = CharLength(inserted, i);
    std::wstring_view character = inserted.substr(i, n);
    i += n;
    auto bytes = EncodeCp936(character);
    if (!bytes) continue;
    if (used + bytes->size() > byteLimit) break;
    used += bytes->size();
    taken.append(character);
  }
  return taken;
}

std::wstring_view FirstLine(std::wstring_view text) { return text.substr(0, text.find_first_of(L"\r\n")); }

}  // namespace plakato
