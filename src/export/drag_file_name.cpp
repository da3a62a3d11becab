#include "export/drag_file_name.h"

#include <array>
#include <cstdint>
#include <vector>

namespace plakato {
namespace {

// One character of the name: its code units, and whether it is the text's
// own (a replacement "_" is not).
struct NameChar {
  std::wstring units;
  bool own;
};

bool IsHighSurrogate(wchar_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLowSurrogate(wchar_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

bool Forbidden(wchar_t c) {
  return static_cast<unsigned long>(c) < 32 || c == 0x7F ||
         std::wstring_view(L"\\/:*?\"<>|").find(c) != std::wstring_view::npos;
}

bool SpaceOrDot(const NameChar& c) { return c.units == L" " || c.units == L"."; }

// Code units the character takes in UTF-16, whatever the width of wchar_t.
size_t Utf16Length(const NameChar& c) {
  size_t n = 0;
  for (wchar_t w : c.units) n += (static_cast<uint32_t>(w) >> 16) != 0 ? 2 : 1;
  return n;
}

std::vector<NameChar> Characters(std::wstring_view text) {
  std::vector<NameChar> chars;
  for (size_t i = 0; i < text.size(); ++i) {
    wchar_t c = text[i];
    if (IsHighSurrogate(c) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
      chars.push_back({std::wstring(text.substr(i, 2)), true});
      ++i;
    } else if (Forbidden(c) || IsHighSurrogate(c) || IsLowSurrogate(c)) {
      chars.push_back({L"_", false});
    } else {
      chars.push_back({std::wstring(1, c), true});
    }
  }
  return chars;
}

void TrimSpacesAndDots(std::vector<NameChar>& chars) {
  size_t first = 0;
  while (first < chars.size() && SpaceOrDot(chars[first])) ++first;
  chars.erase(chars.begin(), chars.begin() + static_cast<std::ptrdiff_t>(first));
  while (!chars.empty() && SpaceOrDot(chars.back())) chars.pop_back();
}

wchar_t AsciiUpper(wchar_t c) { return c >= L'a' && c <= L'z' ? static_cast<wchar_t>(c - L'a' + L'A') : c; }

bool IsDeviceName(std::wstring_view base) {
  static constexpr std::array<std::wstring_view, 6> kPlain = {L"CON", L"PRN", L"AUX", L"NUL", L"CONIN$", L"CONOUT$"};
  std::wstring upper;
  for (wchar_t c : base) upper += AsciiUpper(c);
  for (std::wstring_view name : kPlain) {
    if (upper == name) return true;
  }
  if (upper.size() != 4 || (upper.compare(0, 3, L"COM") != 0 && upper.compare(0, 3, L"LPT") != 0)) return false;
  wchar_t digit = upper[3];
  return (digit >= L'0' && digit <= L'9') || digit == L'\u00B9' || digit == L'\u00B2' || digit == L'\u00B3';
}

// Keeps the longest front part that fits in `limit` UTF-16 code units, then
// trims it again, as the cut may leave spaces or dots at its end.
void CutTo(std::vector<NameChar>& chars, size_t limit) {
  size_t units = 0;
  size_t kept = 0;
  while (kept < chars.size() && units + Utf16Length(chars[kept]) <= limit) {
    units += Utf16Length(chars[kept]);
    ++kept;
  }
  chars.resize(kept);
  TrimSpacesAndDots(chars);
}

// Where the part Windows takes for a device name ends: before the first dot,
// without the spaces in front of it.
size_t DeviceBaseEnd(const std::vector<NameChar>& chars) {
  size_t end = 0;
  while (end < chars.size() && chars[end].units != L".") ++end;
  while (end > 0 && chars[end - 1].units == L" ") --end;
  return end;
}

bool NamesDevice(const std::vector<NameChar>& chars) {
  std::wstring base;
  for (size_t i = 0, end = DeviceBaseEnd(chars); i < end; ++i) base += chars[i].units;
  return IsDeviceName(base);
}

}  // namespace

std::wstring DragFileName(std::wstring_view signText, std::wstring_view extension) {
  std::vector<NameChar> chars = Characters(signText);
  TrimSpacesAndDots(chars);
  CutTo(chars, kDragFileStemLimit);

  bool anyOwn = false;
  for (const NameChar& c : chars) anyOwn = anyOwn || (c.own && !SpaceOrDot(c));
  if (!anyOwn) return std::wstring(kFallbackDragFileStem) + std::wstring(extension);

  // Windows opens a device for a name whose base is a device's, whatever
  // follows the dot; a "_" after the base makes it a file. The room for it is
  // taken from the end, which never reaches the few characters of the base.
  if (NamesDevice(chars)) {
    CutTo(chars, kDragFileStemLimit - 1);
    chars.insert(chars.begin() + static_cast<std::ptrdiff_t>(DeviceBaseEnd(chars)), NameChar{L"_", false});
  }
  std::wstring stem;
  for (const NameChar& c : chars) stem += c.units;
  return stem + std::wstring(extension);
}

bool IsDragFileName(std::wstring_view name) {
  for (std::wstring_view extension : kDragFileExtensions) {
    if (name.size() <= extension.size()) continue;
    std::wstring_view tail = name.substr(name.size() - extension.size());
    bool same = true;
    for (size_t i = 0; i < tail.size() && same; ++i) same = AsciiUpper(tail[i]) == AsciiUpper(extension[i]);
    if (same) return true;
  }
  return false;
}

bool IsStaleDragFile(std::wstring_view name, int64_t lastWrite, int64_t now) {
  return IsDragFileName(name) && lastWrite < now && now - lastWrite > kDragFileLifetime;
}

}  // namespace plakato
