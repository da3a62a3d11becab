// Files as the program writes and hashes them, on Wine's real file system:
// sharing, read-only files, missing folders, and the error texts.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "base/files_win.h"
#include "base/handles_win.h"
#include "messenger/file_digest_win.h"

namespace plakato {
namespace {

class FilesTest : public testing::Test {
 protected:
  void SetUp() override {
    wchar_t temp[MAX_PATH];
    ASSERT_GT(::GetTempPathW(MAX_PATH, temp), 0u);
    folder_ = std::wstring(temp) + L"plakato_files_" + std::to_wstring(::GetCurrentProcessId()) + L"\\";
    ASSERT_TRUE(::CreateDirectoryW(folder_.c_str(), nullptr)) << ::GetLastError();
  }
  void TearDown() override {
    for (const std::wstring& name : Listing()) {
      std::wstring p = folder_ + name;
      ::SetFileAttributesW(p.c_str(), FILE_ATTRIBUTE_NORMAL);
      if (!::DeleteFileW(p.c_str())) ::RemoveDirectoryW(p.c_str());
    }
    ::RemoveDirectoryW(folder_.c_str());
  }

  std::wstring Path(const std::wstring& name) const { return folder_ + name; }

  void Put(const std::wstring& name, const std::string& bytes) {
    UniqueFile f = AdoptFile(
        ::CreateFileW(Path(name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(f);
    DWORD written = 0;
    ASSERT_TRUE(::WriteFile(f.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr));
  }

  std::set<std::wstring> Listing() const {
    std::set<std::wstring> names;
    WIN32_FIND_DATAW data;
    HANDLE find = ::FindFirstFileW((folder_ + L"*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return names;
    do {
      std::wstring n = data.cFileName;
      if (n != L"." && n != L"..") names.insert(n);
    } while (::FindNextFileW(find, &data));
    ::FindClose(find);
    return names;
  }

  static std::wstring ErrorOf(auto&& action) {
    try {
      action();
    } catch (const AppError& e) {
      return e.message();
    }
    return L"no error";
  }

  static std::vector<uint8_t> Bytes(const std::string& s) { return {s.begin(), s.end()}; }

  std::wstring folder_;
};

TEST_F(FilesTest, SystemTextHasNoLineBreakAtItsEnd) {
  std::wstring text = SystemErrorText(ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(text, L"File not found.");  // Wine's own wording
  EXPECT_EQ(SystemErrorText(ERROR_ACCESS_DENIED), L"Access denied.");
  EXPECT_EQ(SystemErrorText(0xDEADBEEF), L"系统错误 3735928559");
}

TEST_F(FilesTest, DigestsOfFiles) {
  Put(L"abc.bin", "abc");
  Put(L"empty.bin", "");
  std::string digits;
  for (int i = 0; i < 8; ++i) digits += "1234567890";
  Put(L"digits.bin", digits);
  EXPECT_EQ(ComputeFileDigest(Path(L"abc.bin")), "DA853B0D3F88D99B30283A69E6DED6BB");
  EXPECT_EQ(ComputeFileDigest(Path(L"empty.bin")), "8350E5A3E24C153DF2275C9F80692773");
  EXPECT_EQ(ComputeFileDigest(Path(L"digits.bin")), "D5976F79D83D3A0DC9806C3C66F3EFD8");
}

TEST_F(FilesTest, DigestOfMissingFile) {
  std::wstring path = Path(L"missing.jpg");
  EXPECT_EQ(ErrorOf([&] { ComputeFileDigest(path); }), L"Cannot open file \"" + path + L"\". File not found.");
}

TEST_F(FilesTest, DigestOfFileHeldWithoutSharing) {
  Put(L"held.jpg", "abc");
  std::wstring path = Path(L"held.jpg");
  UniqueFile holder =
      AdoptFile(::CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  ASSERT_TRUE(holder);
  EXPECT_EQ(ErrorOf([&] { ComputeFileDigest(path); }),
            L"Cannot open file \"" + path + L"\". " + SystemErrorText(ERROR_SHARING_VIOLATION));
  EXPECT_EQ(SystemErrorText(ERROR_SHARING_VIOLATION), L"Sharing violation.");
  holder.reset();
  EXPECT_EQ(ComputeFileDigest(path), "DA853B0D3F88D99B30283A69E6DED6BB");
}

TEST_F(FilesTest, DigestClosesTheFile) {
  Put(L"free.jpg", "abc");
  ComputeFileDigest(Path(L"free.jpg"));
  UniqueFile again = AdoptFile(::CreateFileW(Path(L"free.jpg").c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                             FILE_ATTRIBUTE_NORMAL, nullptr));
  EXPECT_TRUE(again);
}

TEST_F(FilesTest, WriteCreatesANewFile) {
  WriteFileReplacing(Path(L"new.jpg"), Bytes("fresh bytes"));
  EXPECT_EQ(ReadWholeFile(Path(L"new.jpg"), FILE_SHARE_READ), "fresh bytes");
  EXPECT_EQ(Listing(), (std::set<std::wstring>{L"new.jpg"}));
}

TEST_F(FilesTest, WriteReplacesAnExistingFile) {
  Put(L"old.jpg", "a longer earlier content");
  WriteFileReplacing(Path(L"old.jpg"), Bytes("new"));
  EXPECT_EQ(ReadWholeFile(Path(L"old.jpg"), 0), "new");
  EXPECT_EQ(Listing(), (std::set<std::wstring>{L"old.jpg"}));
  WriteFileReplacing(Path(L"old.jpg"), {});
  EXPECT_EQ(ReadWholeFile(Path(L"old.jpg"), 0), "");
}

TEST_F(FilesTest, WriteIntoMissingFolder) {
  std::wstring path = Path(L"no such folder\\tempfile.jpg");
  EXPECT_EQ(ErrorOf([&] { WriteFileReplacing(path, Bytes("x")); }),
            L"Cannot create file \"" + path + L"\". " + SystemErrorText(ERROR_PATH_NOT_FOUND));
  EXPECT_TRUE(Listing().empty());
}

TEST_F(FilesTest, WriteOverReadOnlyFile) {
  Put(L"locked.jpg", "keep me");
  std::wstring path = Path(L"locked.jpg");
  ASSERT_TRUE(::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_READONLY));
  EXPECT_EQ(ErrorOf([&] { WriteFileReplacing(path, Bytes("x")); }),
            L"Cannot create file \"" + path + L"\". Access denied.");
  EXPECT_EQ(ReadWholeFile(path, 0), "keep me");
  EXPECT_EQ(Listing(), (std::set<std::wstring>{L"locked.jpg"}));
}

TEST_F(FilesTest, WriteOverFileHeldWithoutSharing) {
  Put(L"busy.jpg", "keep me");
  std::wstring path = Path(L"busy.jpg");
  {
    UniqueFile holder = AdoptFile(
        ::CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(holder);
    EXPECT_EQ(ErrorOf([&] { WriteFileReplacing(path, Bytes("x")); }),
              L"Cannot create file \"" + path + L"\". Sharing violation.");
  }
  EXPECT_EQ(ReadWholeFile(path, 0), "keep me");
  EXPECT_EQ(Listing(), (std::set<std::wstring>{L"busy.jpg"}));
}

TEST_F(FilesTest, WriteOverFolder) {
  std::wstring path = Path(L"folder.jpg");
  ASSERT_TRUE(::CreateDirectoryW(path.c_str(), nullptr));
  EXPECT_EQ(ErrorOf([&] { WriteFileReplacing(path, Bytes("x")); }),
            L"Cannot create file \"" + path + L"\". Access denied.");
  EXPECT_EQ(::GetFileAttributesW(path.c_str()) & FILE_ATTRIBUTE_DIRECTORY, static_cast<DWORD>(FILE_ATTRIBUTE_DIRECTORY));
  EXPECT_EQ(Listing(), (std::set<std::wstring>{L"folder.jpg"}));
}

TEST_F(FilesTest, ReadWholeFileHonoursSharing) {
  Put(L"index.xml", "<faces/>");
  std::wstring path = Path(L"index.xml");
  UniqueFile reader = AdoptFile(
      ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  ASSERT_TRUE(reader);
  EXPECT_EQ(ReadWholeFile(path, FILE_SHARE_READ), "<faces/>");
  EXPECT_EQ(ErrorOf([&] { ReadWholeFile(path, 0); }), L"Cannot open file \"" + path + L"\". Sharing violation.");
  EXPECT_EQ(ErrorOf([&] { ReadWholeFile(Path(L"none.xml"), FILE_SHARE_READ); }),
            L"Cannot open file \"" + Path(L"none.xml") + L"\". File not found.");
}

TEST_F(FilesTest, ReadWholeFileLargerThanOneChunk) {
  std::string big(200000, '\0');
  for (size_t i = 0; i < big.size(); ++i) big[i] = static_cast<char>(i * 31);
  Put(L"big.bin", big);
  EXPECT_EQ(ReadWholeFile(Path(L"big.bin"), 0), big);
}

}  // namespace
}  // namespace plakato
