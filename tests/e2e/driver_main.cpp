// Command-line front of the driver, for scripts:
//   plakato-driver time-start EXE CAPTION-PREFIX RUNS
//       starts EXE RUNS times, prints the milliseconds from process start to
//       the visible window for each run and their median, closing it each time;
//   plakato-driver screenshot EXE CAPTION-PREFIX OUT.bmp
//       starts EXE, saves a screenshot of its window, closes it.
#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "driver_win.h"

namespace {

int TimeStart(const std::wstring& exe, const std::wstring& prefix, int runs) {
  std::vector<double> times;
  for (int i = 0; i < runs; ++i) {
    double start = driver::NowMs();
    driver::Process p = driver::Process::Launch(exe);
    HWND window = driver::WaitForTopWindow(p.id(), prefix, 30000);
    double elapsed = driver::NowMs() - start;
    if (!window) {
      std::fprintf(stderr, "no window appeared\n");
      return 1;
    }
    times.push_back(elapsed);
    driver::PressCloseBox(window);
    if (p.WaitForExit(10000) != 0) {
      std::fprintf(stderr, "the program did not end with exit code 0\n");
      return 1;
    }
  }
  double median = driver::Median(times);
  std::printf("runs:");
  for (double t : times) std::printf(" %.1f", t);
  std::printf("\nmedian_ms: %.1f\n", median);
  return 0;
}

int Screenshot(const std::wstring& exe, const std::wstring& prefix, const std::wstring& out) {
  driver::Process p = driver::Process::Launch(exe);
  HWND window = driver::WaitForTopWindow(p.id(), prefix, 30000);
  if (!window) {
    std::fprintf(stderr, "no window appeared\n");
    return 1;
  }
  driver::Pause(500);
  driver::SaveScreenshot(window, out);
  driver::PressCloseBox(window);
  return p.WaitForExit(10000) == 0 ? 0 : 1;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  try {
    std::vector<std::wstring> args(argv + 1, argv + argc);
    if (args.size() == 4 && args[0] == L"time-start") return TimeStart(args[1], args[2], std::stoi(args[3]));
    if (args.size() == 4 && args[0] == L"screenshot") return Screenshot(args[1], args[2], args[3]);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "%s\n", e.what());
    return 1;
  }
  std::fprintf(stderr, "usage: plakato-driver time-start EXE CAPTION-PREFIX RUNS | screenshot EXE CAPTION-PREFIX OUT.bmp\n");
  return 2;
}
