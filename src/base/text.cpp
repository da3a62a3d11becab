#include "base/text.h"

namespace plakato {

std::wstring Trim(std::wstring_view text) {
  auto blank = [](wchar_t c) { return static_cast<unsigned>(c) <= 32; };
  size_t first = 0;
  size_t last = text.size();
  while (first < last && blank(text[first])) ++first;
  while (last > first && blank(text[last - 1])) --last;
  return std::wstring(text.substr(first, last - first));
}

}  // namespace plakato
