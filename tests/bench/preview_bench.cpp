// The save dialog's preview of hostile pictures: files of a few hundred bytes
// whose headers claim huge sizes. Each is previewed once in a process of its
// own, which prints the time, what the preview showed, and the process's peak
// memory. Built natively (the JPEG decoder, peak resident set) and for
// Windows (the preview's whole decode, JPEG and PNG, peak working set).
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#include <psapi.h>

#include "export/png_codec_win.h"
#else
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include "bench_timing.h"
#include "export/jpeg_decode.h"
#include "hostile_pictures.h"

namespace {

struct Case {
  const char* name;
  std::vector<uint8_t> (*make)();
};

const Case kCases[] = {
    {"progressive JPEG claiming 20000 x 20000", [] { return plakato::testing::JpegClaiming(20000, 20000, true); }},
    {"progressive JPEG claiming 40000 x 40000", [] { return plakato::testing::JpegClaiming(40000, 40000, true); }},
    {"progressive JPEG claiming 7000 x 7000", [] { return plakato::testing::JpegClaiming(7000, 7000, true); }},
    {"baseline JPEG claiming 40000 x 40000", [] { return plakato::testing::JpegClaiming(40000, 40000, false); }},
    {"baseline JPEG claiming 7000 x 7000", [] { return plakato::testing::JpegClaiming(7000, 7000, false); }},
#ifdef _WIN32
    {"PNG RGB claiming 40000 x 40000", [] { return plakato::testing::PngClaiming(40000, 40000); }},
    {"PNG RGB claiming 7000 x 7000", [] { return plakato::testing::PngClaiming(7000, 7000); }},
    {"PNG RGBA 16-bit claiming 7000 x 7000", [] { return plakato::testing::PngClaiming(7000, 7000, 16, 6); }},
#endif
};
constexpr int kCaseCount = static_cast<int>(sizeof kCases / sizeof kCases[0]);

double PeakMiB() {
#ifdef _WIN32
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof counters;
  ::GetProcessMemoryInfo(::GetCurrentProcess(), &counters, sizeof counters);
  return static_cast<double>(counters.PeakWorkingSetSize) / (1 << 20);
#else
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_maxrss) / 1024;
#endif
}

plakato::DecodedPreview Preview(const std::vector<uint8_t>& bytes) {
#ifdef _WIN32
  return plakato::DecodePicturePreview(bytes, 128, 128);
#else
  return plakato::DecodeJpegPreview(bytes, 128, 128);
#endif
}

int RunCase(int index) {
  const Case& c = kCases[index];
  std::vector<uint8_t> bytes = c.make();
  double before = PeakMiB();
  plakato::DecodedPreview shown;
  double seconds = bench::Seconds([&] { shown = Preview(bytes); });
  std::string result = shown.picture.pixels.empty()
                           ? "(none)"
                           : std::to_string(shown.picture.width) + " x " + std::to_string(shown.picture.height);
  std::printf("%-40s %6zu bytes %9.3f s  preview %-10s peak %8.1f MiB (%.1f MiB before)\n", c.name, bytes.size(),
              seconds, result.c_str(), PeakMiB(), before);
  std::fflush(stdout);
  return 0;
}

int RunInChild(const char* self, int index) {
  std::fflush(stdout);
#ifdef _WIN32
  (void)self;
  wchar_t path[MAX_PATH];
  ::GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring command = L"\"" + std::wstring(path) + L"\" " + std::to_wstring(index);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = ::GetStdHandle(STD_INPUT_HANDLE);
  startup.hStdOutput = ::GetStdHandle(STD_OUTPUT_HANDLE);
  startup.hStdError = ::GetStdHandle(STD_ERROR_HANDLE);
  PROCESS_INFORMATION process{};
  if (!::CreateProcessW(path, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process)) {
    return 1;
  }
  ::WaitForSingleObject(process.hProcess, INFINITE);
  DWORD code = 1;
  ::GetExitCodeProcess(process.hProcess, &code);
  ::CloseHandle(process.hThread);
  ::CloseHandle(process.hProcess);
  return static_cast<int>(code);
#else
  (void)self;
  pid_t pid = fork();
  if (pid == 0) _exit(RunCase(index));
  int status = 0;
  waitpid(pid, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : 1;
#endif
}

}  // namespace

int main(int argc, char** argv) {
  if (argc > 1) return RunCase(std::atoi(argv[1]) % kCaseCount);
  std::printf("Save dialog preview (fit 128 x 128) of crafted files, one process each; peak = the process's "
#ifdef _WIN32
              "peak working set\n");
#else
              "peak resident set\n");
#endif
  int failed = 0;
  for (int i = 0; i < kCaseCount; ++i) {
    if (RunInChild(argv[0], i) != 0) {
      std::printf("%-40s the preview process failed\n", kCases[i].name);
      ++failed;
    }
  }
  return failed ? 1 : 0;
}
