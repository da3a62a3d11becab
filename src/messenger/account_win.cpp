#include "messenger/account_win.h"

#include <windows.h>

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

}  // namespace plakato
