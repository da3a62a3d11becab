#include "messenger/account_win.h"

#include <windows.h>

#include "base/handles_win.h"
#include "base/text.h"
#include "messenger/registry_win.h"

namespace plakato {

namespace {

// Whether the path names an existing file with a last-write time that a
// DOS date can hold (1980 to 2107); a folder of that name does not count.
bool FileWithDosTimeExists(const std::wstring& path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!::GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return false;
  if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return false;
  FILETIME local{};
  WORD date = 0;
  WORD time = 0;
  return ::FileTimeToLocalFileTime(&data.ftLastWriteTime, &local) && ::FileTimeToDosDateTime(&local, &date, &time);
}

}  // namespace

void MessengerAccount::ReadInstallDir() {
  installDir_ = Trim(ReadMachineString(L"Software\\Tencent\\QQ", L"Install"));
}

bool MessengerAccount::Choose(const std::wstring& number) {
  // The number goes into the paths as typed; only the file test judges it.
  panelDir_ = installDir_ + number + L"\\CustomFace\\panel\\";
  faceIndexPath_ = installDir_ + number + L"\\CustomFace\\face.xml";
  if (FileWithDosTimeExists(faceIndexPath_)) return true;
  panelDir_.clear();
  faceIndexPath_.clear();
  return false;
}

std::vector<std::wstring> AccountWriteFolders(const std::wstring& installDir) {
  std::vector<std::wstring> folders;
  if (installDir.empty()) return folders;
  // An account's folder is the install folder's text followed by the
  // number, so the search runs on that text as a pattern.
  std::wstring pattern = installDir + L"*";
  std::wstring parent = pattern.substr(0, pattern.find_last_of(L"\\/") + 1);
  WIN32_FIND_DATAW found;
  UniqueFind search = AdoptFind(::FindFirstFileW(pattern.c_str(), &found));
  if (!search) return folders;
  do {
    std::wstring name = found.cFileName;
    if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0 || name == L"." || name == L"..") continue;
    std::wstring customFace = parent + name + L"\\CustomFace\\";
    for (std::wstring folder : {customFace, customFace + L"panel\\"}) {
      DWORD attributes = ::GetFileAttributesW(folder.c_str());
      if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) folders.push_back(folder);
    }
  } while (::FindNextFileW(search.get(), &found));
  return folders;
}

}  // namespace plakato
