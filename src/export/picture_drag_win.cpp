#include "export/picture_drag_win.h"

#include <algorithm>
#include <cstring>
#include <cwchar>
#include <exception>
#include <optional>
#include <utility>
#include <vector>

#include "base/error.h"
#include "base/files_win.h"
#include "base/handles_win.h"
#include "export/dib_bytes.h"
#include "export/drag_file_name.h"
#include "export/picture_data_object_win.h"
#include "export/png_codec_win.h"

namespace plakato {
namespace {

int64_t Ticks(const FILETIME& time) {
  return static_cast<int64_t>((static_cast<uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime);
}

// The status bar's words for a drag that offers no file.
std::wstring NoFileText(const std::wstring& problem) { return problem + L"，这次拖出的只有图像，没有文件"; }

std::wstring CannotWriteText(const std::wstring& path, DWORD error) {
  return NoFileText(L"无法写入" + path + L"（" + SystemErrorText(error) + L"）");
}

// Whether the file at `path` holds exactly `bytes`; false when it cannot be read.
bool HoldsBytes(const std::wstring& path, const std::vector<uint8_t>& bytes) {
  try {
    std::optional<std::string> held =
        ReadFileUpTo(path, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, bytes.size());
    return held && held->size() == bytes.size() && std::memcmp(held->data(), bytes.data(), bytes.size()) == 0;
  } catch (const AppError&) {
    return false;
  }
}

// A reused file starts its day in the folder anew, as a new one would.
void Touch(const std::wstring& path) {
  UniqueFile file = AdoptFile(::CreateFileW(path.c_str(), FILE_WRITE_ATTRIBUTES,
                                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  FILETIME now;
  ::GetSystemTimeAsFileTime(&now);
  if (file) ::SetFileTime(file.get(), nullptr, nullptr, &now);
}

// A numbered folder of the drag folder ("1" to "99").
bool IsDragSubfolderName(std::wstring_view name) {
  return !name.empty() && name.size() <= 2 && name[0] != L'0' &&
         std::all_of(name.begin(), name.end(), [](wchar_t c) { return c >= L'0' && c <= L'9'; });
}

// The stale picture and temporary files directly in `folder`, which the
// caller holds (HoldFolderForCleaning). Links are never followed nor removed.
size_t RemoveStaleFilesIn(const std::wstring& folder, int64_t now) {
  size_t removed = RemoveStaleTemporaryFiles(folder, now);
  WIN32_FIND_DATAW found;
  UniqueFind search = AdoptFind(::FindFirstFileW((folder + L"*").c_str(), &found));
  if (!search) return removed;
  do {
    if ((found.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) != 0) continue;
    const std::wstring name = found.cFileName;
    auto stale = [&](int64_t written) { return IsStaleDragFile(name, written, now); };
    if (RemoveEntryIfStale(folder + name, false, stale)) ++removed;
  } while (::FindNextFileW(search.get(), &found));
  return removed;
}

}  // namespace

DragFile WriteDragFile(const std::wstring& folder, const std::wstring& name, const std::vector<uint8_t>& bytes) {
  if (folder.empty()) return {std::nullopt, NoFileText(L"系统没有临时文件夹")};
  for (int k = 0; k < kDragFolderCount; ++k) {
    std::wstring place = k == 0 ? folder : folder + std::to_wstring(k) + L"\\";
    if (!::CreateDirectoryW(place.c_str(), nullptr) && ::GetLastError() != ERROR_ALREADY_EXISTS) {
      return {std::nullopt, CannotWriteText(place, ::GetLastError())};
    }
    std::wstring path = place + name;
    DWORD error = WriteNewFile(path, bytes);
    if (error == ERROR_SUCCESS) return {path, {}};
    if (error != ERROR_ALREADY_EXISTS) return {std::nullopt, CannotWriteText(path, error)};
    if (HoldsBytes(path, bytes)) {
      Touch(path);
      return {path, {}};
    }
  }
  return {std::nullopt, NoFileText(L"名为" + name + L"的文件都已被占用")};
}

std::wstring DragFolder() {
  wchar_t temp[MAX_PATH + 1];
  DWORD length = ::GetTempPathW(MAX_PATH + 1, temp);
  if (length == 0 || length > MAX_PATH) return L"";
  std::wstring folder(temp, length);
  if (folder.back() != L'\\') folder += L'\\';
  return folder + L"Plakato\\";
}

ComPtr<IDataObject> MakePictureDataObject(PictureExport& picture, std::wstring_view signText,
                                          const std::wstring& folder, std::wstring* whyNoFile) {
  return MakePictureDataObject({picture.picture(), DragFileName(signText), picture.Jpeg()}, folder, whyNoFile);
}

ComPtr<IDataObject> MakePictureDataObject(const DragOffer& offer, const std::wstring& folder,
                                          std::wstring* whyNoFile) {
  std::vector<OfferedFormat> formats;
  DragFile file = WriteDragFile(folder, offer.fileName, offer.fileBytes);
  if (file.path) formats.push_back({CF_HDROP, DropFilesBytes(*file.path)});
  if (whyNoFile) *whyNoFile = file.whyNone;
  formats.push_back({CF_DIB, Dib24Bytes(offer.picture)});
  try {
    formats.push_back({PngClipboardFormat(), EncodePng(offer.picture)});
  } catch (const AppError&) {
    // The file and the bitmap still carry the picture.
  }
  return MakeDataObject(std::move(formats));
}

DWORD DragPictureOut(const DragOffer& offer, const std::wstring& folder,
                     const std::function<void(const std::wstring&)>& noFile) {
  std::wstring whyNoFile;
  ComPtr<IDataObject> data = MakePictureDataObject(offer, folder, &whyNoFile);
  if (!whyNoFile.empty() && noFile) noFile(whyNoFile);
  ComPtr<IDropSource> source = MakeDropSource();
  DWORD effect = DROPEFFECT_NONE;
  HRESULT hr = ::DoDragDrop(data.get(), source.get(), DROPEFFECT_COPY, &effect);
  if (FAILED(hr)) throw AppError(L"无法拖出图片（" + HresultText(hr) + L"）");
  return hr == DRAGDROP_S_DROP ? (effect & DROPEFFECT_COPY) : DROPEFFECT_NONE;
}

size_t RemoveStaleDragFiles(const std::wstring& folder, int64_t now) noexcept {
  size_t removed = 0;
  try {
    if (folder.empty()) return 0;
    // A drag folder that is a link leads somewhere the program never wrote.
    UniqueFile held = HoldFolderForCleaning(folder);
    if (!held) return 0;
    removed += RemoveStaleFilesIn(folder, now);
    // The numbered folders of drags whose name was taken: their stale files,
    // then the folder itself when nothing has changed in it for as long and
    // nothing is left in it (an emptied folder only can go).
    WIN32_FIND_DATAW found;
    UniqueFind search = AdoptFind(::FindFirstFileW((folder + L"*").c_str(), &found));
    if (!search) return removed;
    do {
      if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0 ||
          (found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0 || !IsDragSubfolderName(found.cFileName)) {
        continue;
      }
      std::wstring subfolder = folder + found.cFileName + L"\\";
      {
        UniqueFile heldSubfolder = HoldFolderForCleaning(subfolder);
        if (!heldSubfolder) continue;
        removed += RemoveStaleFilesIn(subfolder, now);
      }
      // Its time from before the cleaning, which changes it.
      const int64_t changed = Ticks(found.ftLastWriteTime);
      RemoveEntryIfStale(subfolder.substr(0, subfolder.size() - 1), true,
                         [&](int64_t) { return changed < now && now - changed > kDragFileLifetime; });
    } while (::FindNextFileW(search.get(), &found));
  } catch (...) {
    // Out of memory for a path: the rest waits for the next start.
  }
  return removed;
}

size_t RemoveStaleDragFiles(const std::wstring& folder) noexcept {
  FILETIME now;
  ::GetSystemTimeAsFileTime(&now);
  return RemoveStaleDragFiles(folder, Ticks(now));
}

}  // namespace plakato
