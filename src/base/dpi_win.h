// The dpi of a display and the system's sizes for it. Windows 10 answers per
// monitor; older systems have one dpi for all, which these fall back to.
#pragma once

#include <windows.h>

namespace plakato {

#ifndef WM_DPICHANGED
#define WM_DPICHANGED 0x02E0
#endif
#ifndef WM_GETDPISCALEDSIZE
#define WM_GETDPISCALEDSIZE 0x02E4
#endif

// The dpi every program of the session was started with.
int SystemDpi();
// The dpi of the monitor that holds `point` (or is nearest to it).
int DpiAtPoint(POINT point);
// The dpi the system gives `window`, the one it next sends in WM_DPICHANGED.
int DpiOfWindow(HWND window);
// GetSystemMetrics as it would answer on a display of `dpi`.
int SystemMetricAtDpi(int index, int dpi);
// The window rectangle around a client rectangle on a display of `dpi`.
RECT WindowRectAtDpi(RECT client, DWORD style, DWORD exStyle, int dpi);

}  // namespace plakato
