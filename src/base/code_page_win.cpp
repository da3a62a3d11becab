// Code page 936 through the system's converter (the Windows build of the core).
#include <windows.h>

#include "base/code_page.h"

namespace plakato {

namespace {
constexpr UINT kCodePage = 936;
}

std::optional<std::string> EncodeCp936(std::wstring_view text) {
  if (text.empty()) return std::string();
  int length = static_cast<int>(text.size());
  BOOL usedDefault = FALSE;
  int n = ::WideCharToMultiByte(kCodePage, WC_NO_BEST_FIT_CHARS, text.data(), length, nullptr, 0, nullptr,
                                &usedDefault);
  if (n <= 0 || usedDefault) return std::nullopt;
  std::string out(static_cast<size_t>(n), '\0');
  ::WideCharToMultiByte(kCodePage, WC_NO_BEST_FIT_CHARS, text.data(), length, out.data(), n, nullptr, nullptr);
  // A lone surrogate has no form in the code page either.
  if (DecodeCp936(out) != text) return std::nullopt;
  return out;
}

std::wstring DecodeCp936(std::string_view bytes) {
  if (bytes.empty()) return {};
  int length = static_cast<int>(bytes.size());
  int n = ::MultiByteToWideChar(kCodePage, 0, bytes.data(), length, nullptr, 0);
  std::wstring out(static_cast<size_t>(n), L'\0');
  ::MultiByteToWideChar(kCodePage, 0, bytes.data(), length, out.data(), n);
  return out;
}

}  // namespace plakato
