// A messenger install for tests, inside the test prefix: its registry value
// where the 32-bit messenger writes it, an install folder and account folders
// with a face.xml. Everything is removed again when the object goes.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace plakato::testing {

inline std::wstring TempPath(const std::wstring& name) {
  wchar_t temp[MAX_PATH];
  ::GetTempPathW(MAX_PATH, temp);
  return std::wstring(temp) + name;
}

// Removes what is in `folder` (ending in a backslash). A link is never
// followed: its target keeps its files, and the link goes where the system
// lets it (a host link under Wine stays for its test to remove).
inline void RemoveTree(const std::wstring& folder) {
  WIN32_FIND_DATAW found;
  HANDLE search = ::FindFirstFileW((folder + L"*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return;
  do {
    std::wstring name = found.cFileName;
    if (name == L"." || name == L"..") continue;
    std::wstring path = folder + name;
    if (found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) {
      if (!::RemoveDirectoryW(path.c_str())) ::DeleteFileW(path.c_str());
      continue;
    }
    ::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      RemoveTree(path + L"\\");
      ::RemoveDirectoryW(path.c_str());
    } else {
      ::DeleteFileW(path.c_str());
    }
  } while (::FindNextFileW(search, &found));
  ::FindClose(search);
}

inline void WriteBytes(const std::wstring& path, const std::string& bytes) {
  HANDLE file = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  DWORD written = 0;
  ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  ::CloseHandle(file);
}

inline std::string ReadBytes(const std::wstring& path) {
  HANDLE file = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                              0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return {};
  std::string bytes;
  char buffer[65536];
  DWORD got = 0;
  while (::ReadFile(file, buffer, sizeof(buffer), &got, nullptr) && got > 0) bytes.append(buffer, got);
  ::CloseHandle(file);
  return bytes;
}

class FakeMessenger {
 public:
  static constexpr wchar_t kKey[] = L"Software\\Tencent\\QQ";

  explicit FakeMessenger(const std::wstring& name) : install_(TempPath(name) + L"\\") {
    ::CreateDirectoryW(install_.c_str(), nullptr);
    RemoveTree(install_);
    SetInstallValue(install_);
  }
  ~FakeMessenger() {
    for (REGSAM view : {KEY_WOW64_32KEY, KEY_WOW64_64KEY}) ::RegDeleteKeyExW(HKEY_LOCAL_MACHINE, kKey, view, 0);
    RemoveTree(install_);
    ::RemoveDirectoryW(install_.c_str());
  }
  FakeMessenger(const FakeMessenger&) = delete;
  FakeMessenger& operator=(const FakeMessenger&) = delete;

  static void SetValue(DWORD type, const void* data, DWORD size, REGSAM view = KEY_WOW64_32KEY) {
    HKEY key = nullptr;
    if (::RegCreateKeyExW(HKEY_LOCAL_MACHINE, kKey, 0, nullptr, 0, KEY_SET_VALUE | view, nullptr, &key, nullptr) !=
        ERROR_SUCCESS) {
      return;
    }
    ::RegSetValueExW(key, L"Install", 0, type, static_cast<const BYTE*>(data), size);
    ::RegCloseKey(key);
  }
  static void SetInstallValue(const std::wstring& text, DWORD type = REG_SZ, REGSAM view = KEY_WOW64_32KEY) {
    SetValue(type, text.c_str(), static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)), view);
  }
  static void RemoveInstallValue() {
    for (REGSAM view : {KEY_WOW64_32KEY, KEY_WOW64_64KEY}) ::RegDeleteKeyExW(HKEY_LOCAL_MACHINE, kKey, view, 0);
  }

  // The account's CustomFace folder (with a trailing backslash), holding the
  // panel folder and face.xml with the given bytes.
  std::wstring AddAccount(const std::wstring& number, const std::string& index) {
    std::wstring face = install_ + number + L"\\CustomFace\\";
    ::CreateDirectoryW((install_ + number).c_str(), nullptr);
    ::CreateDirectoryW(face.c_str(), nullptr);
    ::CreateDirectoryW((face + L"panel").c_str(), nullptr);
    WriteBytes(face + L"face.xml", index);
    return face;
  }
  const std::wstring& install() const { return install_; }

 private:
  std::wstring install_;
};

// A face.xml as the messenger writes it: GBK text, no declaration, the
// FACESETTING root, the default group, the panel group with one entry and a
// named group with a Chinese name (bytes of code page 936), CR LF breaks.
inline std::string RealisticFaceIndex() {
  const char* lines[] = {
      "<FACESETTING>",
      "\t<CUSTOMFACE version=\"1002\" count=\"1\">",
      "\t\t<FACE id=\"5B1C2F3A4D5E6F708192A3B4C5D6E7F8\" shortcut=\"hi\" tip=\"hi\" multiframe=\"0\" FileIndex=\"0\">",
      "\t\t\t<FILE ORG>5B1C2F3A4D5E6F708192A3B4C5D6E7F8.JPG</FILE ORG>",
      "\t\t\t<FILE FIXED>5B1C2F3A4D5E6F708192A3B4C5D6E7F8fixed.bmp</FILE FIXED>",
      "\t\t</FACE>",
      "\t</CUSTOMFACE>",
      "\t<CUSTOMFACEGROUP version=\"1002\" name=\"panel\" count=\"1\">",
      "\t\t<FACE id=\"0A0B0C0D0E0F10111213141516171819\" shortcut=\"\xBE\xC9\" tip=\"\xBE\xC9\" multiframe=\"0\">",
      "\t\t\t<FILE ORG>0A0B0C0D0E0F10111213141516171819.JPG</FILE ORG>",
      "\t\t\t<FILE FIXED>0A0B0C0D0E0F10111213141516171819fixed.bmp</FILE FIXED>",
      "\t\t</FACE>",
      "\t</CUSTOMFACEGROUP>",
      "\t<CUSTOMFACEGROUP version=\"1002\" name=\"\xCE\xD2\xB5\xC4\xCA\xD5\xB2\xD8\" count=\"0\">",
      "\t</CUSTOMFACEGROUP>",
      "</FACESETTING>",
  };
  std::string text;
  for (const char* line : lines) text += std::string(line) + "\r\n";
  return text;
}

// The index's lines, split at CR LF.
inline std::vector<std::string> IndexLines(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find("\r\n", start);
    if (end == std::string::npos) end = text.size();
    lines.push_back(text.substr(start, end - start));
    start = end + 2;
  }
  return lines;
}

// Whether every opening tag has its closing tag in order; "FILE ORG" and
// "FILE FIXED" count as names, self-closing tags stand alone.
inline bool TagsBalanced(const std::string& text) {
  std::vector<std::string> open;
  for (size_t i = text.find('<'); i != std::string::npos; i = text.find('<', i + 1)) {
    size_t end = text.find('>', i);
    if (end == std::string::npos) return false;
    std::string tag = text.substr(i + 1, end - i - 1);
    if (tag.empty() || tag[0] == '?' || tag[0] == '!' || tag.back() == '/') continue;
    bool closing = tag[0] == '/';
    if (closing) tag.erase(0, 1);
    std::string name = tag.substr(0, tag.find_first_of(" \t"));
    if (name == "FILE") name = tag.substr(0, tag.find_first_of(" \t", 5));
    if (!closing) {
      open.push_back(name);
    } else {
      if (open.empty() || open.back() != name) return false;
      open.pop_back();
    }
  }
  return open.empty();
}

}  // namespace plakato::testing
