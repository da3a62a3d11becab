// Texts the application shell builds from rules rather than from the layout.
#pragma once

#include <string>
#include <string_view>

#include "base/error.h"

namespace plakato {

// The program file's name without folder, cut before its first ".", with
// every character after the first in lower case: the caption of the error box.
std::wstring ApplicationTitle(std::wstring_view programPath);

// The text of the error box: the message, with a full stop appended when its
// last character sorts above "." (so "...!" or "...)" keep their ending).
std::wstring ErrorBoxText(std::wstring_view message);

// The About box text; its line breaks are bare carriage returns.
const std::wstring& AboutText();

}  // namespace plakato
