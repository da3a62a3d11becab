// The program's one error type: it carries the message the user sees.
#pragma once

#include <exception>
#include <string>

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

}  // namespace plakato
