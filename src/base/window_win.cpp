#include "base/window_win.h"

#include <exception>
#include <new>

#include "base/error.h"
#include "base/text_win.h"

namespace plakato {

namespace {

ErrorReporter& Reporter() {
  static ErrorReporter reporter;
  return reporter;
}

MessageProbe probe = nullptr;

}  // namespace

void SetErrorReporter(ErrorReporter reporter) { Reporter() = std::move(reporter); }

std::wstring CurrentErrorMessage() {
  try {
    throw;
  } catch (const AppError& error) {
    return error.message();
  } catch (const std::bad_alloc&) {
    return L"内存不足";
  } catch (const std::exception& error) {
    try {
      return WidenUtf8(error.what());
    } catch (...) {
      return L"未知错误";
    }
  } catch (...) {
    return L"未知错误";
  }
}

void ReportCurrentError() noexcept {
  try {
    std::wstring message = CurrentErrorMessage();
    if (Reporter()) {
      Reporter()(message);
    } else {
      ::MessageBoxW(nullptr, message.c_str(), nullptr, MB_OK | MB_ICONSTOP);
    }
  } catch (...) {
    // Not even the box could be shown (no memory left for it): a beep at least.
    ::MessageBeep(MB_ICONSTOP);
  }
}

void SetMessageProbe(MessageProbe p) { probe = p; }

void ProbeMessage(HWND window, UINT message) {
  if (probe) probe(window, message);
}

}  // namespace plakato
