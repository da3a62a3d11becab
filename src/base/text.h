// Text rules shared by every layer.
#pragma once

#include <string>
#include <string_view>

namespace plakato {

// The text without its leading and trailing characters of code 32 or less
// (spaces and control characters); the ideographic space and every other
// character above 32 stay.
std::wstring Trim(std::wstring_view text);

}  // namespace plakato
