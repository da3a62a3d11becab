#include "base/temporary_file_name.h"

namespace plakato {

namespace {

constexpr std::wstring_view kPrefix = L"~plakato";
constexpr std::wstring_view kSuffix = L".tmp";
constexpr size_t kDigits = 12;

wchar_t AsciiLower(wchar_t c) { return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c - L'A' + L'a') : c; }

bool SameIgnoringCase(std::wstring_view a, std::wstring_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
  }
  return true;
}

bool IsHexDigit(wchar_t c) {
  return (c >= L'0' && c <= L'9') || (c >= L'A' && c <= L'F') || (c >= L'a' && c <= L'f');
}

}  // namespace

std::wstring TemporaryFileName(uint32_t processId, uint16_t serial) {
  static constexpr wchar_t kHex[] = L"0123456789ABCDEF";
  std::wstring name(kPrefix);
  for (int shift = 28; shift >= 0; shift -= 4) name += kHex[(processId >> shift) & 0xF];
  for (int shift = 12; shift >= 0; shift -= 4) name += kHex[(serial >> shift) & 0xF];
  return name + std::wstring(kSuffix);
}

bool IsTemporaryFileName(std::wstring_view name) {
  if (name.size() != kPrefix.size() + kDigits + kSuffix.size()) return false;
  if (!SameIgnoringCase(name.substr(0, kPrefix.size()), kPrefix)) return false;
  if (!SameIgnoringCase(name.substr(name.size() - kSuffix.size()), kSuffix)) return false;
  for (wchar_t c : name.substr(kPrefix.size(), kDigits)) {
    if (!IsHexDigit(c)) return false;
  }
  return true;
}

bool IsStaleTemporaryFile(std::wstring_view name, int64_t lastWrite, int64_t now) {
  return IsTemporaryFileName(name) && lastWrite < now && now - lastWrite > kTemporaryFileLifetime;
}

}  // namespace plakato
