#include "export/picture_drag_win.h"

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

// The path of the picture file, written whole; nothing when it cannot be.
std::optional<std::wstring> WriteDragFile(const std::wstring& folder, const std::wstring& name,
                                          const std::vector<uint8_t>& jpeg) {
  if (folder.empty()) return std::nullopt;
  if (!::CreateDirectoryW(folder.c_str(), nullptr) && ::GetLastError() != ERROR_ALREADY_EXISTS) return std::nullopt;
  std::wstring path = folder + name;
  try {
    WriteFileReplacing(path, jpeg);
  } catch (const AppError&) {
    return std::nullopt;
  }
  return path;
}

}  // namespace

std::wstring DragFolder() {
  wchar_t temp[MAX_PATH + 1];
  DWORD length = ::GetTempPathW(MAX_PATH + 1, temp);
  if (length == 0 || length > MAX_PATH) return L"";
  std::wstring folder(temp, length);
  if (folder.back() != L'\\') folder += L'\\';
  return folder + L"Plakato\\";
}

ComPtr<IDataObject> MakePictureDataObject(PictureExport& picture, std::wstring_view signText,
                                          const std::wstring& folder) {
  std::vector<OfferedFormat> formats;
  if (std::optional<std::wstring> file = WriteDragFile(folder, DragFileName(signText), picture.Jpeg())) {
    formats.push_back({CF_HDROP, DropFilesBytes(*file)});
  }
  formats.push_back({CF_DIB, Dib24Bytes(picture.picture())});
  try {
    formats.push_back({PngClipboardFormat(), EncodePng(picture.picture())});
  } catch (const AppError&) {
    // The file and the bitmap still carry the picture.
  }
  return MakeDataObject(std::move(formats));
}

DWORD DragPictureOut(PictureExport& picture, std::wstring_view signText, const std::wstring& folder) {
  ComPtr<IDataObject> data = MakePictureDataObject(picture, signText, folder);
  ComPtr<IDropSource> source = MakeDropSource();
  DWORD effect = DROPEFFECT_NONE;
  HRESULT hr = ::DoDragDrop(data.get(), source.get(), DROPEFFECT_COPY, &effect);
  if (FAILED(hr)) throw AppError(L"Cannot drag the picture (" + HresultText(hr) + L")");
  return hr == DRAGDROP_S_DROP ? (effect & DROPEFFECT_COPY) : DROPEFFECT_NONE;
}

size_t RemoveStaleDragFiles(const std::wstring& folder, int64_t now) noexcept {
  size_t removed = 0;
  try {
    if (folder.empty()) return 0;
    WIN32_FIND_DATAW found;
    UniqueFind search = AdoptFind(::FindFirstFileW((folder + L"*").c_str(), &found));
    if (!search) return 0;
    do {
      if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) continue;
      if (!IsStaleDragFile(found.cFileName, Ticks(found.ftLastWriteTime), now)) continue;
      if (::DeleteFileW((folder + found.cFileName).c_str())) ++removed;
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
