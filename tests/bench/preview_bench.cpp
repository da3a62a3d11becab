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

#include "export/picture_preview_win.h"
#include "export/png_codec_win.h"
#else
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include "bench_timing.h"
#include "export/jpeg_decode.h"
#include "export/jpeg_encode.h"
#include "hostile_pictures.h"
#include "test_pictures.h"

namespace {

// A real progressive JPEG of a photo's size, written by libjpeg.
std::vector<uint8_t> ProgressivePhoto(int width, int height) {
  plakato::PixelCanvas picture = plakato::TestPicture(width, height);
  return plakato::testing::LibjpegFile(width, height, true, 90, [&](int x, int y) { return picture.At(x, y); });
}

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
    {"baseline JPEG, real, 7000 x 7000", [] { return plakato::EncodeJpeg(plakato::TestPicture(7000, 7000)); }},
    {"progressive JPEG, real, 4000 x 3000", [] { return ProgressivePhoto(4000, 3000); }},
    // A quarter of a megabyte that would be read over the whole picture 5001 times.
    {"progressive JPEG, 4096^2, 5001 scans", [] { return plakato::testing::JpegRepeatingAScan(4096, 5001); }},
    {"progressive JPEG, 4096^2, 100 scans", [] { return plakato::testing::JpegRepeatingAScan(4096, 100); }},
    // Coefficients of 88 MiB: just under the decoder's cap.
    {"progressive JPEG, real, 6400 x 4800", [] { return ProgressivePhoto(6400, 4800); }},
#ifdef _WIN32
    {"PNG RGB claiming 40000 x 40000", [] { return plakato::testing::PngClaiming(40000, 40000); }},
    {"PNG RGB claiming 7000 x 7000", [] { return plakato::testing::PngClaiming(7000, 7000); }},
    {"PNG RGBA 16-bit claiming 7000 x 7000", [] { return plakato::testing::PngClaiming(7000, 7000, 16, 6); }},
    // Rows of 31 MiB once inflated: just under the preview's cap.
    {"PNG RGB, real, 3200 x 3400", [] { return plakato::EncodePng(plakato::TestPicture(3200, 3400)); }},
    {"PNG RGB, one colour, 3200 x 3400", [] { return plakato::EncodePng(plakato::PixelCanvas(3200, 3400, 0x336699)); }},
    // Rows of 90 MiB: over it.
    {"PNG RGB, one colour, 5600 x 5600", [] { return plakato::EncodePng(plakato::PixelCanvas(5600, 5600, 0x336699)); }},
#endif
};
constexpr int kCaseCount = static_cast<int>(sizeof kCases / sizeof kCases[0]);

// Where a case's file is kept between the process that makes it and the one
// that previews it, so that making it counts nowhere.
std::string CaseFile(int index) {
  const char* temp = std::getenv("TEMP");
  if (!temp) temp = std::getenv("TMPDIR");
  return std::string(temp ? temp : "/tmp") + "/plakato_preview_bench_" + std::to_string(index) + ".bin";
}

int MakeCase(int index) {
  std::vector<uint8_t> bytes = kCases[index].make();
  std::FILE* out = std::fopen(CaseFile(index).c_str(), "wb");
  if (!out) return 1;
  bool ok = std::fwrite(bytes.data(), 1, bytes.size(), out) == bytes.size();
  return std::fclose(out) == 0 && ok ? 0 : 1;
}

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

int RunCase(int index) {
  const Case& c = kCases[index];
  const std::string file = CaseFile(index);
  double before = PeakMiB();
  std::string result;
  size_t fileBytes = 0;
  double seconds = 0;
#ifdef _WIN32
  // The preview pane's whole way: the file read (at most 32 MiB), then decoded.
  std::wstring path(file.begin(), file.end());
  SIZE size{};
  seconds = bench::Seconds([&] {
    plakato::UniqueBitmap shown = plakato::LoadPicturePreview(path, 128, 128, &size);
    result = shown ? std::to_string(size.cx) + " x " + std::to_string(size.cy) : "(none)";
  });
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (::GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) fileBytes = data.nFileSizeLow;
#else
  std::vector<uint8_t> bytes;
  seconds = bench::Seconds([&] {
    std::FILE* in = std::fopen(file.c_str(), "rb");
    if (in) {
      uint8_t chunk[65536];
      for (size_t n; (n = std::fread(chunk, 1, sizeof chunk, in)) > 0;) bytes.insert(bytes.end(), chunk, chunk + n);
      std::fclose(in);
    }
    plakato::DecodedPreview shown = plakato::DecodeJpegPreview(bytes, 128, 128);
    result = shown.picture.pixels.empty() ? "(none)" : std::to_string(shown.width) + " x " + std::to_string(shown.height);
  });
  fileBytes = bytes.size();
#endif
  std::printf("%-38s %9zu bytes %8.3f s  preview %-13s peak %8.1f MiB (%.1f MiB before)\n", c.name, fileBytes,
              seconds, result.c_str(), PeakMiB(), before);
  std::fflush(stdout);
  std::remove(file.c_str());
  return 0;
}

int RunInChild(const char* self, const std::string& argument) {
  std::fflush(stdout);
#ifdef _WIN32
  (void)self;
  wchar_t path[MAX_PATH];
  ::GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring command = L"\"" + std::wstring(path) + L"\" " + std::wstring(argument.begin(), argument.end());
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
  if (pid == 0) _exit(argument[0] == 'm' ? MakeCase(std::atoi(argument.c_str() + 1)) : RunCase(std::atoi(argument.c_str())));
  int status = 0;
  waitpid(pid, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : 1;
#endif
}

}  // namespace

int main(int argc, char** argv) {
  if (argc > 1 && argv[1][0] == 'm') return MakeCase(std::atoi(argv[1] + 1) % kCaseCount);
  if (argc > 1) return RunCase(std::atoi(argv[1]) % kCaseCount);
  std::printf("Save dialog preview (fit 128 x 128) of crafted files, each made in one process and previewed in\n"
              "another; the preview's size is the file's own picture size; peak = the previewing process's "
#ifdef _WIN32
              "peak working set\n");
#else
              "peak resident set\n");
#endif
  int failed = 0;
  for (int i = 0; i < kCaseCount; ++i) {
    if (RunInChild(argv[0], "m" + std::to_string(i)) != 0 || RunInChild(argv[0], std::to_string(i)) != 0) {
      std::printf("%-40s the preview process failed\n", kCases[i].name);
      ++failed;
    }
  }
  return failed ? 1 : 0;
}
