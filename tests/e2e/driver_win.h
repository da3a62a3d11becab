// Steers a running plakato.exe from outside, as a user would: finds windows
// and controls by their captions, clicks, types, reads texts and takes
// screenshots. Everything goes through cross-process window messages.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace driver {

class Process {
 public:
  Process() = default;
  Process(const Process&) = delete;
  Process& operator=(const Process&) = delete;
  Process(Process&& other) noexcept;
  Process& operator=(Process&& other) noexcept;
  ~Process();

  // Starts `exe` with `arguments` (may be empty). Throws std::runtime_error on failure.
  static Process Launch(const std::wstring& exe, const std::wstring& arguments = L"");

  DWORD id() const { return id_; }
  HANDLE handle() const { return handle_; }
  // The process's exit code, or STILL_ACTIVE when it is still running after `timeoutMs`.
  DWORD WaitForExit(DWORD timeoutMs) const;
  void Kill() const;

 private:
  HANDLE handle_ = nullptr;
  DWORD id_ = 0;
};

// A visible top-level window of process `pid` whose caption starts with
// `captionPrefix`, waited for up to `timeoutMs`; nullptr when none came.
HWND WaitForTopWindow(DWORD pid, const std::wstring& captionPrefix, DWORD timeoutMs);

// A visible dialog box (class #32770) of process `pid`, waited for up to
// `timeoutMs`; nullptr when none came.
HWND WaitForDialog(DWORD pid, DWORD timeoutMs);

// Puts the text on the clipboard as Unicode text.
void SetClipboardText(const std::wstring& text);

// The first descendant of `root` whose window text is `caption`.
HWND FindByCaption(HWND root, const std::wstring& caption);
// The `nth` descendant (0-based, in window order) of the given class.
HWND FindByClass(HWND root, const std::wstring& className, int nth = 0);
std::vector<HWND> Descendants(HWND root);

std::wstring ReadText(HWND window);
// The window's text once it starts with `prefix`, or whatever it is when
// `timeoutMs` have passed.
std::wstring WaitForTextStartingWith(HWND window, const std::wstring& prefix, DWORD timeoutMs = 10000);
std::wstring ClassOf(HWND window);
// The window's rectangle in the client coordinates of `reference`.
RECT RectIn(HWND window, HWND reference);
SIZE ClientSize(HWND window);

// Clicks a control without waiting for what the click opens: buttons get
// BM_CLICK, anything else a left button press and release at its centre.
void Click(HWND control);
// Types text into a control, a character at a time.
void Type(HWND control, const std::wstring& text);
// Asks a window to close as its close box does.
void PressCloseBox(HWND window);
// Sends Alt+F4 to a window.
void PressAltF4(HWND window);

// Makes `window` the foreground window, as a click on its caption would;
// false when it is not in front after `timeoutMs`.
bool BringToFront(HWND window, DWORD timeoutMs = 2000);
// The control that has the keyboard focus in `window`'s thread, or nullptr.
HWND FocusOf(HWND window);
// Clicks a control that takes the focus, and waits until its thread has
// handled the click: the control has the focus and the mouse is released.
// What is sent to the control afterwards cannot overtake the click. False
// when that has not happened after `timeoutMs`.
bool ClickToFocus(HWND window, HWND control, DWORD timeoutMs = 5000);
// Presses and releases a key through the system's keyboard input, as a user
// at the keyboard does (with Shift held when `shift`): it goes to whatever
// has the focus in the foreground window.
void PressKey(WORD virtualKey, bool shift = false);
// The same with Ctrl held: Ctrl+C, Ctrl+S.
void PressCtrlKey(WORD virtualKey);
// Types text through the system's keyboard input as Unicode key strokes, as
// an input method does; it goes to whatever has the focus.
void TypeKeys(const std::wstring& text);
// The visible top-level windows of a process with the given class.
std::vector<HWND> VisibleTopWindows(DWORD pid, const std::wstring& className);

// What the screen shows of `window`'s client area, as 0x00RRGGBB pixels row by row.
std::vector<unsigned> CaptureClient(HWND window, SIZE* size = nullptr);
// Clicks at a point of a window's client area (pressed and released there).
void ClickAt(HWND window, int x, int y);

// Saves what the screen shows of `window`'s client area as a 24-bit BMP.
void SaveScreenshot(HWND window, const std::wstring& path);

// The folder of the running program (with a trailing backslash).
std::wstring OwnFolder();

// Pumps nothing, just waits a little; used between polling steps.
void Pause(DWORD ms);
// Asks `done` every 20 ms until it says yes or `timeoutMs` have passed, and
// returns its last answer. The default is long: a loaded machine can take
// seconds to answer, and only a failing test waits it out.
bool WaitUntil(const std::function<bool()>& done, DWORD timeoutMs = 10000);

// Milliseconds on the high-resolution clock, and the median of timings.
double NowMs();
double Median(std::vector<double> values);

}  // namespace driver
