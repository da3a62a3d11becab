// The file digest against the in-memory digest of the same bytes, and the
// peak working set after digesting a 4 MiB and a 64 MiB file. Prints figures.
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

#include "base/handles_win.h"
#include "messenger/file_digest_win.h"
#include "messenger/md2_digest.h"
#include "bench_timing.h"

namespace {

using bench::Median;
using bench::Seconds;

using plakato::UniqueFile;

uint8_t ByteAt(size_t i) { return static_cast<uint8_t>((i * 2654435761u) >> 13); }

// Writes the file in 1 MiB pieces so the benchmark itself never holds it whole.
void MakeFile(const std::wstring& path, size_t size) {
  UniqueFile f = plakato::AdoptFile(
      ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  std::vector<uint8_t> piece(1 << 20);
  for (size_t done = 0; done < size; done += piece.size()) {
    for (size_t i = 0; i < piece.size(); ++i) piece[i] = ByteAt(done + i);
    DWORD written = 0;
    ::WriteFile(f.get(), piece.data(), static_cast<DWORD>(std::min(piece.size(), size - done)), &written, nullptr);
  }
}

double PeakMiB() {
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof counters;
  ::GetProcessMemoryInfo(::GetCurrentProcess(), &counters, sizeof counters);
  return static_cast<double>(counters.PeakWorkingSetSize) / (1 << 20);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  int runs = argc > 1 ? _wtoi(argv[1]) : 3;
  wchar_t temp[MAX_PATH];
  ::GetTempPathW(MAX_PATH, temp);
  std::wstring small = std::wstring(temp) + L"plakato_digest_4.bin";
  std::wstring large = std::wstring(temp) + L"plakato_digest_64.bin";
  const size_t smallSize = 4u << 20, largeSize = 64u << 20;
  MakeFile(small, smallSize);
  MakeFile(large, largeSize);

  // Memory first, before the in-memory copy below raises the peak.
  double base = PeakMiB();
  std::string smallId = plakato::ComputeFileDigest(small);
  double afterSmall = PeakMiB();
  std::string largeId = plakato::ComputeFileDigest(large);
  double afterLarge = PeakMiB();
  std::printf("peak working set: %.1f MiB before, %.1f MiB after the 4 MiB file, %.1f MiB after the 64 MiB file\n",
              base, afterSmall, afterLarge);

  std::vector<uint8_t> bytes(largeSize);
  for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = ByteAt(i);
  std::vector<double> fromFile, fromMemory;
  std::string memoryId;
  for (int r = 0; r < runs; ++r) {
    fromFile.push_back(Seconds([&] { largeId = plakato::ComputeFileDigest(large); }));
    fromMemory.push_back(Seconds([&] { memoryId = plakato::Md2Hash::IdentifierOfBytes(bytes); }));
  }
  double f = Median(fromFile), m = Median(fromMemory);
  std::printf("64 MiB digest, median of %d alternating runs: file %.2f s (%.2f MB/s), memory %.2f s (%.2f MB/s)\n", runs,
              f, largeSize / 1e6 / f, m, largeSize / 1e6 / m);
  std::printf("file/memory time ratio: %.3f (identifiers %s)\n", f / m, largeId == memoryId ? "equal" : "DIFFER");
  ::DeleteFileW(small.c_str());
  ::DeleteFileW(large.c_str());
  (void)smallId;
  return largeId == memoryId ? 0 : 1;
}
