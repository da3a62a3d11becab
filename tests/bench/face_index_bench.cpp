// Times the messenger index update against a plain copy of the same file, for
// indexes of 6,250, 25,000 and 100,000 entries (the last about 20 MB), and
// measures the peak memory each update needs. Prints figures; asserts nothing.
//   face_index_bench [folder]   (default: the current folder; files are removed afterwards)
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "base/error.h"
#include "messenger/face_index.h"
#include "messenger/line_buffer.h"

namespace {

namespace fs = std::filesystem;
constexpr int kRuns = 7;

std::string HexId(unsigned n) {
  char id[33];
  std::snprintf(id, sizeof id, "%08X%08X%08X%08X", n * 2654435761u, n, ~n, n * 40503u);
  return id;
}

// An index as the messenger keeps it: the default group with half the
// entries, three named groups with Chinese names, and the panel group.
std::string MakeIndex(unsigned entries) {
  std::string text = "<FACESETTING>\r\n";
  const char* names[] = {"\xC5\xF3\xD3\xD1", "\xB6\xAF\xBB\xAD", "\xB8\xE3\xD0\xA6"};
  unsigned group = 0;
  unsigned perGroup = entries / 8;
  for (unsigned n = 0; n < entries; ++n) {
    if (n == 0) text += "<CUSTOMFACE version=\"1002\" count=\"" + std::to_string(entries / 2) + "\">\r\n";
    if (n >= entries / 2 && (n - entries / 2) % perGroup == 0) {
      text += n == entries / 2 ? "</CUSTOMFACE>\r\n" : "</CUSTOMFACEGROUP>\r\n";
      text += group < 3 ? std::string("<CUSTOMFACEGROUP version=\"1002\" name=\"") + names[group] + "\" count=\"" +
                              std::to_string(perGroup) + "\">\r\n"
                        : "<CUSTOMFACEGROUP version=\"1002\" name=\"panel\" count=\"" +
                              std::to_string(entries - n) + "\">\r\n";
      ++group;
    }
    std::string id = HexId(n);
    text += "<FACE id=\"" + id + "\" shortcut=\"\xB2\xE2\xCA\xD4" + std::to_string(n) + "\" tip=\"\xB2\xE2\xCA\xD4" +
            std::to_string(n) + "\" multiframe=\"0\" FileIndex=\"" + std::to_string(n) + "\">\r\n";
    text += "<FILE ORG>" + id + ".JPG</FILE ORG>\r\n";
    text += "<FILE FIXED>" + id + "fixed.bmp</FILE FIXED>\r\n";
    text += "</FACE>\r\n";
  }
  text += "</CUSTOMFACEGROUP>\r\n</FACESETTING>\r\n";
  return text;
}

void Fail(const char* what, const fs::path& path) {
  std::perror((std::string(what) + " " + path.string()).c_str());
  std::exit(1);
}

std::string ReadFile(const fs::path& path) {
  int fd = open(path.c_str(), O_RDONLY);
  if (fd < 0) Fail("open", path);
  struct stat st{};
  fstat(fd, &st);
  std::string bytes(static_cast<size_t>(st.st_size), '\0');
  size_t done = 0;
  while (done < bytes.size()) {
    ssize_t n = read(fd, bytes.data() + done, bytes.size() - done);
    if (n <= 0) Fail("read", path);
    done += static_cast<size_t>(n);
  }
  close(fd);
  return bytes;
}

void WriteFileSynced(const fs::path& path, std::string_view bytes) {
  int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  if (fd < 0) Fail("create", path);
  size_t done = 0;
  while (done < bytes.size()) {
    ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
    if (n <= 0) Fail("write", path);
    done += static_cast<size_t>(n);
  }
  if (fsync(fd) != 0) Fail("fsync", path);
  close(fd);
}

// The baseline: read the file whole and write it whole to a new file, synced.
void CopyFile(const fs::path& from, const fs::path& to) { WriteFileSynced(to, ReadFile(from)); }

// The update as the program does it: read, load, patch, then save safely
// (a temporary file beside the index, synced, renamed over it). Adds the time
// of each of the four steps to `steps`, when given.
void UpdateIndex(const fs::path& path, double* steps = nullptr) {
  auto clock = std::chrono::steady_clock::now();
  auto lap = [&](int step) {
    auto now = std::chrono::steady_clock::now();
    if (steps) steps[step] += std::chrono::duration<double, std::milli>(now - clock).count();
    clock = now;
  };
  plakato::LineBuffer memo;
  {
    std::string bytes = ReadFile(path);
    lap(0);
    memo.LoadBytes(bytes);
  }
  lap(1);
  plakato::PatchFaceIndex(memo, "00112233445566778899AABBCCDDEEFF", "\xB2\xE2\xCA\xD4<&>");
  lap(2);
  fs::path temp = path;
  temp += ".new";
  WriteFileSynced(temp, memo.Text());
  fs::rename(temp, path);
  lap(3);
}

template <typename F>
double MedianMs(F&& f) {
  std::vector<double> ms;
  for (int i = 0; i < kRuns; ++i) {
    auto start = std::chrono::steady_clock::now();
    f();
    ms.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
  }
  std::sort(ms.begin(), ms.end());
  return ms[ms.size() / 2];
}

// Peak resident memory, in bytes, of a child process that runs `work`.
template <typename F>
long ChildPeakBytes(F&& work) {
  pid_t pid = fork();
  if (pid == 0) {
    work();
    _exit(0);
  }
  int status = 0;
  rusage usage{};
  wait4(pid, &status, 0, &usage);
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
    std::fprintf(stderr, "child failed\n");
    std::exit(1);
  }
  return usage.ru_maxrss * 1024L;
}

}  // namespace

int main(int argc, char** argv) {
  fs::path folder = fs::absolute(argc > 1 ? argv[1] : ".") / "face_index_bench_files";
  fs::create_directories(folder);
  std::printf("baseline: read the whole file and write it to a new file with fsync; update: read, LoadBytes,\n"
              "PatchFaceIndex, then write a temporary file beside it with fsync and rename it over the index.\n"
              "Median of %d runs; memory is the peak RSS of a child process doing one update, less that of an\n"
              "idle child.\n\n",
              kRuns);
  std::printf("%9s %10s %10s %10s %7s %10s %10s %7s\n", "entries", "MB", "copy ms", "update ms", "ratio",
              "ms per MB", "peak MB", "x file");
  long idle = ChildPeakBytes([] {});
  for (unsigned entries : {6250u, 25000u, 100000u}) {
    fs::path index = folder / "face.xml";
    fs::path copy = folder / "copy.xml";
    size_t size = 0;
    {
      std::string text = MakeIndex(entries);
      size = text.size();
      WriteFileSynced(index, text);
    }
    double copyMs = MedianMs([&] { CopyFile(index, copy); });
    double steps[4] = {};
    double updateMs = MedianMs([&] { UpdateIndex(index, steps); });
    long peak = ChildPeakBytes([&] { UpdateIndex(index); }) - idle;
    double mb = static_cast<double>(size) / 1e6;
    std::printf("%9u %10.1f %10.1f %10.1f %7.2f %10.2f %10.1f %7.2f\n", entries, mb, copyMs, updateMs,
                updateMs / copyMs, updateMs / mb, static_cast<double>(peak) / 1e6,
                static_cast<double>(peak) / static_cast<double>(size));
    std::printf("%9s mean ms of the update's steps: read %.1f, LoadBytes %.1f, PatchFaceIndex %.1f, save %.1f\n", "",
                steps[0] / kRuns, steps[1] / kRuns, steps[2] / kRuns, steps[3] / kRuns);
    std::fflush(stdout);
  }
  fs::remove_all(folder);
  return 0;
}
