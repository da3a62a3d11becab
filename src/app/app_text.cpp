#include "app/app_text.h"

#include <cwctype>

namespace plakato {

std::wstring ApplicationTitle(std::wstring_view programPath) {
  size_t slash = programPath.find_last_of(L"\\/:");
  std::wstring_view name = slash == std::wstring_view::npos ? programPath : programPath.substr(slash + 1);
  name = name.substr(0, name.find(L'.'));
  std::wstring title(name);
  for (size_t i = 1; i < title.size(); ++i) {
    title[i] = static_cast<wchar_t>(std::towlower(static_cast<wint_t>(title[i])));
  }
  return title;
}

std::wstring ErrorBoxText(std::wstring_view message) {
  std::wstring text(message);
  if (!text.empty() && text.back() > L'.') text += L'.';
  return text;
}

const std::wstring& AboutText() {
  static const std::wstring text = L"\r"
                                   L"     Plakato               \r\r"
                                   L"   制作：Tamberlo\r\r\r"
                                   L"        欢迎使用";
  return text;
}

}  // namespace plakato
