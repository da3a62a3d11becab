#include "messenger/file_digest_win.h"

#include <algorithm>

#include "base/files_win.h"
#include "base/handles_win.h"
#include "messenger/md2_digest.h"

namespace plakato {
namespace {

// An open file read from its start; a read the system refuses ends the hash
// with an error rather than passing for the end of the file.
class FileStream : public ByteStream {
 public:
  FileStream(HANDLE file, const std::wstring& path) : file_(file), path_(path) {}
  size_t Read(uint8_t* buffer, size_t count) override {
    DWORD got = 0;
    DWORD want = static_cast<DWORD>(std::min<size_t>(count, 1u << 30));
    if (!::ReadFile(file_, buffer, want, &got, nullptr)) throw CannotReadFileError(path_, ::GetLastError());
    return got;
  }

 private:
  HANDLE file_;
  const std::wstring& path_;
};

}  // namespace

std::string ComputeFileDigest(const std::wstring& path) {
  Md2Hash hash;
  UniqueFile file = AdoptFile(::CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                            FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
  if (!file) throw CannotOpenFileError(path, ::GetLastError());
  FileStream stream(file.get(), path);
  return Md2Hash::Identifier(hash.HashStream(stream));
}

}  // namespace plakato
