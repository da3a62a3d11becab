#include "driver_win.h"

#include <cstring>

#include <algorithm>
#include <stdexcept>
#include <utility>

namespace driver {

Process::Process(Process&& other) noexcept
    : handle_(std::exchange(other.handle_, nullptr)), id_(std::exchange(other.id_, 0)) {}

Process& Process::operator=(Process&& other) noexcept {
  if (this != &other) {
    if (handle_) ::CloseHandle(handle_);
    handle_ = std::exchange(other.handle_, nullptr);
    id_ = std::exchange(other.id_, 0);
  }
  return *this;
}

Process::~Process() {
  if (!handle_) return;
  if (::WaitForSingleObject(handle_, 0) == WAIT_TIMEOUT) ::TerminateProcess(handle_, 1);
  ::CloseHandle(handle_);
}

Process Process::Launch(const std::wstring& exe, const std::wstring& arguments) {
  std::wstring commandLine = L"\"" + exe + L"\"";
  if (!arguments.empty()) commandLine += L" " + arguments;
  STARTUPINFOW si{};
  si.cb = sizeof(si);
  PROCESS_INFORMATION pi{};
  if (!::CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
    throw std::runtime_error("cannot start the program, error " + std::to_string(::GetLastError()));
  }
  ::CloseHandle(pi.hThread);
  Process p;
  p.handle_ = pi.hProcess;
  p.id_ = pi.dwProcessId;
  return p;
}

DWORD Process::WaitForExit(DWORD timeoutMs) const {
  if (::WaitForSingleObject(handle_, timeoutMs) != WAIT_OBJECT_0) return STILL_ACTIVE;
  DWORD code = STILL_ACTIVE;
  ::GetExitCodeProcess(handle_, &code);
  return code;
}

void Process::Kill() const {
  if (handle_) ::TerminateProcess(handle_, 1);
}

namespace {

struct TopSearch {
  DWORD pid;
  const std::wstring* prefix;
  HWND found;
};

BOOL CALLBACK MatchTop(HWND window, LPARAM param) {
  auto* search = reinterpret_cast<TopSearch*>(param);
  DWORD pid = 0;
  ::GetWindowThreadProcessId(window, &pid);
  if (pid != search->pid || !::IsWindowVisible(window)) return TRUE;
  if (ReadText(window).rfind(*search->prefix, 0) != 0) return TRUE;
  search->found = window;
  return FALSE;
}

BOOL CALLBACK Collect(HWND window, LPARAM param) {
  reinterpret_cast<std::vector<HWND>*>(param)->push_back(window);
  return TRUE;
}

}  // namespace

HWND WaitForTopWindow(DWORD pid, const std::wstring& captionPrefix, DWORD timeoutMs) {
  DWORD start = ::GetTickCount();
  for (;;) {
    TopSearch search{pid, &captionPrefix, nullptr};
    ::EnumWindows(MatchTop, reinterpret_cast<LPARAM>(&search));
    if (search.found) return search.found;
    if (::GetTickCount() - start > timeoutMs) return nullptr;
    Pause(5);
  }
}

HWND WaitForDialog(DWORD pid, DWORD timeoutMs) {
  struct Search {
    DWORD pid;
    HWND found;
  } search{pid, nullptr};
  DWORD start = ::GetTickCount();
  for (;;) {
    ::EnumWindows(
        [](HWND w, LPARAM lp) -> BOOL {
          auto* s = reinterpret_cast<Search*>(lp);
          DWORD owner = 0;
          ::GetWindowThreadProcessId(w, &owner);
          if (owner != s->pid || !::IsWindowVisible(w) || ClassOf(w) != L"#32770") return TRUE;
          s->found = w;
          return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    if (search.found) return search.found;
    if (::GetTickCount() - start > timeoutMs) return nullptr;
    Pause(5);
  }
}

void SetClipboardText(const std::wstring& text) {
  size_t bytes = (text.size() + 1) * sizeof(wchar_t);
  HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, bytes);
  std::memcpy(::GlobalLock(memory), text.c_str(), bytes);
  ::GlobalUnlock(memory);
  ::OpenClipboard(nullptr);
  ::EmptyClipboard();
  ::SetClipboardData(CF_UNICODETEXT, memory);
  ::CloseClipboard();
}

std::vector<HWND> Descendants(HWND root) {
  std::vector<HWND> all;
  ::EnumChildWindows(root, Collect, reinterpret_cast<LPARAM>(&all));
  return all;
}

HWND FindByCaption(HWND root, const std::wstring& caption) {
  for (HWND w : Descendants(root)) {
    if (ReadText(w) == caption) return w;
  }
  return nullptr;
}

HWND FindByClass(HWND root, const std::wstring& className, int nth) {
  for (HWND w : Descendants(root)) {
    if (_wcsicmp(ClassOf(w).c_str(), className.c_str()) == 0 && nth-- == 0) return w;
  }
  return nullptr;
}

std::wstring ReadText(HWND window) {
  // WM_GETTEXT, unlike GetWindowText, reads controls of other processes too.
  DWORD_PTR length = 0;
  if (!::SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 2000, &length)) return {};
  std::wstring text(length + 1, L'\0');
  DWORD_PTR copied = 0;
  ::SendMessageTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()), SMTO_ABORTIFHUNG,
                        2000, &copied);
  text.resize(copied);
  return text;
}

std::wstring ClassOf(HWND window) {
  wchar_t name[256] = {};
  ::GetClassNameW(window, name, 256);
  return name;
}

RECT RectIn(HWND window, HWND reference) {
  RECT rc;
  ::GetWindowRect(window, &rc);
  ::MapWindowPoints(nullptr, reference, reinterpret_cast<POINT*>(&rc), 2);
  return rc;
}

SIZE ClientSize(HWND window) {
  RECT rc;
  ::GetClientRect(window, &rc);
  return {rc.right, rc.bottom};
}

void Click(HWND control) {
  if (_wcsicmp(ClassOf(control).c_str(), L"Button") == 0) {
    ::PostMessageW(control, BM_CLICK, 0, 0);
    return;
  }
  RECT rc;
  ::GetClientRect(control, &rc);
  LPARAM at = MAKELPARAM(rc.right / 2, rc.bottom / 2);
  ::PostMessageW(control, WM_LBUTTONDOWN, MK_LBUTTON, at);
  ::PostMessageW(control, WM_LBUTTONUP, 0, at);
}

void ClickAt(HWND window, int x, int y) {
  LPARAM at = MAKELPARAM(x, y);
  ::PostMessageW(window, WM_MOUSEMOVE, 0, at);
  ::PostMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, at);
  ::PostMessageW(window, WM_LBUTTONUP, 0, at);
}

bool BringToFront(HWND window, DWORD timeoutMs) {
  double end = NowMs() + timeoutMs;
  do {
    ::SetForegroundWindow(window);
    if (::GetForegroundWindow() == window) return true;
    Pause(20);
  } while (NowMs() < end);
  return false;
}

HWND FocusOf(HWND window) {
  GUITHREADINFO info{};
  info.cbSize = sizeof(info);
  if (!::GetGUIThreadInfo(::GetWindowThreadProcessId(window, nullptr), &info)) return nullptr;
  return info.hwndFocus;
}

bool ClickToFocus(HWND window, HWND control, DWORD timeoutMs) {
  Click(control);
  return WaitUntil(
      [&] {
        GUITHREADINFO info{};
        info.cbSize = sizeof(info);
        return ::GetGUIThreadInfo(::GetWindowThreadProcessId(window, nullptr), &info) &&
               info.hwndFocus == control && info.hwndCapture == nullptr;
      },
      timeoutMs);
}

void PressKey(WORD virtualKey, bool shift) {
  auto key = [](WORD vk, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = vk;
    input.ki.wScan = static_cast<WORD>(::MapVirtualKeyW(vk, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    // The arrows, Home and End are extended keys, apart from the number pad's.
    if (vk == VK_LEFT || vk == VK_RIGHT || vk == VK_UP || vk == VK_DOWN || vk == VK_HOME || vk == VK_END) {
      input.ki.dwFlags |= KEYEVENTF_EXTENDEDKEY;
    }
    return input;
  };
  std::vector<INPUT> inputs;
  if (shift) inputs.push_back(key(VK_SHIFT, false));
  inputs.push_back(key(virtualKey, false));
  inputs.push_back(key(virtualKey, true));
  if (shift) inputs.push_back(key(VK_SHIFT, true));
  ::SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

std::vector<unsigned> CaptureClient(HWND window, SIZE* size) {
  RECT rc;
  ::GetClientRect(window, &rc);
  ::MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&rc), 2);
  int width = rc.right - rc.left, height = rc.bottom - rc.top;
  if (size) *size = {width, height};
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  HDC screen = ::GetDC(nullptr);
  HDC memory = ::CreateCompatibleDC(screen);
  HBITMAP dib = ::CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = ::SelectObject(memory, dib);
  ::BitBlt(memory, 0, 0, width, height, screen, rc.left, rc.top, SRCCOPY);
  ::GdiFlush();
  auto* px = static_cast<const unsigned*>(bits);
  std::vector<unsigned> pixels(px, px + static_cast<size_t>(width) * height);
  for (unsigned& p : pixels) p &= 0xFFFFFFu;
  ::SelectObject(memory, old);
  ::DeleteObject(dib);
  ::DeleteDC(memory);
  ::ReleaseDC(nullptr, screen);
  return pixels;
}

std::wstring WaitForTextStartingWith(HWND window, const std::wstring& prefix, DWORD timeoutMs) {
  std::wstring text;
  for (DWORD waited = 0;; waited += 20) {
    text = ReadText(window);
    if (text.rfind(prefix, 0) == 0 || waited >= timeoutMs) return text;
    Pause(20);
  }
}

void PressCtrlKey(WORD virtualKey) {
  INPUT inputs[4] = {};
  WORD keys[4] = {VK_CONTROL, virtualKey, virtualKey, VK_CONTROL};
  for (int i = 0; i < 4; ++i) {
    inputs[i].type = INPUT_KEYBOARD;
    inputs[i].ki.wVk = keys[i];
    inputs[i].ki.wScan = static_cast<WORD>(::MapVirtualKeyW(keys[i], MAPVK_VK_TO_VSC));
    inputs[i].ki.dwFlags = i >= 2 ? KEYEVENTF_KEYUP : 0;
  }
  ::SendInput(4, inputs, sizeof(INPUT));
}

void TypeKeys(const std::wstring& text) {
  for (wchar_t c : text) {
    INPUT inputs[2] = {};
    for (int i = 0; i < 2; ++i) {
      inputs[i].type = INPUT_KEYBOARD;
      inputs[i].ki.wScan = c;
      inputs[i].ki.dwFlags = KEYEVENTF_UNICODE | (i ? KEYEVENTF_KEYUP : 0);
    }
    ::SendInput(2, inputs, sizeof(INPUT));
  }
}

std::vector<HWND> VisibleTopWindows(DWORD pid, const std::wstring& className) {
  struct Search {
    DWORD pid;
    const std::wstring* className;
    std::vector<HWND> found;
  } search{pid, &className, {}};
  ::EnumWindows(
      [](HWND window, LPARAM param) -> BOOL {
        auto* s = reinterpret_cast<Search*>(param);
        DWORD owner = 0;
        ::GetWindowThreadProcessId(window, &owner);
        if (owner == s->pid && ::IsWindowVisible(window) && ClassOf(window) == *s->className) {
          s->found.push_back(window);
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

void Type(HWND control, const std::wstring& text) {
  for (wchar_t c : text) ::SendMessageW(control, WM_CHAR, c, 1);
}

void PressCloseBox(HWND window) { ::PostMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0); }

void PressAltF4(HWND window) {
  constexpr LPARAM kAltDown = 1 << 29;
  ::PostMessageW(window, WM_SYSKEYDOWN, VK_F4, kAltDown | 1);
  ::PostMessageW(window, WM_SYSKEYUP, VK_F4, kAltDown | 1 | (1u << 30) | (1u << 31));
}

void SaveScreenshot(HWND window, const std::wstring& path) {
  // The client area as the screen shows it: without a window manager (Xvfb)
  // Wine draws no frame, so the client area is all there is to see.
  RECT rc;
  ::GetClientRect(window, &rc);
  ::MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&rc), 2);
  int width = rc.right - rc.left;
  int height = rc.bottom - rc.top;
  HDC screen = ::GetDC(nullptr);
  HDC memory = ::CreateCompatibleDC(screen);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  void* bits = nullptr;
  HBITMAP dib = ::CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = ::SelectObject(memory, dib);
  ::BitBlt(memory, 0, 0, width, height, screen, rc.left, rc.top, SRCCOPY);
  ::GdiFlush();
  DWORD stride = ((static_cast<DWORD>(width) * 3 + 3) / 4) * 4;
  DWORD imageSize = stride * static_cast<DWORD>(height);
  BITMAPFILEHEADER file{};
  file.bfType = 0x4D42;
  file.bfOffBits = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
  file.bfSize = file.bfOffBits + imageSize;
  HANDLE out = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  bool ok = out != INVALID_HANDLE_VALUE;
  if (ok) {
    DWORD written = 0;
    ok = ::WriteFile(out, &file, sizeof(file), &written, nullptr) &&
         ::WriteFile(out, &info.bmiHeader, sizeof(BITMAPINFOHEADER), &written, nullptr) &&
         ::WriteFile(out, bits, imageSize, &written, nullptr);
    ::CloseHandle(out);
  }
  ::SelectObject(memory, old);
  ::DeleteObject(dib);
  ::DeleteDC(memory);
  ::ReleaseDC(nullptr, screen);
  if (!ok) throw std::runtime_error("cannot write the screenshot");
}

std::wstring OwnFolder() {
  wchar_t path[MAX_PATH] = {};
  ::GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring folder(path);
  return folder.substr(0, folder.find_last_of(L'\\') + 1);
}

void Pause(DWORD ms) { ::Sleep(ms); }

bool WaitUntil(const std::function<bool()>& done, DWORD timeoutMs) {
  double end = NowMs() + timeoutMs;
  while (!done()) {
    if (NowMs() >= end) return done();
    Pause(20);
  }
  return true;
}

double NowMs() {
  LARGE_INTEGER frequency, counter;
  ::QueryPerformanceFrequency(&frequency);
  ::QueryPerformanceCounter(&counter);
  return 1000.0 * static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

double Median(std::vector<double> values) {
  if (values.empty()) return 0;
  std::sort(values.begin(), values.end());
  size_t n = values.size();
  return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

}  // namespace driver
