// The one pattern every window procedure, subclass and dialog procedure of
// the program follows: the C++ object that handles a window is found from
// the window, each message goes to the object's HandleMessage, and no
// exception ever crosses back into the system code that called us.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>

namespace plakato {

// Where an error that reached a window procedure is shown. The main window
// puts its error box here; before that the system's message box shows it.
using ErrorReporter = std::function<void(const std::wstring& message)>;
void SetErrorReporter(ErrorReporter reporter);

// The user's text for the exception being handled; call only inside a catch.
std::wstring CurrentErrorMessage();

// Shows the exception being handled through the error reporter; never throws.
void ReportCurrentError() noexcept;

// Tests see every message a window of the program handles, inside the
// barrier and before the handler, so they can make a handler throw.
using MessageProbe = void (*)(HWND window, UINT message);
void SetMessageProbe(MessageProbe probe);
void ProbeMessage(HWND window, UINT message);

enum class OnError {
  Report,    // show the error box and go on
  FailSafe,  // inside a system dialog, where no box may open: let it go on
};

// The barrier: runs `body` for one message and tells whether it finished.
// An exception of any kind, std::bad_alloc included, ends the message there.
template <typename Body>
bool RunGuarded(HWND window, UINT message, OnError onError, Body&& body) noexcept {
  try {
    ProbeMessage(window, message);
    body();
    return true;
  } catch (...) {
    if (onError == OnError::Report) ReportCurrentError();
    return false;
  }
}

// Runs a piece of work outside any window procedure (a start-up step, a test)
// as the message loop would: an error is shown and the program goes on.
template <typename Body>
void RunReported(Body&& body) noexcept {
  try {
    body();
  } catch (...) {
    ReportCurrentError();
  }
}

// A window of one of the program's own classes. T derives from Window<T>,
// registers its class with Window<T>::Proc, creates the window with `this`
// as the creation parameter, and defines
//   LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
// which passes what it does not handle to DefaultProc. A T that owns itself
// (made with new, one per window) deletes itself in OnFinalMessage.
template <typename T>
class Window {
 public:
  HWND hwnd() const { return hwnd_; }

 protected:
  Window() = default;
  ~Window() = default;
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;

  LRESULT DefaultProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCDESTROY) finalMessagePassedOn_ = true;
    return T::CallDefault(hwnd_, message, wParam, lParam);
  }
  // The procedure behind DefaultProc: the system's default. A T may hide it
  // with one of its own of the same form.
  static LRESULT CallDefault(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return ::DefWindowProcW(window, message, wParam, lParam);
  }
  // After the window is gone; the object may delete itself here.
  void OnFinalMessage() {}

  static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    T* self = nullptr;
    if (message == WM_NCCREATE) {
      self = static_cast<T*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
      self->hwnd_ = window;
      ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    } else {
      self = reinterpret_cast<T*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
    }
    if (!self) return T::CallDefault(window, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
      // The system's own clean-up of the window runs once: in the handler,
      // when it passes the message on, or else here.
      self->finalMessagePassedOn_ = false;
      LRESULT result = 0;
      RunGuarded(window, message, OnError::Report, [&] { result = self->HandleMessage(message, wParam, lParam); });
      ::SetWindowLongPtrW(window, GWLP_USERDATA, 0);
      self->hwnd_ = nullptr;
      if (!self->finalMessagePassedOn_) result = T::CallDefault(window, message, wParam, lParam);
      self->OnFinalMessage();
      return result;
    }
    LRESULT result = 0;
    if (!RunGuarded(window, message, OnError::Report,
                    [&] { result = self->HandleMessage(message, wParam, lParam); })) {
      // A window whose creation failed is not made at all.
      return message == WM_NCCREATE ? FALSE : 0;
    }
    return result;
  }

  HWND hwnd_ = nullptr;

 private:
  bool finalMessagePassedOn_ = false;
};

// A system control (edit, button, rebar) with a procedure of ours in front
// of its own, swapped in directly: the common controls' subclass helper
// keeps its data in a window property, which under Wine costs a round trip
// to the server on every message the control receives. The control owns the T (made with new) and deletes it when it
// is destroyed; T derives from Subclass<T> and defines HandleMessage, which
// passes what it does not handle to CallBase.
template <typename T>
class Subclass {
 public:
  HWND hwnd() const { return hwnd_; }

  // Puts `object`'s procedure in front of the control's own.
  static T& Attach(HWND control, std::unique_ptr<T> object) {
    T* self = object.release();
    self->hwnd_ = control;
    self->base_ = reinterpret_cast<WNDPROC>(::GetWindowLongPtrW(control, GWLP_WNDPROC));
    ::SetWindowLongPtrW(control, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    ::SetWindowLongPtrW(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Proc));
    return *self;
  }

  // The object behind a control attached with this subclass, or null.
  static T* Of(HWND control) {
    if (reinterpret_cast<WNDPROC>(::GetWindowLongPtrW(control, GWLP_WNDPROC)) != &Proc) return nullptr;
    return reinterpret_cast<T*>(::GetWindowLongPtrW(control, GWLP_USERDATA));
  }

 protected:
  Subclass() = default;
  ~Subclass() = default;
  Subclass(const Subclass&) = delete;
  Subclass& operator=(const Subclass&) = delete;

  LRESULT CallBase(UINT message, WPARAM wParam, LPARAM lParam) {
    return ::CallWindowProcW(base_, hwnd_, message, wParam, lParam);
  }

 private:
  static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    T* self = reinterpret_cast<T*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!self) return ::DefWindowProcW(window, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
      // The control gets its own procedure back and its last message.
      WNDPROC base = self->base_;
      ::SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(base));
      ::SetWindowLongPtrW(window, GWLP_USERDATA, 0);
      delete self;
      return ::CallWindowProcW(base, window, message, wParam, lParam);
    }
    LRESULT result = 0;
    RunGuarded(window, message, OnError::Report, [&] { result = self->HandleMessage(message, wParam, lParam); });
    return result;
  }

  HWND hwnd_ = nullptr;
  WNDPROC base_ = nullptr;
};

// The dialog of a procedure of ours: a dialog of the program's own, or the
// hook of a system dialog (font, save), whose messages reach us before the
// system's own procedure. T derives from Dialog<T, kOnError> and defines
//   static T* FromInitParam(LPARAM lParam);  // `this` from WM_INITDIALOG
//   INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
// The object is found again through a window property: a system dialog
// keeps its own data in DWLP_USER.
template <typename T, OnError kOnError>
class Dialog {
 public:
  HWND hwnd() const { return hwnd_; }

 protected:
  Dialog() = default;
  ~Dialog() = default;
  Dialog(const Dialog&) = delete;
  Dialog& operator=(const Dialog&) = delete;

  static INT_PTR CALLBACK Proc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    T* self = nullptr;
    if (message == WM_INITDIALOG) {
      RunGuarded(dialog, message, kOnError, [&] {
        self = T::FromInitParam(lParam);
        if (self) {
          self->hwnd_ = dialog;
          ::SetPropW(dialog, kThisProperty, self);
        }
      });
    } else {
      self = static_cast<T*>(::GetPropW(dialog, kThisProperty));
    }
    if (!self) return FALSE;
    INT_PTR result = FALSE;
    RunGuarded(dialog, message, kOnError, [&] { result = self->HandleMessage(message, wParam, lParam); });
    if (message == WM_NCDESTROY) {
      ::RemovePropW(dialog, kThisProperty);
      self->hwnd_ = nullptr;
    }
    return result;
  }

  HWND hwnd_ = nullptr;

 private:
  static constexpr wchar_t kThisProperty[] = L"Plakato.Dialog";
};

}  // namespace plakato
