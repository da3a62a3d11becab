// Texts the application shell builds from rules rather than from the layout.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace plakato {

// An error that carries the program's own message, shown as it stands in the
// error box. Every failure the user can meet is thrown as one of these.
class AppError : public std::exception {
 public:
  explicit AppError(std::wstring message) : message_(std::move(message)) {}
  const std::wstring& message() const noexcept { return message_; }
  const char* what() const noexcept override { return "plakato::AppError"; }

 private:
  std::wstring message_;
};

// The program file's name without folder, cut before its first ".", with
// every character after the first in lower case: the caption of the error box.
std::wstring ApplicationTitle(std::wstring_view programPath);

// The text of the error box: the message, with a full stop appended when its
// last character sorts above "." (so "...!" or "...)" keep their ending).
std::wstring ErrorBoxText(std::wstring_view message);

// The text without its leading and trailing characters of code 32 or less
// (spaces and control characters); the ideographic space and every other
// character above 32 stay.
std::wstring Trim(std::wstring_view text);

// The About box text; its line breaks are bare carriage returns.
const std::wstring& AboutText();

}  // namespace plakato
