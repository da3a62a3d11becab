// Helpers shared by the in-process window tests.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "app/main_window_win.h"
#include "app/ui_host_win.h"

#include "scene/pixels.h"

namespace plakato {

// Copies what a DC shows into 0x00BBGGRR pixels.
PixelCanvas Capture(HDC source, int x, int y, int width, int height);

// How many opaque pixels of image `index` of `art`, in its columns fromColumn
// to toColumn - 1, `shown` does not have in their colour with the image's
// top-left corner at (x, y).
int ArtMismatches(const PixelCanvas& shown, int x, int y, const ImageList& art, int index, int fromColumn,
                  int toColumn);
// Image `index` of a tool bar's image list as the list draws it, on white.
PixelCanvas ToolBarImage(HWND toolBar, int index);

struct RecordedBox {
  std::wstring text;
  std::wstring caption;
  UINT flags;
};

// Answers the window's boxes and dialogs without a screen: message boxes are
// recorded and answered OK; the dialogs give what the test scripted
// (Cancel when nothing is scripted).
class ScriptedUi : public UiHost {
 public:
  int ShowMessageBox(HWND, const std::wstring& text, const std::wstring& caption, UINT flags) override;
  std::optional<FontDialogAnswer> ChooseFont(HWND, const FontChoice& current) override;
  bool ChooseColour(HWND, ColourChoice& choice) override;
  std::wstring InputBox(HWND, const std::wstring& caption, const std::wstring& prompt,
                        const std::wstring& preset) override;
  std::optional<SavePictureAnswer> SavePicture(HWND, const std::wstring& initialName) override;

  std::vector<RecordedBox> boxes;
  std::function<std::optional<FontDialogAnswer>(const FontChoice&)> fontAnswer;
  std::function<bool(ColourChoice&)> colourAnswer;
  std::vector<std::wstring> inputAnswers;  // one per input box, in order
  std::vector<FontChoice> fontShown;
  std::vector<ColourChoice> colourShown;
  std::vector<std::wstring> inputPrompts;  // caption + "|" + prompt + "|" + preset
  std::vector<std::optional<SavePictureAnswer>> saveAnswers;  // one per save dialog; Cancel when none left
  std::vector<std::wstring> saveOffered;                 // the initial name each save dialog got
};

// Options for a window under test: its boxes answered by `ui`, and no
// WM_QUIT when it closes.
MainWindowOptions ScriptedWindowOptions(ScriptedUi& ui);

// The text of a status bar's first part.
std::wstring StatusText(HWND statusBar);

// A fresh empty folder under the temporary folder, with a trailing backslash.
std::wstring FreshFolder(const std::wstring& name);

// The whole content of a file; empty when it cannot be read.
std::string FileBytes(const std::wstring& path);
bool FileExists(const std::wstring& path);

// The first visible window of this thread whose class is `className` (in any
// case) and whose style has every bit of `style`; null when there is none.
HWND VisibleThreadWindow(const std::wstring& className, LONG style = 0);

// Runs the messages waiting in this thread's queue.
void Pump();

// The names in a folder (ending in a backslash), without "." and "..".
std::set<std::wstring> FolderNames(const std::wstring& folder);
// Sets a file's or folder's last-write time, in FILETIME ticks.
void SetWriteTime(const std::wstring& path, int64_t ticks);

// The system's font dialog, run for real and answered as a user would: once
// it is up, each size of `sizes` in turn is typed into its size box and OK
// pressed; a message box the dialog puts up instead of closing is counted and
// answered OK. `shown` gets what the size box showed when the dialog opened.
struct FontDialogUser {
  std::vector<std::wstring> sizes;
  std::wstring shown;
  int refusals = 0;
  std::optional<FontDialogAnswer> Run(HWND owner, const FontChoice& current);
};
// The placard's menu as a right click on `image` opens it, read from inside
// the menu's own loop and then closed unchosen: each item's text, and after
// a submenu's item its items indented by two spaces, "*" before the text of
// a checked radio item (separators left out).
std::vector<std::wstring> PlacardMenuItems(HWND image);

// Makes `link` (no trailing backslash) a symbolic link to the folder
// `target` with the host's `ln -s`, as anyone who can write there could
// plant one; Wine shows it as a folder with a reparse point. False where
// there is no host to ask (Windows itself).
bool MakeHostLink(const std::wstring& target, const std::wstring& link);
// Removes such a link with the host's `rm` (never what it leads to).
void RemoveHostLink(const std::wstring& link);

}  // namespace plakato
