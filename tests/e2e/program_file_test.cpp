// What plakato.exe carries as a file: its version record and its icon.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstddef>
#include <string>
#include <vector>

#include "driver_win.h"

namespace {

std::wstring ProgramPath() { return driver::OwnFolder() + L"plakato.exe"; }

std::wstring VersionText(const std::vector<BYTE>& block, const wchar_t* name) {
  wchar_t* value = nullptr;
  UINT length = 0;
  std::wstring key = std::wstring(L"\\StringFileInfo\\080403A8\\") + name;
  if (!::VerQueryValueW(block.data(), key.c_str(), reinterpret_cast<void**>(&value), &length)) return L"<missing>";
  return std::wstring(value, length ? length - 1 : 0);
}

TEST(ProgramFile, CarriesThePreReleaseVersionRecordInChinesePrc) {
  DWORD handle = 0;
  DWORD size = ::GetFileVersionInfoSizeW(ProgramPath().c_str(), &handle);
  ASSERT_GT(size, 0u);
  std::vector<BYTE> block(size);
  ASSERT_TRUE(::GetFileVersionInfoW(ProgramPath().c_str(), 0, size, block.data()));

  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  ASSERT_TRUE(::VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
  EXPECT_EQ(fixed->dwFileVersionMS, MAKELONG(0, 0));
  EXPECT_EQ(fixed->dwFileVersionLS, MAKELONG(0, 1));  // 0.0.1.0
  EXPECT_EQ(fixed->dwProductVersionMS, MAKELONG(0, 0));
  EXPECT_EQ(fixed->dwProductVersionLS, MAKELONG(0, 1));
  EXPECT_TRUE(fixed->dwFileFlags & VS_FF_PRERELEASE);

  struct Translation {
    WORD language, codePage;
  }* translation = nullptr;
  ASSERT_TRUE(::VerQueryValueW(block.data(), L"\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translation),
                               &length));
  EXPECT_EQ(translation->language, 0x0804);
  EXPECT_EQ(translation->codePage, 936);

  EXPECT_EQ(VersionText(block, L"FileVersion"), L"0.0.1.0");
  EXPECT_EQ(VersionText(block, L"ProductVersion"), L"0.0.0.9");
  for (const wchar_t* empty : {L"CompanyName", L"FileDescription", L"ProductName", L"LegalCopyright"}) {
    EXPECT_EQ(VersionText(block, empty), L"") << testing::PrintToString(std::wstring(empty));
  }
}

#pragma pack(push, 2)
struct IconDirEntry {
  BYTE width, height, colours, reserved;
  WORD planes, bitCount;
  DWORD bytes;
  WORD id;
};
struct IconDir {
  WORD reserved, type, count;
  IconDirEntry entries[1];
};
#pragma pack(pop)

// One picture for each size Windows asks for, each drawn for its size: up to
// 64 x 64 a 32-bit bitmap whose fourth byte is 0 throughout, so that the
// 1-bit mask alone gives the transparency; 256 x 256 as PNG.
TEST(ProgramFile, CarriesTheIconInEverySizeWindowsAsksFor) {
  HMODULE module = ::LoadLibraryExW(ProgramPath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  ASSERT_NE(module, nullptr);
  HRSRC group = ::FindResourceW(module, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(14));  // RT_GROUP_ICON
  ASSERT_NE(group, nullptr);
  auto* groupBytes = static_cast<BYTE*>(::LockResource(::LoadResource(module, group)));
  auto* dir = reinterpret_cast<const IconDir*>(groupBytes);
  auto* entries = reinterpret_cast<const IconDirEntry*>(groupBytes + offsetof(IconDir, entries));
  const int sizes[] = {16, 20, 24, 32, 40, 48, 64, 256};
  ASSERT_EQ(dir->count, 8);
  for (int k = 0; k < 8; ++k) {
    const IconDirEntry& entry = entries[k];
    const int n = sizes[k];
    SCOPED_TRACE(n);
    EXPECT_EQ(entry.width, n % 256);  // 0 stands for 256
    EXPECT_EQ(entry.height, n % 256);
    EXPECT_EQ(entry.bitCount, 32);
    HRSRC image = ::FindResourceW(module, MAKEINTRESOURCEW(entry.id), MAKEINTRESOURCEW(3));  // RT_ICON
    ASSERT_NE(image, nullptr);
    auto* bits = static_cast<const BYTE*>(::LockResource(::LoadResource(module, image)));
    if (n == 256) {
      EXPECT_EQ(std::string(reinterpret_cast<const char*>(bits), 8), "\x89PNG\r\n\x1a\n");
      continue;
    }
    auto* header = reinterpret_cast<const BITMAPINFOHEADER*>(bits);
    EXPECT_EQ(header->biWidth, n);
    EXPECT_EQ(header->biHeight, 2 * n);  // colour rows and mask rows
    EXPECT_EQ(header->biBitCount, 32);
    const BYTE* pixels = bits + header->biSize;
    int alpha = 0;
    for (int i = 0; i < n * n; ++i) alpha |= pixels[i * 4 + 3];
    EXPECT_EQ(alpha, 0);
    const int stride = (n + 31) / 32 * 4;
    const BYTE* mask = pixels + n * n * 4;
    int opaque = 0;
    for (int y = 0; y < n; ++y) {
      for (int x = 0; x < n; ++x) opaque += !((mask[y * stride + x / 8] >> (7 - x % 8)) & 1);
    }
    EXPECT_GT(opaque, n * n * 6 / 10);
    EXPECT_LT(opaque, n * n);
  }
  // The title bar's small icon and the window's large one get the pictures
  // drawn for 16 and 32, not another size scaled.
  EXPECT_EQ(::LookupIconIdFromDirectoryEx(groupBytes, TRUE, 16, 16, LR_DEFAULTCOLOR), entries[0].id);
  EXPECT_EQ(::LookupIconIdFromDirectoryEx(groupBytes, TRUE, 32, 32, LR_DEFAULTCOLOR), entries[3].id);
  EXPECT_EQ(::LookupIconIdFromDirectoryEx(groupBytes, TRUE, 48, 48, LR_DEFAULTCOLOR), entries[5].id);
  ::FreeLibrary(module);
}

TEST(ProgramFile, ItsManifestAsksForCommonControls6PerMonitorDpiAndNoElevation) {
  HMODULE module = ::LoadLibraryExW(ProgramPath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  ASSERT_NE(module, nullptr);
  HRSRC found = ::FindResourceW(module, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24));  // RT_MANIFEST
  ASSERT_NE(found, nullptr);
  const char* text = static_cast<const char*>(::LockResource(::LoadResource(module, found)));
  std::string manifest(text, ::SizeofResource(module, found));
  EXPECT_NE(manifest.find("Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\""), std::string::npos);
  EXPECT_NE(manifest.find(">true/pm</dpiAware>"), std::string::npos);  // Windows 8.1 and older
  EXPECT_NE(manifest.find(">PerMonitorV2, PerMonitor</dpiAwareness>"), std::string::npos);
  EXPECT_NE(manifest.find("level=\"asInvoker\""), std::string::npos);
  EXPECT_NE(manifest.find("{35138b9a-5d96-4fbd-8e2d-a2440225f93a}"), std::string::npos);  // Windows 7
  EXPECT_NE(manifest.find("{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"), std::string::npos);  // Windows 10 and 11
  ::FreeLibrary(module);
}

}  // namespace
