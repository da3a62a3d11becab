#include "base/files_win.h"

#include <algorithm>
#include <cwchar>
#include <limits>
#include <memory>

#include "base/handles_win.h"
#include "base/temporary_file_name.h"

namespace plakato {
namespace {

struct LocalFreeDeleter {
  void operator()(wchar_t* p) const { ::LocalFree(p); }
};

std::wstring FileError(const wchar_t* what, const std::wstring& path, DWORD code) {
  return std::wstring(what) + L" \"" + path + L"\". " + SystemErrorText(code);
}

// The folder part of a path with its trailing separator, or empty.
std::wstring FolderOf(const std::wstring& path) {
  size_t slash = path.find_last_of(L"\\/");
  return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash + 1);
}

// Creates a new, unshared file with a name no other file in `folder` has.
// Returns the open file and sets `tempPath`; on failure returns no file and
// sets `error`.
UniqueFile CreateTemporaryBeside(const std::wstring& folder, std::wstring& tempPath, DWORD& error) {
  static unsigned counter = 0;
  for (int attempt = 0; attempt < 100; ++attempt) {
    tempPath = folder + TemporaryFileName(::GetCurrentProcessId(), static_cast<uint16_t>(++counter + ::GetTickCount()));
    UniqueFile file = AdoptFile(
        ::CreateFileW(tempPath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file) return file;
    error = ::GetLastError();
    if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) break;
  }
  return UniqueFile();
}

bool WriteAll(HANDLE file, std::span<const uint8_t> bytes) {
  while (!bytes.empty()) {
    DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size(), 1u << 30));
    DWORD written = 0;
    if (!::WriteFile(file, bytes.data(), chunk, &written, nullptr) || written == 0) return false;
    bytes = bytes.subspan(written);
  }
  return true;
}

}  // namespace

std::wstring SystemErrorText(DWORD code) {
  wchar_t* buffer = nullptr;
  DWORD length = ::FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0,
      reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
  std::unique_ptr<wchar_t, LocalFreeDeleter> owned(buffer);
  if (length == 0 || !buffer) return L"系统错误 " + std::to_wstring(code);
  std::wstring text(buffer, length);
  while (!text.empty() && (text.back() == L'\r' || text.back() == L'\n' || text.back() == L' ')) text.pop_back();
  return text;
}

AppError CannotCreateFileError(const std::wstring& path, DWORD code) {
  return AppError(FileError(L"Cannot create file", path, code));
}

AppError CannotOpenFileError(const std::wstring& path, DWORD code) {
  return AppError(FileError(L"Cannot open file", path, code));
}

AppError CannotReadFileError(const std::wstring& path, DWORD code) {
  return AppError(FileError(L"Cannot read file", path, code));
}

void WriteFileReplacing(const std::wstring& path, std::span<const uint8_t> bytes) {
  // An existing file must be one we could open for writing alone: Windows
  // refuses to replace a read-only file, a folder or a file in use, while
  // Wine's rename may replace them all, so they are refused here first.
  DWORD attributes = ::GetFileAttributesW(path.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES) {
    if ((attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)) != 0) {
      throw CannotCreateFileError(path, ERROR_ACCESS_DENIED);
    }
    UniqueFile existing = AdoptFile(
        ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!existing) throw CannotCreateFileError(path, ::GetLastError());
  }

  std::wstring tempPath;
  DWORD error = ERROR_SUCCESS;
  UniqueFile temp = CreateTemporaryBeside(FolderOf(path), tempPath, error);
  if (!temp) throw CannotCreateFileError(path, error);

  bool written = WriteAll(temp.get(), bytes) && ::FlushFileBuffers(temp.get());
  if (!written) error = ::GetLastError();
  temp.reset();
  if (written && ::MoveFileExW(tempPath.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    return;
  }
  if (written) error = ::GetLastError();
  ::DeleteFileW(tempPath.c_str());
  throw CannotCreateFileError(path, error);
}

DWORD WriteNewFile(const std::wstring& path, std::span<const uint8_t> bytes) {
  std::wstring tempPath;
  DWORD error = ERROR_SUCCESS;
  UniqueFile temp = CreateTemporaryBeside(FolderOf(path), tempPath, error);
  if (!temp) return error;
  bool written = WriteAll(temp.get(), bytes) && ::FlushFileBuffers(temp.get());
  if (!written) error = ::GetLastError();
  temp.reset();
  // Without MOVEFILE_REPLACE_EXISTING the move fails on any file or folder
  // of that name, in any case: the name is taken by one step or not at all.
  if (written && ::MoveFileExW(tempPath.c_str(), path.c_str(), MOVEFILE_WRITE_THROUGH)) return ERROR_SUCCESS;
  if (written) error = ::GetLastError();
  ::DeleteFileW(tempPath.c_str());
  return error == ERROR_FILE_EXISTS ? ERROR_ALREADY_EXISTS : error;
}

std::string ReadWholeFile(const std::wstring& path, DWORD shareMode) {
  return *ReadFileUpTo(path, shareMode, std::numeric_limits<size_t>::max());
}

std::optional<std::string> ReadFileUpTo(const std::wstring& path, DWORD shareMode, size_t limit) {
  UniqueFile file = AdoptFile(
      ::CreateFileW(path.c_str(), GENERIC_READ, shareMode, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) throw CannotOpenFileError(path, ::GetLastError());
  // Read straight into a buffer of the file's size; a file that grows
  // meanwhile is read on to its end.
  LARGE_INTEGER size{};
  std::string content;
  if (::GetFileSizeEx(file.get(), &size)) {
    if (static_cast<uint64_t>(size.QuadPart) > limit) return std::nullopt;
    if (size.QuadPart > 0 && size.QuadPart < (int64_t{1} << 31)) content.resize(static_cast<size_t>(size.QuadPart));
  }
  size_t filled = 0;
  for (;;) {
    // One byte past the limit is enough to know the file is too large.
    if (filled > limit) return std::nullopt;
    size_t room = limit - filled >= 64 * 1024 ? 64 * 1024 : limit - filled + 1;
    if (content.size() - filled < room) content.resize(filled + room);
    DWORD got = 0;
    DWORD want = static_cast<DWORD>(std::min<size_t>(content.size() - filled, size_t{1} << 30));
    if (!::ReadFile(file.get(), content.data() + filled, want, &got, nullptr)) {
      throw CannotReadFileError(path, ::GetLastError());
    }
    if (got == 0) break;
    filled += got;
  }
  if (filled > limit) return std::nullopt;
  content.resize(filled);
  return content;
}

UniqueFile HoldFolderForCleaning(const std::wstring& folder) {
  // A link shows its reparse point in its attributes when named without the
  // trailing backslash (with it, Wine gives the target's), and opening with
  // FILE_FLAG_OPEN_REPARSE_POINT opens the link, not its target (Wine opens
  // the target); both are checked.
  std::wstring path = folder;
  while (path.size() > 1 && (path.back() == L'\\' || path.back() == L'/')) path.pop_back();
  DWORD attributes = ::GetFileAttributesW(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0 ||
      (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
    return UniqueFile();
  }
  UniqueFile held = AdoptFile(::CreateFileW(path.c_str(), FILE_LIST_DIRECTORY | FILE_READ_ATTRIBUTES,
                                            FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                            FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
  BY_HANDLE_FILE_INFORMATION info{};
  if (!held || !::GetFileInformationByHandle(held.get(), &info) ||
      (info.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0 ||
      (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
    return UniqueFile();
  }
  // The path may have been swapped for a link between the two looks.
  attributes = ::GetFileAttributesW(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0) return UniqueFile();
  return held;
}

bool RemoveEntryIfStale(const std::wstring& path, bool isFolder, const std::function<bool(int64_t written)>& stale) {
  DWORD attributes = ::GetFileAttributesW(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0) return false;
  UniqueFile entry = AdoptFile(::CreateFileW(path.c_str(), DELETE | FILE_READ_ATTRIBUTES,
                                             FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                             OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT,
                                             nullptr));
  BY_HANDLE_FILE_INFORMATION info{};
  if (!entry || !::GetFileInformationByHandle(entry.get(), &info)) return false;
  if ((info.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0 ||
      ((info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) != isFolder) {
    return false;
  }
  int64_t written = static_cast<int64_t>(static_cast<uint64_t>(info.ftLastWriteTime.dwHighDateTime) << 32 |
                                         info.ftLastWriteTime.dwLowDateTime);
  if (!stale(written)) return false;
  // A read-only file, or a folder that is not empty, refuses to go.
  FILE_DISPOSITION_INFO dispose{TRUE};
  return ::SetFileInformationByHandle(entry.get(), FileDispositionInfo, &dispose, sizeof dispose) != FALSE;
}

size_t RemoveStaleTemporaryFiles(const std::wstring& folder, int64_t now) noexcept {
  size_t removed = 0;
  try {
    if (folder.empty()) return 0;
    UniqueFile held = HoldFolderForCleaning(folder);
    if (!held) return 0;
    WIN32_FIND_DATAW found;
    UniqueFind search = AdoptFind(::FindFirstFileW((folder + L"~plakato*.tmp").c_str(), &found));
    if (!search) return 0;
    do {
      if ((found.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) != 0) continue;
      const std::wstring name = found.cFileName;
      auto stale = [&](int64_t written) { return IsStaleTemporaryFile(name, written, now); };
      if (RemoveEntryIfStale(folder + name, false, stale)) ++removed;
    } while (::FindNextFileW(search.get(), &found));
  } catch (...) {
    // Out of memory for a path: the rest waits for the next start.
  }
  return removed;
}

int64_t FileTimeNow() {
  FILETIME now;
  ::GetSystemTimeAsFileTime(&now);
  return static_cast<int64_t>(static_cast<uint64_t>(now.dwHighDateTime) << 32 | now.dwLowDateTime);
}

}  // namespace plakato
