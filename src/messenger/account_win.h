// The messenger account that exports go to: the messenger's install folder
// found at start, and the folders of the account number the user gives.
#pragma once

#include <string>
#include <vector>

namespace plakato {

struct MessengerAccount {
  std::wstring FQQInstallDir;
  std::wstring FPanelDir;
  std::wstring FFaceIndexPath;

  // Reads the install folder from the registry, trimmed; empty when the
  // messenger is not installed. Throws when the registry value is unreadable.
  void ReadInstallDir();
  bool installed() const { return !FQQInstallDir.empty(); }

  // Takes the account number as typed. When its face.xml exists (a file,
  // with a last-write time a DOS date can hold) the folders are set and the
  // answer is true; otherwise they are emptied.
  bool Choose(const std::wstring& number);
  bool chosen() const { return !FFaceIndexPath.empty(); }

  // Where an export to the messenger writes its picture first.
  std::wstring TempPicturePath() const { return FPanelDir + L"tempfile.jpg"; }
};

// The folders where exports to the accounts under `installDir` write, each
// with a trailing backslash: "CustomFace\" (face.xml) and "CustomFace\panel\"
// of every account folder that has them.
std::vector<std::wstring> AccountWriteFolders(const std::wstring& installDir);

}  // namespace plakato
