// What plakato.exe carries as a file: its version record and its icon.
#include <windows.h>

#include <gtest/gtest.h>

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

TEST(ProgramFile, CarriesOne32By32IconWith32BitsAndAMask) {
  HMODULE module = ::LoadLibraryExW(ProgramPath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  ASSERT_NE(module, nullptr);
  HRSRC group = ::FindResourceW(module, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(14));  // RT_GROUP_ICON
  ASSERT_NE(group, nullptr);
  auto* dir = static_cast<const IconDir*>(::LockResource(::LoadResource(module, group)));
  ASSERT_EQ(dir->count, 1);
  EXPECT_EQ(dir->entries[0].width, 32);
  EXPECT_EQ(dir->entries[0].height, 32);
  EXPECT_EQ(dir->entries[0].bitCount, 32);
  HRSRC image = ::FindResourceW(module, MAKEINTRESOURCEW(dir->entries[0].id), MAKEINTRESOURCEW(3));  // RT_ICON
  ASSERT_NE(image, nullptr);
  auto* bits = static_cast<const BYTE*>(::LockResource(::LoadResource(module, image)));
  auto* header = reinterpret_cast<const BITMAPINFOHEADER*>(bits);
  EXPECT_EQ(header->biWidth, 32);
  EXPECT_EQ(header->biHeight, 64);  // colour rows and mask rows
  EXPECT_EQ(header->biBitCount, 32);
  // The fourth byte is 0 throughout: the 1-bit mask alone gives the transparency.
  const BYTE* pixels = bits + header->biSize;
  int opaque = 0;
  for (int i = 0; i < 32 * 32; ++i) EXPECT_EQ(pixels[i * 4 + 3], 0) << i;
  const BYTE* mask = pixels + 32 * 32 * 4;
  for (int i = 0; i < 32 * 4; ++i) opaque += 8 - __builtin_popcount(mask[i]);
  EXPECT_GT(opaque, 400);
  EXPECT_LT(opaque, 1024);
  ::FreeLibrary(module);
}

TEST(ProgramFile, ItsManifestAsksForCommonControls6SystemDpiAndNoElevation) {
  HMODULE module = ::LoadLibraryExW(ProgramPath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  ASSERT_NE(module, nullptr);
  HRSRC found = ::FindResourceW(module, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24));  // RT_MANIFEST
  ASSERT_NE(found, nullptr);
  const char* text = static_cast<const char*>(::LockResource(::LoadResource(module, found)));
  std::string manifest(text, ::SizeofResource(module, found));
  EXPECT_NE(manifest.find("Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\""), std::string::npos);
  EXPECT_NE(manifest.find(">true</dpiAware>"), std::string::npos);
  EXPECT_NE(manifest.find("level=\"asInvoker\""), std::string::npos);
  EXPECT_NE(manifest.find("{35138b9a-5d96-4fbd-8e2d-a2440225f93a}"), std::string::npos);  // Windows 7
  EXPECT_NE(manifest.find("{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"), std::string::npos);  // Windows 10 and 11
  ::FreeLibrary(module);
}

}  // namespace
