#include "base/dpi_win.h"

#include "base/handles_win.h"
#include "base/scale.h"

namespace plakato {

namespace {

// A system function that older Windows lacks, looked up once.
template <typename Function>
Function Lookup(const wchar_t* module, const char* name) {
  HMODULE loaded = ::GetModuleHandleW(module);
  if (!loaded) loaded = ::LoadLibraryW(module);  // shcore is not always loaded yet
  return loaded ? reinterpret_cast<Function>(reinterpret_cast<void (*)()>(::GetProcAddress(loaded, name)))
                : nullptr;
}

}  // namespace

int SystemDpi() {
  WindowDc screen(nullptr);
  int dpi = ::GetDeviceCaps(screen.get(), LOGPIXELSY);
  return dpi > 0 ? dpi : kStandardDpi;
}

int DpiAtPoint(POINT point) {
  using GetDpiForMonitorFunction = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
  static const auto getDpiForMonitor = Lookup<GetDpiForMonitorFunction>(L"shcore.dll", "GetDpiForMonitor");
  UINT x = 0, y = 0;
  if (getDpiForMonitor &&
      SUCCEEDED(getDpiForMonitor(::MonitorFromPoint(point, MONITOR_DEFAULTTONEAREST), 0 /* effective */, &x, &y)) &&
      y > 0) {
    return static_cast<int>(y);
  }
  return SystemDpi();
}

int DpiOfWindow(HWND window) {
  using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
  static const auto getDpiForWindow = Lookup<GetDpiForWindowFunction>(L"user32.dll", "GetDpiForWindow");
  if (getDpiForWindow) {
    if (UINT dpi = getDpiForWindow(window)) return static_cast<int>(dpi);
  }
  return SystemDpi();
}

int SystemMetricAtDpi(int index, int dpi) {
  using GetSystemMetricsForDpiFunction = int(WINAPI*)(int, UINT);
  static const auto forDpi = Lookup<GetSystemMetricsForDpiFunction>(L"user32.dll", "GetSystemMetricsForDpi");
  if (forDpi) return forDpi(index, static_cast<UINT>(dpi));
  return MulDivRound(::GetSystemMetrics(index), dpi, SystemDpi());
}

RECT WindowRectAtDpi(RECT client, DWORD style, DWORD exStyle, int dpi) {
  using AdjustForDpiFunction = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
  static const auto adjust = Lookup<AdjustForDpiFunction>(L"user32.dll", "AdjustWindowRectExForDpi");
  if (!adjust || !adjust(&client, style, FALSE, exStyle, static_cast<UINT>(dpi))) {
    ::AdjustWindowRectEx(&client, style, FALSE, exStyle);
  }
  return client;
}

}  // namespace plakato
