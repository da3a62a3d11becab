#include "export/save_picture_dialog_win.h"

#include <commdlg.h>
#include <dlgs.h>

#include <algorithm>
#include <iterator>
#include <vector>

#include "base/dialog_template_win.h"

namespace plakato {

namespace {

constexpr WORD kFrameId = 1200;
constexpr WORD kImageId = 1201;
constexpr WORD kSizeId = 1202;
constexpr int kPreviewPixels = 128;
constexpr wchar_t kStateProp[] = L"PlakatoPreview";

struct PreviewState {
  PreviewLoader loader;
  HBITMAP shown = nullptr;
};

void ShowPreview(HWND pane, PreviewState& state) {
  wchar_t path[MAX_PATH * 4] = L"";
  HWND dialog = ::GetParent(pane);
  LRESULT n = ::SendMessageW(dialog, CDM_GETFILEPATH, static_cast<WPARAM>(std::size(path)),
                             reinterpret_cast<LPARAM>(path));
  SIZE size{};
  HBITMAP bitmap = nullptr;
  DWORD attributes = n > 0 ? ::GetFileAttributesW(path) : INVALID_FILE_ATTRIBUTES;
  if (attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY) && state.loader) {
    bitmap = state.loader(path, kPreviewPixels, kPreviewPixels, &size);
  }
  ::SendDlgItemMessageW(pane, kImageId, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap));
  if (state.shown) ::DeleteObject(state.shown);
  state.shown = bitmap;
  std::wstring text = bitmap ? std::to_wstring(size.cx) + L" x " + std::to_wstring(size.cy) : L"(无)";
  ::SetDlgItemTextW(pane, kSizeId, text.c_str());
}

UINT_PTR CALLBACK PreviewHook(HWND pane, UINT message, WPARAM, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG: {
      auto* ofn = reinterpret_cast<OPENFILENAMEW*>(lParam);
      ::SetPropW(pane, kStateProp, reinterpret_cast<HANDLE>(ofn->lCustData));
      return TRUE;
    }
    case WM_NOTIFY: {
      auto* header = reinterpret_cast<NMHDR*>(lParam);
      auto* state = static_cast<PreviewState*>(::GetPropW(pane, kStateProp));
      if (state && (header->code == CDN_SELCHANGE || header->code == CDN_INITDONE)) ShowPreview(pane, *state);
      return 0;
    }
    case WM_DESTROY: {
      auto* state = static_cast<PreviewState*>(::RemovePropW(pane, kStateProp));
      if (state && state->shown) {
        ::DeleteObject(state->shown);
        state->shown = nullptr;
      }
      return 0;
    }
  }
  return 0;
}

}  // namespace

std::optional<std::wstring> RunSavePictureDialog(HWND owner, const std::wstring& initialName,
                                                 PreviewLoader loader) {
  // The standard controls take the place of stc32; the pane stands to its right.
  DialogTemplate pane(DS_CONTROL | DS_3DLOOK | WS_CHILD | WS_CLIPSIBLINGS, 4, 100, 110, L"");
  pane.Item(SS_LEFT, 0, 0, 10, 110, stc32, 0x0082, L"");
  pane.Item(SS_ETCHEDFRAME, 16, 8, 80, 80, kFrameId, 0x0082, L"");
  pane.Item(SS_BITMAP | SS_CENTERIMAGE | SS_REALSIZECONTROL, 17, 9, 78, 78, kImageId, 0x0082, L"");
  pane.Item(SS_CENTER | SS_NOPREFIX, 16, 92, 80, 10, kSizeId, 0x0082, L"");

  std::vector<wchar_t> file(32768, L'\0');
  initialName.copy(file.data(), std::min(initialName.size(), file.size() - 1));
  PreviewState state{loader};
  OPENFILENAMEW ofn{};
  ofn.lStructSize = sizeof(ofn);
  ofn.hwndOwner = owner;
  ofn.hInstance = reinterpret_cast<HINSTANCE>(const_cast<DLGTEMPLATE*>(pane.get()));
  ofn.lpstrFilter = L"JPEG Image File (*.jpg)\0*.jpg\0";
  ofn.nFilterIndex = 1;
  ofn.lpstrFile = file.data();
  ofn.nMaxFile = static_cast<DWORD>(file.size());
  ofn.lpstrDefExt = L"jpg";
  ofn.Flags = OFN_EXPLORER | OFN_ENABLEHOOK | OFN_ENABLETEMPLATEHANDLE | OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY |
              OFN_ENABLESIZING;
  ofn.lpfnHook = PreviewHook;
  ofn.lCustData = reinterpret_cast<LPARAM>(&state);
  if (!::GetSaveFileNameW(&ofn)) return std::nullopt;
  return std::wstring(file.data());
}

}  // namespace plakato
