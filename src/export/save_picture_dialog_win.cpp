#include "export/save_picture_dialog_win.h"

#include <commdlg.h>
#include <dlgs.h>

#include <algorithm>
#include <iterator>
#include <vector>

#include "base/dialog_template_win.h"
#include "base/handles_win.h"
#include "base/window_win.h"

namespace plakato {

namespace {

constexpr WORD kFrameId = 1200;
constexpr WORD kImageId = 1201;
constexpr WORD kSizeId = 1202;
constexpr int kPreviewPixels = 128;

// The pane's hook: it shows the picture under selection. It owns the bitmap
// the pane shows, for as long as the pane shows it.
class PreviewPane : public Dialog<PreviewPane, OnError::FailSafe> {
 public:
  explicit PreviewPane(PreviewLoader loader) : loader_(loader) {}
  static PreviewPane* FromInitParam(LPARAM lParam) {
    return reinterpret_cast<PreviewPane*>(reinterpret_cast<OPENFILENAMEW*>(lParam)->lCustData);
  }
  static UINT_PTR CALLBACK HookProc(HWND pane, UINT message, WPARAM wParam, LPARAM lParam) {
    return static_cast<UINT_PTR>(Proc(pane, message, wParam, lParam));
  }
  INT_PTR HandleMessage(UINT message, WPARAM, LPARAM lParam) {
    switch (message) {
      case WM_INITDIALOG:
        return TRUE;
      case WM_NOTIFY: {
        auto* header = reinterpret_cast<NMHDR*>(lParam);
        if (header->code == CDN_SELCHANGE || header->code == CDN_INITDONE) Show();
        if (header->code == CDN_FILEOK) return CompleteName(*reinterpret_cast<OFNOTIFYW*>(lParam)->lpOFN);
        return 0;
      }
      case WM_DESTROY:
        ::SendDlgItemMessageW(hwnd(), kImageId, STM_SETIMAGE, IMAGE_BITMAP, 0);
        shown_.reset();
        return 0;
    }
    return 0;
  }

 private:
  void Show();
  INT_PTR CompleteName(const OPENFILENAMEW& chosen);

  PreviewLoader loader_;
  UniqueBitmap shown_;
};

void PreviewPane::Show() {
  wchar_t path[MAX_PATH * 4] = L"";
  HWND dialog = ::GetParent(hwnd());
  LRESULT n = ::SendMessageW(dialog, CDM_GETFILEPATH, static_cast<WPARAM>(std::size(path)),
                             reinterpret_cast<LPARAM>(path));
  SIZE size{};
  UniqueBitmap bitmap;
  DWORD attributes = n > 0 ? ::GetFileAttributesW(path) : INVALID_FILE_ATTRIBUTES;
  if (attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY) && loader_) {
    bitmap = loader_(path, kPreviewPixels, kPreviewPixels, &size);
  }
  ::SendDlgItemMessageW(hwnd(), kImageId, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap.get()));
  shown_ = std::move(bitmap);  // the one shown before goes only now that the pane lets go of it
  std::wstring text = shown_ ? std::to_wstring(size.cx) + L" x " + std::to_wstring(size.cy) : L"(无)";
  ::SetDlgItemTextW(hwnd(), kSizeId, text.c_str());
}

// Each of the dialog's types by its 1-based index.
const PictureSaveType& SaveType(DWORD filterIndex) {
  const DWORD count = static_cast<DWORD>(std::size(kPictureSaveTypes));
  return kPictureSaveTypes[filterIndex >= 1 && filterIndex <= count ? filterIndex - 1 : 0];
}

PictureFileFormat TypeFormat(DWORD filterIndex) { return SaveType(filterIndex).format; }

// "name\0pattern\0" for each type, and the list's closing "\0".
std::wstring SaveTypeFilter() {
  std::wstring filter;
  for (const PictureSaveType& type : kPictureSaveTypes) {
    filter.append(type.name).push_back(L'\0');
    filter.append(type.pattern).push_back(L'\0');
  }
  filter.push_back(L'\0');
  return filter;
}

// A name the chosen type must complete goes back into the dialog's name box,
// and Save is pressed again: the dialog then checks the completed name, and
// asks before replacing its file, as for any name.
INT_PTR PreviewPane::CompleteName(const OPENFILENAMEW& chosen) {
  std::wstring typed = chosen.lpstrFile ? chosen.lpstrFile : L"";
  PictureFileTarget target = ChooseSaveTarget(typed, TypeFormat(chosen.nFilterIndex));
  if (target.path == typed) return 0;
  HWND dialog = ::GetParent(hwnd());
  for (int box : {cmb13, edt1}) {
    ::SendMessageW(dialog, CDM_SETCONTROLTEXT, box, reinterpret_cast<LPARAM>(target.path.c_str()));
  }
  ::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
  ::SetWindowLongPtrW(hwnd(), DWLP_MSGRESULT, 1);  // not this name
  return TRUE;
}

}  // namespace

std::optional<SavePictureAnswer> RunSavePictureDialog(HWND owner, const std::wstring& initialName,
                                                      PreviewLoader loader) {
  // The standard controls take the place of stc32; the pane stands to its right.
  DialogTemplate pane(DS_CONTROL | DS_3DLOOK | WS_CHILD | WS_CLIPSIBLINGS, 4, 100, 110, L"");
  pane.Item(SS_LEFT, 0, 0, 10, 110, stc32, 0x0082, L"");
  pane.Item(SS_ETCHEDFRAME, 16, 8, 80, 80, kFrameId, 0x0082, L"");
  pane.Item(SS_BITMAP | SS_CENTERIMAGE | SS_REALSIZECONTROL, 17, 9, 78, 78, kImageId, 0x0082, L"");
  pane.Item(SS_CENTER | SS_NOPREFIX, 16, 92, 80, 10, kSizeId, 0x0082, L"");

  std::vector<wchar_t> file(32768, L'\0');
  initialName.copy(file.data(), std::min(initialName.size(), file.size() - 1));
  PreviewPane preview(loader);
  OPENFILENAMEW ofn{};
  ofn.lStructSize = sizeof(ofn);
  ofn.hwndOwner = owner;
  ofn.hInstance = reinterpret_cast<HINSTANCE>(const_cast<DLGTEMPLATE*>(pane.get()));
  const std::wstring filter = SaveTypeFilter();
  ofn.lpstrFilter = filter.c_str();
  ofn.nFilterIndex = 1;
  ofn.lpstrFile = file.data();
  ofn.nMaxFile = static_cast<DWORD>(file.size());
  // A name typed without extension gets the one of the type chosen.
  ofn.lpstrDefExt = L"jpg";
  ofn.Flags = OFN_EXPLORER | OFN_ENABLEHOOK | OFN_ENABLETEMPLATEHANDLE | OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY |
              OFN_ENABLESIZING;
  ofn.lpfnHook = &PreviewPane::HookProc;
  ofn.lCustData = reinterpret_cast<LPARAM>(&preview);
  if (!::GetSaveFileNameW(&ofn)) return std::nullopt;
  const PictureSaveType& type = SaveType(ofn.nFilterIndex);
  return SavePictureAnswer(std::wstring(file.data()), type.kind, type.format);
}

}  // namespace plakato
