// Conversions between the wide text of the window and narrow texts.
#pragma once

#include <string>
#include <string_view>

namespace plakato {

std::wstring WidenUtf8(std::string_view text);
std::wstring WindowText(void* window);  // HWND, kept opaque so this header stays light

}  // namespace plakato
