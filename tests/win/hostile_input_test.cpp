// Hostile pictures and odd text in the running window: the save dialog's
// preview of tiny files claiming huge pictures, control characters and lone
// surrogate halves from every way into the message edit, Ctrl+Backspace,
// face.xml that no control character reaches, Ctrl+C while another program
// pastes our picture, a window that cannot be made, the window's last
// message, and the start-up clean-up of interrupted writes.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <atomic>
#include <cwchar>
#include <new>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "app/main_window_win.h"
#include "app/startup_win.h"
#include "base/error.h"
#include "base/files_win.h"
#include "base/temporary_file_name.h"
#include "base/text_win.h"
#include "base/window_win.h"
#include "export/jpeg_encode.h"
#include "export/picture_drag_win.h"
#include "export/picture_data_object_win.h"
#include "export/picture_preview_win.h"
#include "export/png_codec_win.h"
#include "messenger/emoticon_store_win.h"
#include "scene/image_list_win.h"
#include "driver_win.h"
#include "fake_messenger.h"
#include "hostile_pictures.h"
#include "win_test_support.h"

namespace plakato {
namespace {

int64_t Now() { return FileTimeNow(); }

std::string AsString(const std::vector<uint8_t>& bytes) { return std::string(bytes.begin(), bytes.end()); }

// --- The save dialog's preview ---------------------------------------------

TEST(HostilePreviewFile, ATinyFileClaimingAHugePictureShowsNoPreview) {
  std::wstring folder = FreshFolder(L"plakato-hostile-preview");
  struct Crafted {
    const wchar_t* name;
    std::vector<uint8_t> bytes;
  };
  const Crafted crafted[] = {
      {L"progressive20000.jpg", testing::JpegClaiming(20000, 20000, true)},
      {L"progressive40000.jpg", testing::JpegClaiming(40000, 40000, true)},
      {L"baseline40000.jpg", testing::JpegClaiming(40000, 40000, false)},
      {L"progressive7000.jpg", testing::JpegClaiming(7000, 7000, true)},
      {L"rgb40000.png", testing::PngClaiming(40000, 40000)},
      {L"rgba16-7000.png", testing::PngClaiming(7000, 7000, 16, 6)},
  };
  for (const Crafted& c : crafted) {
    std::wstring path = folder + c.name;
    testing::WriteBytes(path, AsString(c.bytes));
    SIZE size{-1, -1};
    EXPECT_FALSE(LoadPicturePreview(path, 128, 128, &size)) << std::string(c.name, c.name + wcslen(c.name));
    EXPECT_EQ(size.cx, -1) << "no size is given for a picture not shown";
  }
  // Within both limits a picture previews as before, PNG and JPEG.
  testing::WriteBytes(folder + L"fine.png", AsString(EncodePng(PixelCanvas(300, 200, 0x00FF00))));
  SIZE size{};
  EXPECT_TRUE(LoadPicturePreview(folder + L"fine.png", 128, 128, &size));
  EXPECT_EQ(size.cx, 300);
  testing::WriteBytes(folder + L"fine.jpg", AsString(testing::JpegClaiming(7000, 7000, false)));
  EXPECT_TRUE(LoadPicturePreview(folder + L"fine.jpg", 128, 128, &size));
  EXPECT_EQ(size.cy, 7000);
}

// --- The message edit --------------------------------------------------------

class HostileEditTest : public ::testing::Test {
 protected:
  HostileEditTest() : form(Options()) {
    form.Create();
    form.Show();
    ::SetForegroundWindow(form.handle());
    edit = form.Control(ControlId::SignTextEdit);
    ::SetFocus(edit);
    Pump();
  }
  MainWindowOptions Options() {
    MainWindowOptions options;
    options.ui = &ui;
    options.quitOnClose = false;
    return options;
  }
  // The balloon's sentence, or empty when none shows.
  std::wstring Balloon() {
    HWND tip = VisibleThreadWindow(TOOLTIPS_CLASSW, TTS_BALLOON);
    if (!tip) return L"";
    wchar_t text[256] = L"";
    TTTOOLINFOW tool{};
    tool.cbSize = TTTOOLINFOW_V2_SIZE;
    tool.hwnd = edit;
    tool.uId = 1;
    tool.lpszText = text;
    ::SendMessageW(tip, TTM_GETTEXTW, 256, reinterpret_cast<LPARAM>(&tool));
    return text;
  }
  void SetText(const std::wstring& text) { ::SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str())); }
  void Key(wchar_t c) { ::SendMessageW(edit, WM_CHAR, c, 1); }

  ScriptedUi ui;
  MainWindow form;
  HWND edit = nullptr;
};

TEST_F(HostileEditTest, ControlCharactersAreRefusedFromEveryWayInWithTheReason) {
  SetText(std::wstring(L"a") + L'\x01' + L"b");
  EXPECT_EQ(WindowText(edit), L"ab");
  EXPECT_EQ(form.State().placard.text(), L"ab");
  EXPECT_EQ(Balloon(), L"字符U+0001是控制字符，无法写在标牌上。");

  SetText(L"");
  ::SendMessageW(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(L"x\x1Fy\x7Fz"));
  EXPECT_EQ(WindowText(edit), L"xyz");
  EXPECT_EQ(Balloon(), L"字符U+001F是控制字符，无法写在标牌上。");

  SetText(L"");
  driver::SetClipboardText(L"p\x7Fq\tr");
  ::SendMessageW(edit, WM_PASTE, 0, 0);
  EXPECT_EQ(WindowText(edit), L"pqr");
  EXPECT_EQ(Balloon(), L"字符U+007F是控制字符，无法写在标牌上。");

  // Typed: a control character that is no editing key is refused like any
  // other; Ctrl+A, a command to the edit, brings no balloon.
  Key(L'\x02');
  EXPECT_EQ(WindowText(edit), L"pqr");
  EXPECT_EQ(Balloon(), L"字符U+0002是控制字符，无法写在标牌上。");
  Key(L'\x01');
  EXPECT_EQ(Balloon(), L"");
  EXPECT_EQ(WindowText(edit), L"pqr");
  EXPECT_TRUE(ui.boxes.empty());
}

TEST_F(HostileEditTest, ALoneSurrogateIsRefusedAloneAndTheCharacterAfterItKept) {
  SetText(L"\xD800" L"AB");
  EXPECT_EQ(WindowText(edit), L"AB");
  EXPECT_EQ(Balloon(), L"字符U+D800不在GBK字符集中，无法写在标牌上。");
  SetText(L"x\xDC00" L"y");
  EXPECT_EQ(WindowText(edit), L"xy");
}

// Windows' edit puts Ctrl+Backspace's DEL in as a box; Wine's drops it.
TEST_F(HostileEditTest, CtrlBackspaceDeletesTheWordBeforeTheCaretAndNeverInsertsABox) {
  SetText(L"hello big world");
  ::SendMessageW(edit, EM_SETSEL, 15, 15);
  Key(L'\x7F');
  EXPECT_EQ(WindowText(edit), L"hello big ");
  EXPECT_EQ(form.State().placard.text(), L"hello big");
  ::SendMessageW(edit, EM_SETSEL, 6, 6);  // after "hello "
  Key(L'\x7F');
  EXPECT_EQ(WindowText(edit), L"big ");
  // A selection goes as a whole; at the start nothing happens.
  ::SendMessageW(edit, EM_SETSEL, 1, 3);
  Key(L'\x7F');
  EXPECT_EQ(WindowText(edit), L"b ");
  ::SendMessageW(edit, EM_SETSEL, 0, 0);
  Key(L'\x7F');
  EXPECT_EQ(WindowText(edit), L"b ");
  EXPECT_EQ(Balloon(), L"");
  // It is one step the edit can undo.
  ::SendMessageW(edit, EM_UNDO, 0, 0);
  EXPECT_EQ(WindowText(edit), L"big ");
}

// --- face.xml ----------------------------------------------------------------

// Text that reached the store around the message edit's rules.
TEST(HostileFaceIndexFile, AControlCharacterIsRefusedBeforeAnyFileIsWritten) {
  testing::FakeMessenger messenger(L"plakato-hostile-qq");
  std::wstring face = messenger.AddAccount(L"10001", testing::RealisticFaceIndex());
  MessengerAccount account(messenger.install());
  ASSERT_TRUE(account.Choose(L"10001"));
  ImageList pieces(PieceArtwork());
  const std::string before = FileBytes(account.faceIndexPath());
  for (const wchar_t* text : {L"a\x01" L"b", L"\x1B", L"tab\x0B"}) {
    EmoticonStore store(account, pieces);
    try {
      store.Store(EncodeJpeg(PixelCanvas(20, 10)), text);
      ADD_FAILURE() << "stored";
    } catch (const AppError& error) {
      EXPECT_TRUE(error.message().starts_with(L"牌子文字含有控制字符 U+00"));
      EXPECT_TRUE(error.message().ends_with(L"，face.xml 无法保存"));
    }
    EXPECT_TRUE(FolderNames(face + L"panel\\").empty());
    EXPECT_EQ(FolderNames(face), (std::set<std::wstring>{L"face.xml", L"panel"}));
    EXPECT_EQ(FileBytes(account.faceIndexPath()), before);
  }
}

// --- Ctrl+C while another program pastes ---------------------------------

// Another program opens the clipboard to paste our picture's PNG, which we
// render only when asked; meanwhile the user presses Ctrl+C again. The copy
// must answer the paste while it waits for the clipboard, then take it.
TEST(HostileClipboard, ACopyWaitingForTheClipboardServesAPasteOfOurPicture) {
  ScriptedUi ui;
  MainWindowOptions options;
  options.ui = &ui;
  options.quitOnClose = false;
  MainWindow form(options);
  form.Create();
  ::SendMessageW(form.handle(), WM_COMMAND, MAKEWPARAM(MainWindow::kCopyCommand, 1), 0);
  ASSERT_TRUE(ui.boxes.empty());

  HANDLE opened = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
  HANDLE copying = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
  size_t pasted = 0;
  std::atomic<bool> done{false};
  std::thread paster([&] {
    bool open = ::OpenClipboard(nullptr) != FALSE;
    ::SetEvent(opened);
    // The PNG is asked for once the copy is waiting for the clipboard.
    ::WaitForSingleObject(copying, 5000);
    ::Sleep(100);
    if (open) {
      if (HANDLE png = ::GetClipboardData(PngClipboardFormat())) pasted = ::GlobalSize(png);
      ::CloseClipboard();
    }
    done = true;
  });
  // Opening may ask this thread's windows something first (Wine's does).
  bool isOpen = false;
  for (int i = 0; i < 500 && !isOpen; ++i) {
    isOpen = ::MsgWaitForMultipleObjects(1, &opened, FALSE, 10, QS_ALLINPUT) == WAIT_OBJECT_0;
    Pump();
  }
  EXPECT_TRUE(isOpen);
  ::SetEvent(copying);
  ::SendMessageW(form.handle(), WM_COMMAND, MAKEWPARAM(MainWindow::kCopyCommand, 1), 0);
  // However the copy ended, the paster is let finish.
  for (int i = 0; i < 500 && !done; ++i) {
    Pump();
    ::Sleep(10);
  }
  paster.join();
  ::CloseHandle(opened);
  ::CloseHandle(copying);
  EXPECT_TRUE(ui.boxes.empty()) << (ui.boxes.empty() ? "" : std::string(ui.boxes[0].text.begin(), ui.boxes[0].text.end()));
  EXPECT_GT(pasted, 8u) << "the paste got our PNG";
  EXPECT_EQ(StatusText(form.Control(ControlId::StatusBar)), L"已复制到剪贴板");
  EXPECT_EQ(::GetClipboardOwner(), form.handle());
}

// --- A window that cannot be made ------------------------------------------

void FailPanels(HWND window, UINT message) {
  wchar_t name[64] = L"";
  if (message == WM_NCCREATE && ::GetClassNameW(window, name, 64) && std::wstring(name) == L"PlakatoPanel") {
    throw std::bad_alloc();  // as when the desktop heap runs out
  }
}

TEST(StartupFailure, AWindowThatCannotBeMadeIsShownAndEndsTheProgramWithACodeOtherThanZero) {
  ScriptedUi ui;
  SetMessageProbe(FailPanels);
  bool made = false;
  int code = RunGuardedProgram(ui, L"C:\\Program Files\\PLAKATO.EXE", [&] {
    MainWindowOptions options;
    options.ui = &ui;
    options.quitOnClose = false;
    MainWindow form(options);
    form.Create();
    made = true;
    return 0;
  });
  SetMessageProbe(nullptr);
  EXPECT_FALSE(made);
  EXPECT_EQ(code, 1);
  ASSERT_FALSE(ui.boxes.empty());
  EXPECT_EQ(ui.boxes.back().text, L"无法创建控件 Panel1.");
  EXPECT_EQ(ui.boxes.back().caption, L"Plakato");
  EXPECT_EQ(ui.boxes.back().flags, static_cast<UINT>(MB_OK | MB_ICONSTOP));

  ScriptedUi quiet;
  EXPECT_EQ(RunGuardedProgram(quiet, L"plakato.exe", [] { return 0; }), 0);
  EXPECT_TRUE(quiet.boxes.empty());
}

// --- The window's last message ---------------------------------------------

int finalDefaults = 0;

class CountingWindow : public Window<CountingWindow> {
 public:
  explicit CountingWindow(bool handlesFinal) : handlesFinal_(handlesFinal) {}
  static LRESULT CallDefault(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCDESTROY) ++finalDefaults;
    return ::DefWindowProcW(window, message, wParam, lParam);
  }
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCDESTROY && handlesFinal_) return 0;
    return DefaultProc(message, wParam, lParam);
  }
  HWND Create() {
    WNDCLASSW wc{};
    wc.lpfnWndProc = &Proc;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.lpszClassName = L"PlakatoCountingWindow";
    ::RegisterClassW(&wc);
    return ::CreateWindowExW(0, wc.lpszClassName, L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, wc.hInstance, this);
  }

 private:
  bool handlesFinal_;
};

TEST(WindowFinalMessage, ReachesTheDefaultProcedureExactlyOnce) {
  for (bool handlesFinal : {false, true}) {
    finalDefaults = 0;
    CountingWindow window(handlesFinal);
    HWND made = window.Create();
    ASSERT_NE(made, nullptr);
    ::DestroyWindow(made);
    EXPECT_EQ(finalDefaults, 1) << (handlesFinal ? "handled" : "passed on");
    EXPECT_EQ(window.hwnd(), nullptr);
  }
}

// --- Interrupted writes -----------------------------------------------------

TEST(StaleTemporaryFiles, OnlyTheProgramsOwnOlderThanADayAreRemoved) {
  std::wstring folder = FreshFolder(L"plakato-stale-temp");
  const int64_t now = Now();
  const int64_t old = now - 2 * kTemporaryFileLifetime;
  const std::wstring own = TemporaryFileName(1, 0xABCD);
  const std::wstring young = TemporaryFileName(2, 0xABCD);
  for (const std::wstring& name : {own, young, std::wstring(L"~plakato.tmp"), own + L".bak",
                                   std::wstring(L"report.tmp"), std::wstring(L"~plakato0000000XABCD.tmp")}) {
    testing::WriteBytes(folder + name, "half");
    SetWriteTime(folder + name, name == young ? now - kTemporaryFileLifetime / 2 : old);
  }
  const std::wstring ownFolder = TemporaryFileName(3, 0xABCD);
  ::CreateDirectoryW((folder + ownFolder).c_str(), nullptr);
  SetWriteTime(folder + ownFolder, old);

  EXPECT_EQ(RemoveStaleTemporaryFiles(folder, now), 1u);
  EXPECT_EQ(FolderNames(folder), (std::set<std::wstring>{young, L"~plakato.tmp", own + L".bak", L"report.tmp",
                                                          L"~plakato0000000XABCD.tmp", ownFolder}));
}

TEST(StaleTemporaryFiles, AFolderThatIsALinkIsLeftAlone) {
  const std::wstring folder = FreshFolder(L"plakato-stale-temp-link");
  const std::wstring elsewhere = FreshFolder(L"plakato-stale-temp-elsewhere");
  const std::wstring name = TemporaryFileName(6, 0x1234);
  testing::WriteBytes(elsewhere + name, "someone's");
  SetWriteTime(elsewhere + name, Now() - 5 * kTemporaryFileLifetime);
  ASSERT_TRUE(MakeHostLink(elsewhere.substr(0, elsewhere.size() - 1), folder + L"panel"));
  EXPECT_EQ(RemoveStaleTemporaryFiles(folder + L"panel\\", Now()), 0u);
  EXPECT_EQ(FileBytes(elsewhere + name), "someone's");
  RemoveHostLink(folder + L"panel");
}

TEST(StaleTemporaryFiles, TheStartUpCleaningLooksWhereTheProgramWrites) {
  testing::FakeMessenger messenger(L"plakato-stale-temp-qq");
  const std::wstring face = messenger.AddAccount(L"10001", testing::RealisticFaceIndex());
  const std::wstring panel = face + L"panel\\";
  const std::wstring drag = DragFolder();
  ::CreateDirectoryW(drag.c_str(), nullptr);
  const int64_t now = Now();
  const int64_t old = now - 2 * kTemporaryFileLifetime;
  const std::wstring stale = TemporaryFileName(4, 0x1234);
  const std::wstring young = TemporaryFileName(5, 0x1234);
  for (const std::wstring& folder : {face, panel, drag}) {
    testing::WriteBytes(folder + stale, "half");
    testing::WriteBytes(folder + young, "half");
    SetWriteTime(folder + stale, old);
  }
  testing::WriteBytes(panel + L"tempfile.jpg", "picture");
  SetWriteTime(panel + L"tempfile.jpg", old);
  SetWriteTime(face + L"face.xml", old);

  RemoveStaleFilesAtStart();
  EXPECT_EQ(FolderNames(face), (std::set<std::wstring>{L"face.xml", L"panel", young}));
  EXPECT_EQ(FolderNames(panel), (std::set<std::wstring>{L"tempfile.jpg", young}));
  EXPECT_FALSE(FileExists(drag + stale));
  EXPECT_TRUE(FileExists(drag + young));
  ::DeleteFileW((drag + young).c_str());
}

}  // namespace
}  // namespace plakato
