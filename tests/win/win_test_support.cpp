#include "win_test_support.h"

#include <commctrl.h>
#include <dlgs.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <initializer_list>

#include <gtest/gtest.h>

#include "fake_messenger.h"
#include "scene/scene_surface_win.h"

namespace plakato {

PixelCanvas Capture(HDC source, int x, int y, int width, int height) {
  return ReadDcPixels(source, width, height, x, y);
}

int ArtMismatches(const PixelCanvas& shown, int x, int y, const ImageList& art, int index, int fromColumn,
                  int toColumn) {
  int wrong = 0;
  for (int row = 0; row < art.Height(); ++row) {
    for (int col = fromColumn; col < toColumn; ++col) {
      if (!art.Opaque(index, col, row)) continue;
      if (!shown.Contains(x + col, y + row) || shown.At(x + col, y + row) != art.Colour(index, col, row)) ++wrong;
    }
  }
  return wrong;
}

PixelCanvas ToolBarImage(HWND toolBar, int index) {
  auto list = reinterpret_cast<HIMAGELIST>(::SendMessageW(toolBar, TB_GETIMAGELIST, 0, 0));
  int width = 0, height = 0;
  if (!list || !::ImageList_GetIconSize(list, &width, &height)) return {};
  WindowDc screen(nullptr);
  UniqueDc dc(::CreateCompatibleDC(screen.get()));
  UniqueBitmap bitmap(::CreateCompatibleBitmap(screen.get(), width, height));
  SelectGuard select(dc.get(), bitmap.get());
  RECT all{0, 0, width, height};
  ::FillRect(dc.get(), &all, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
  ::ImageList_Draw(list, index, dc.get(), 0, 0, ILD_NORMAL);
  return Capture(dc.get(), 0, 0, width, height);
}

int ScriptedUi::ShowMessageBox(HWND, const std::wstring& text, const std::wstring& caption, UINT flags) {
  boxes.push_back({text, caption, flags});
  return IDOK;
}

std::optional<FontDialogAnswer> ScriptedUi::ChooseFont(HWND, const FontChoice& current) {
  fontShown.push_back(current);
  return fontAnswer ? fontAnswer(current) : std::nullopt;
}

bool ScriptedUi::ChooseColour(HWND, ColourChoice& choice) {
  colourShown.push_back(choice);
  return colourAnswer ? colourAnswer(choice) : false;
}

std::wstring ScriptedUi::InputBox(HWND, const std::wstring& caption, const std::wstring& prompt,
                                  const std::wstring& preset) {
  inputPrompts.push_back(caption + L"|" + prompt + L"|" + preset);
  if (inputAnswers.empty()) return preset;
  std::wstring answer = inputAnswers.front();
  inputAnswers.erase(inputAnswers.begin());
  return answer;
}

std::optional<SavePictureAnswer> ScriptedUi::SavePicture(HWND, const std::wstring& initialName) {
  saveOffered.push_back(initialName);
  if (saveAnswers.empty()) return std::nullopt;
  std::optional<SavePictureAnswer> answer = saveAnswers.front();
  saveAnswers.erase(saveAnswers.begin());
  return answer;
}

MainWindowOptions ScriptedWindowOptions(ScriptedUi& ui) {
  MainWindowOptions options;
  options.ui = &ui;
  options.quitOnClose = false;
  return options;
}

std::wstring StatusText(HWND statusBar) {
  wchar_t text[1024] = L"";
  ::SendMessageW(statusBar, SB_GETTEXTW, 0, reinterpret_cast<LPARAM>(text));
  return text;
}

std::wstring FreshFolder(const std::wstring& name) {
  std::wstring folder = testing::TempPath(name) + L"\\";
  ::CreateDirectoryW(folder.c_str(), nullptr);
  testing::RemoveTree(folder);
  // A host link a failed test left behind, which Wine cannot remove itself.
  for (const std::wstring& entry : FolderNames(folder)) {
    DWORD attributes = ::GetFileAttributesW((folder + entry).c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
      RemoveHostLink(folder + entry);
    }
  }
  return folder;
}

std::string FileBytes(const std::wstring& path) { return testing::ReadBytes(path); }

bool FileExists(const std::wstring& path) {
  DWORD attributes = ::GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

namespace {

// Every window test uses the common controls; they are registered once.
class CommonControls : public ::testing::Environment {
 public:
  void SetUp() override {
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_WIN95_CLASSES | ICC_COOL_CLASSES | ICC_PAGESCROLLER_CLASS};
    ::InitCommonControlsEx(&icc);
  }
};

[[maybe_unused]] ::testing::Environment* const kCommonControls =
    ::testing::AddGlobalTestEnvironment(new CommonControls);

}  // namespace

void Pump() {
  MSG msg;
  while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
  }
}

HWND VisibleThreadWindow(const std::wstring& className, LONG style) {
  struct Search {
    const std::wstring& className;
    LONG style;
    HWND found = nullptr;
  } search{className, style};
  ::EnumThreadWindows(
      ::GetCurrentThreadId(),
      [](HWND window, LPARAM param) -> BOOL {
        auto* s = reinterpret_cast<Search*>(param);
        wchar_t cls[64] = L"";
        ::GetClassNameW(window, cls, 64);
        if (_wcsicmp(cls, s->className.c_str()) == 0 && ::IsWindowVisible(window) &&
            (::GetWindowLongW(window, GWL_STYLE) & s->style) == s->style) {
          s->found = window;
          return FALSE;
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

std::set<std::wstring> FolderNames(const std::wstring& folder) {
  std::set<std::wstring> names;
  WIN32_FIND_DATAW found;
  HANDLE search = ::FindFirstFileW((folder + L"*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    std::wstring name = found.cFileName;
    if (name != L"." && name != L"..") names.insert(name);
  } while (::FindNextFileW(search, &found));
  ::FindClose(search);
  return names;
}

void SetWriteTime(const std::wstring& path, int64_t ticks) {
  HANDLE file = ::CreateFileW(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  FILETIME time{static_cast<DWORD>(ticks), static_cast<DWORD>(static_cast<uint64_t>(ticks) >> 32)};
  EXPECT_TRUE(::SetFileTime(file, nullptr, nullptr, &time));
  ::CloseHandle(file);
}

namespace {

struct FontDialogRun {
  FontDialogUser* user = nullptr;
  HWND dialog = nullptr;
  size_t typed = 0;
  int ticks = 0;
};
FontDialogRun* fontRun = nullptr;

// The box a dialog put up over itself, or null.
HWND BoxOver(HWND dialog) {
  HWND popup = ::GetLastActivePopup(dialog);
  return popup != dialog && ::IsWindowVisible(popup) ? popup : nullptr;
}

void CALLBACK AnswerFontDialog(HWND, UINT, UINT_PTR, DWORD) {
  FontDialogRun& run = *fontRun;
  if (++run.ticks > 400) {  // 20 s: give up rather than hang
    if (HWND box = BoxOver(run.dialog)) ::PostMessageW(box, WM_COMMAND, IDOK, 0);
    if (run.dialog) ::PostMessageW(run.dialog, WM_COMMAND, IDCANCEL, 0);
    return;
  }
  if (!run.dialog) {
    run.dialog = VisibleThreadWindow(L"#32770");
    if (!run.dialog) return;
    wchar_t text[32] = L"";
    ::GetDlgItemTextW(run.dialog, cmb3, text, 32);
    run.user->shown = text;
  }
  if (!::IsWindow(run.dialog)) return;
  if (HWND box = BoxOver(run.dialog)) {
    ++run.user->refusals;
    ::PostMessageW(box, WM_COMMAND, IDOK, 0);
    return;
  }
  if (run.typed == run.user->sizes.size()) return;
  HWND sizeBox = ::GetDlgItem(run.dialog, cmb3);
  ::SendMessageW(sizeBox, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
  ::SetWindowTextW(sizeBox, run.user->sizes[run.typed++].c_str());
  ::PostMessageW(run.dialog, WM_COMMAND, IDOK, 0);
}

}  // namespace

std::optional<FontDialogAnswer> FontDialogUser::Run(HWND owner, const FontChoice& current) {
  FontDialogRun run;
  run.user = this;
  fontRun = &run;
  UINT_PTR timer = ::SetTimer(nullptr, 0, 50, AnswerFontDialog);
  std::optional<FontDialogAnswer> answer = RunFontDialog(owner, current);
  ::KillTimer(nullptr, timer);
  fontRun = nullptr;
  return answer;
}

namespace {

// Starts the host's `command` on the host paths of `paths` (Wine only; it
// gives no handle to wait on), then waits until `done()` or 10 s have passed.
bool RunOnHostPaths(const std::wstring& command, std::initializer_list<std::wstring> paths,
                    const std::function<bool()>& done) {
  using UnixFileName = char*(CDECL*)(const wchar_t*);
  auto unixFileName = reinterpret_cast<UnixFileName>(
      reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
  std::wstring line = command;
  for (const std::wstring& path : paths) {
    char* name = unixFileName ? unixFileName(path.c_str()) : nullptr;
    if (!name) return false;
    line += L" \"" + std::wstring(name, name + std::strlen(name)) + L"\"";  // the test paths are ASCII
    ::HeapFree(::GetProcessHeap(), 0, name);
  }
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!::CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
    return false;
  }
  for (int wait = 0; wait < 200 && !done(); ++wait) ::Sleep(50);
  return done();
}

}  // namespace

bool MakeHostLink(const std::wstring& target, const std::wstring& link) {
  return RunOnHostPaths(L"/bin/ln -sfn", {target, link}, [&] {
    DWORD attributes = ::GetFileAttributesW(link.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
  });
}

void RemoveHostLink(const std::wstring& link) {
  RunOnHostPaths(L"/bin/rm -f", {link}, [&] { return ::GetFileAttributesW(link.c_str()) == INVALID_FILE_ATTRIBUTES; });
}

namespace {

std::vector<std::wstring> shownMenuItems;

std::wstring MenuItemText(HMENU menu, int position) {
  MENUITEMINFOW item{};
  item.cbSize = sizeof item;
  item.fMask = MIIM_STATE | MIIM_FTYPE | MIIM_STRING;
  wchar_t text[64] = {};
  item.dwTypeData = text;
  item.cch = 64;
  ::GetMenuItemInfoW(menu, position, TRUE, &item);
  if (item.fType & MFT_SEPARATOR) return L"";
  const bool radio = (item.fType & MFT_RADIOCHECK) != 0 && (item.fState & MFS_CHECKED) != 0;
  return (radio ? L"*" : L"") + std::wstring(text);
}

void CALLBACK ReadShownMenu(HWND, UINT, UINT_PTR timer, DWORD) {
  HWND menuWindow = ::FindWindowW(L"#32768", nullptr);
  if (!menuWindow) return;
  ::KillTimer(nullptr, timer);
  auto menu = reinterpret_cast<HMENU>(::SendMessageW(menuWindow, MN_GETHMENU, 0, 0));
  for (int i = 0; menu && i < ::GetMenuItemCount(menu); ++i) {
    shownMenuItems.push_back(MenuItemText(menu, i));
    HMENU sub = ::GetSubMenu(menu, i);
    for (int k = 0; sub && k < ::GetMenuItemCount(sub); ++k) {
      if (std::wstring text = MenuItemText(sub, k); !text.empty()) shownMenuItems.push_back(L"  " + text);
    }
  }
  ::EndMenu();
}

}  // namespace

std::vector<std::wstring> PlacardMenuItems(HWND image) {
  shownMenuItems.clear();
  UINT_PTR timer = ::SetTimer(nullptr, 0, 50, &ReadShownMenu);
  // A right click on the placard, as the mouse gives it.
  ::SendMessageW(image, WM_RBUTTONUP, 0, MAKELPARAM(40, 30));
  ::KillTimer(nullptr, timer);
  return shownMenuItems;
}

}  // namespace plakato
