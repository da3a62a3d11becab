// The messenger account that exports go to: the messenger's install folder
// found at start, and the folders of the account number the user gives.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace plakato {

class MessengerAccount {
 public:
  MessengerAccount() = default;
  // The messenger installed in `installDir`, with no account chosen yet.
  explicit MessengerAccount(std::wstring installDir) : installDir_(std::move(installDir)) {}
  // An account whose folders are already known.
  MessengerAccount(std::wstring panelDir, std::wstring faceIndexPath)
      : panelDir_(std::move(panelDir)), faceIndexPath_(std::move(faceIndexPath)) {}

  // Reads the install folder from the registry, trimmed; empty when the
  // messenger is not installed. Throws when the registry value is unreadable.
  void ReadInstallDir();
  bool installed() const { return !installDir_.empty(); }

  // Takes the account number as typed. When its face.xml exists (a file,
  // with a last-write time a DOS date can hold) the folders are set and the
  // answer is true; otherwise they are emptied.
  bool Choose(const std::wstring& number);
  bool chosen() const { return !faceIndexPath_.empty(); }

  const std::wstring& installDir() const { return installDir_; }
  // The account's CustomFace\panel\ folder, with its closing backslash.
  const std::wstring& panelDir() const { return panelDir_; }
  // The account's CustomFace\face.xml.
  const std::wstring& faceIndexPath() const { return faceIndexPath_; }
  // Where an export to the messenger writes its picture first.
  std::wstring TempPicturePath() const { return panelDir_ + L"tempfile.jpg"; }

 private:
  std::wstring installDir_;
  std::wstring panelDir_;
  std::wstring faceIndexPath_;
};

// The folders where exports to the accounts under `installDir` write, each
// with a trailing backslash: "CustomFace\" (face.xml) and "CustomFace\panel\"
// of every account folder that has them.
std::vector<std::wstring> AccountWriteFolders(const std::wstring& installDir);

}  // namespace plakato
