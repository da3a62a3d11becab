// No exception crosses a window procedure, a subclass or a dialog hook of
// the program, and the faults that let bad input or a failed system call
// through stay mended.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <new>
#include <string>
#include <vector>

#include "app/font_dialog_win.h"
#include "app/input_box_win.h"
#include "app/main_window_win.h"
#include "base/files_win.h"
#include "base/text_win.h"
#include "base/window_win.h"
#include "export/jpeg_encode.h"
#include "export/picture_preview_win.h"
#include "export/save_picture_dialog_win.h"
#include "scene/scene_surface_win.h"
#include "win_test_support.h"

namespace plakato {
namespace {

constexpr UINT kThrowMessage = WM_APP + 0x2B0;
std::vector<HWND> thrownAt;

// Makes whichever handler gets kThrowMessage run out of memory.
void ThrowOnProbe(HWND window, UINT message) {
  if (message != kThrowMessage) return;
  thrownAt.push_back(window);
  throw std::bad_alloc();
}

class BarrierTest : public testing::Test {
 protected:
  BarrierTest() {
    MainWindowOptions options;
    options.ui = &ui;
    options.quitOnClose = false;
    form = std::make_unique<MainWindow>(options);
    form->Create();
    thrownAt.clear();
    SetMessageProbe(ThrowOnProbe);
  }
  ~BarrierTest() override { SetMessageProbe(nullptr); }

  ScriptedUi ui;
  std::unique_ptr<MainWindow> form;
};

TEST_F(BarrierTest, AHandlerOfEveryKindOfWindowThatThrowsShowsTheErrorBox) {
  const ControlId kinds[] = {ControlId::SettingsPanel, ControlId::PlacardImage, ControlId::FontButton, ControlId::FaceRebar,
                             ControlId::SignTextEdit};
  std::vector<HWND> windows{form->handle()};
  for (ControlId id : kinds) windows.push_back(form->Control(id));
  for (HWND window : windows) {
    ui.boxes.clear();
    ::SendMessageW(window, kThrowMessage, 0, 0);
    ASSERT_EQ(ui.boxes.size(), 1u) << "window " << window;
    EXPECT_EQ(ui.boxes[0].text, L"内存不足.");
    EXPECT_EQ(ui.boxes[0].flags, static_cast<UINT>(MB_OK | MB_ICONSTOP));
    EXPECT_TRUE(::IsWindow(window));
  }
  EXPECT_EQ(thrownAt, windows);
  // The window goes on working: a typed key still reaches the sign.
  ::SendMessageW(form->Control(ControlId::SignTextEdit), WM_CHAR, L'x', 1);
  EXPECT_EQ(form->State().placard.text(), L"x");
}

// The dialog of this thread that is not the form, once it is up.
HWND OpenDialog() {
  return VisibleThreadWindow(L"#32770");
}

// What a timer does once the modal dialog runs: throw inside its procedure
// (or its hook's), check it is still there, and cancel it.
struct DialogPoke {
  bool child = false;  // the hook is the procedure of a child dialog (the save dialog's pane)
  HWND poked = nullptr;
  bool aliveAfter = false;
};
DialogPoke* poke = nullptr;

void CALLBACK PokeDialog(HWND, UINT, UINT_PTR timer, DWORD) {
  HWND dialog = OpenDialog();
  if (!dialog) return;
  ::KillTimer(nullptr, timer);
  HWND target = poke->child ? ::FindWindowExW(dialog, nullptr, L"#32770", nullptr) : dialog;
  poke->poked = target;
  ::SendMessageW(target, kThrowMessage, 0, 0);
  poke->aliveAfter = ::IsWindow(dialog) != FALSE;
  ::PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
}

TEST_F(BarrierTest, TheInputBoxShowsTheErrorAndGoesOn) {
  DialogPoke p;
  poke = &p;
  ::SetTimer(nullptr, 0, 50, PokeDialog);
  EXPECT_EQ(InputBox(form->handle(), L"输入", L"请输入QQ号：", L"preset"), L"preset");
  ASSERT_NE(p.poked, nullptr);
  EXPECT_TRUE(p.aliveAfter);
  EXPECT_EQ(thrownAt, std::vector<HWND>{p.poked});
  ASSERT_EQ(ui.boxes.size(), 1u);
  EXPECT_EQ(ui.boxes[0].text, L"内存不足.");
}

// Inside a system dialog no box may open: the hook fails safe and the
// dialog goes on as if the hook had not been there.
TEST_F(BarrierTest, SystemDialogHooksFailSafeWithoutABox) {
  DialogPoke font;
  poke = &font;
  ::SetTimer(nullptr, 0, 50, PokeDialog);
  SignFont sign = form->State().placard.font();
  EXPECT_FALSE(RunFontDialog(form->handle(), {LogFontOf(sign, sign.HeightAtDpi(kStandardDpi)), sign.colour}).has_value());
  ASSERT_NE(font.poked, nullptr);
  EXPECT_TRUE(font.aliveAfter);

  DialogPoke save;
  save.child = true;
  poke = &save;
  ::SetTimer(nullptr, 0, 50, PokeDialog);
  EXPECT_FALSE(RunSavePictureDialog(form->handle(), L"", LoadPicturePreview).has_value());
  ASSERT_NE(save.poked, nullptr);
  EXPECT_TRUE(save.aliveAfter);

  EXPECT_EQ(thrownAt, (std::vector<HWND>{font.poked, save.poked}));
  EXPECT_TRUE(ui.boxes.empty());
}

// Automation and dictation tools set the edit's text directly; the sign
// rules hold for them as for typing.
TEST_F(BarrierTest, TextSetFromOutsideKeepsTheSignRules) {
  SetMessageProbe(nullptr);
  HWND edit = form->Control(ControlId::SignTextEdit);
  ::SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"一二三四五六七八九十一二三四五六七"));
  EXPECT_EQ(WindowText(edit), L"一二三四五六七八九十一二三四五");
  EXPECT_EQ(form->State().placard.text(), L"一二三四五六七八九十一二三四五");

  ::SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"ab\U0001F600cd"));
  EXPECT_EQ(WindowText(edit), L"abcd");

  ::SendMessageW(edit, EM_SETSEL, 4, 4);
  ::SendMessageW(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(L"一二三四五六七八九十一二三四五"));
  EXPECT_EQ(WindowText(edit), L"abcd一二三四五六七八九十一二三");
  EXPECT_TRUE(ui.boxes.empty());
}

// A program may leave text on the clipboard without its terminating zero.
TEST_F(BarrierTest, PastedTextIsReadNoFurtherThanItsClipboardBlock) {
  SetMessageProbe(nullptr);
  HWND edit = form->Control(ControlId::SignTextEdit);
  const wchar_t letters[] = {L'A', L'B', L'C', L'D', L'E', L'F', L'G', L'H', L'I', L'J'};
  ASSERT_TRUE(::OpenClipboard(form->handle()));
  ::EmptyClipboard();
  HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE, sizeof(letters));
  ASSERT_NE(block, nullptr);
  memcpy(::GlobalLock(block), letters, sizeof(letters));
  ::GlobalUnlock(block);
  ASSERT_NE(::SetClipboardData(CF_UNICODETEXT, block), nullptr);
  ::CloseClipboard();
  ::SendMessageW(edit, WM_PASTE, 0, 0);
  // Wine's clipboard gives up the last character for a terminating zero;
  // Windows hands the block over as it is. Nothing past it may come in.
  std::wstring pasted = WindowText(edit);
  EXPECT_GE(pasted.size(), 9u);
  EXPECT_TRUE(std::wstring(L"ABCDEFGHIJ").starts_with(pasted)) << std::string(pasted.begin(), pasted.end());
}

// A failed copy or conversion is an error, never a white picture that
// passes for the placard.
TEST(SystemCalls, AFailedPixelCopyIsAnErrorNotAWhitePicture) {
  HDC dc = ::CreateCompatibleDC(nullptr);
  ::DeleteDC(dc);
  EXPECT_THROW(ReadDcPixels(dc, 10, 10), AppError);

  WindowDc screen(nullptr);
  HBITMAP bitmap = ::CreateCompatibleBitmap(screen.get(), 4, 4);
  ::DeleteObject(bitmap);
  EXPECT_THROW(WriteBitmapPixels(screen.get(), bitmap, PixelCanvas(4, 4)), AppError);

  UniqueBitmap live(::CreateCompatibleBitmap(screen.get(), 4, 4));
  EXPECT_NO_THROW(WriteBitmapPixels(screen.get(), live.get(), PixelCanvas(4, 4, 0x0000FF)));
}

TEST(SystemCalls, ABrushIsDeletedOnlyOnceAnotherHasTakenItsPlace) {
  WindowDc screen(nullptr);
  SceneSurface surface(screen.get(), 20, 20);
  surface.SetBrushColour(0x0000FF);
  HGDIOBJ red = ::GetCurrentObject(surface.dc(), OBJ_BRUSH);
  surface.SetBrushColour(0xFF0000);
  HGDIOBJ blue = ::GetCurrentObject(surface.dc(), OBJ_BRUSH);
  EXPECT_NE(blue, red);
  EXPECT_EQ(::GetObjectType(red), 0u) << "the old brush was left behind";
  LOGBRUSH brush{};
  ASSERT_EQ(::GetObjectW(blue, sizeof(brush), &brush), static_cast<int>(sizeof(brush)));
  EXPECT_EQ(brush.lbColor, 0xFF0000u);
  surface.FillRect({0, 0, 20, 20});
  EXPECT_EQ(ReadDcPixels(surface.dc(), 20, 20).At(5, 5), 0xFF0000u);
}

// The scene is drawn in the display's own pixel format: a device-dependent
// bitmap of the display's depth, white when it is made.
TEST(SystemCalls, TheSceneIsABitmapOfTheDisplaysOwnFormat) {
  WindowDc screen(nullptr);
  SceneSurface surface(screen.get(), 371, 120);
  DIBSECTION section{};
  int got = ::GetObjectW(surface.bitmap(), sizeof(section), &section);
  EXPECT_EQ(got, static_cast<int>(sizeof(BITMAP))) << "a DIB section, not a device-dependent bitmap";
  EXPECT_EQ(section.dsBm.bmWidth, 371);
  EXPECT_EQ(section.dsBm.bmHeight, 120);
  EXPECT_EQ(section.dsBm.bmBitsPixel, ::GetDeviceCaps(screen.get(), BITSPIXEL));
  EXPECT_EQ(surface.ReadPixels().At(200, 60), 0xFFFFFFu);
}

// Selecting a disc image in the save dialog must not read it whole.
TEST(SystemCalls, ThePreviewReadsNoFileLargerThanItsLimit) {
  std::wstring folder = FreshFolder(L"plakato-preview-limit");
  std::vector<uint8_t> jpeg = EncodeJpeg(PixelCanvas(40, 20, 0x00FF00));
  std::wstring small = folder + L"small.jpg";
  WriteFileReplacing(small, jpeg);
  SIZE size{};
  UniqueBitmap shown = LoadPicturePreview(small, 128, 128, &size);
  EXPECT_TRUE(shown);
  EXPECT_EQ(size.cx, 40);

  // The same picture, followed by enough zeros to pass the limit.
  std::wstring large = folder + L"large.jpg";
  WriteFileReplacing(large, jpeg);
  {
    UniqueFile file = AdoptFile(::CreateFileW(large.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(file);
    LARGE_INTEGER end{};
    end.QuadPart = static_cast<LONGLONG>(kPreviewFileLimit) + 1;
    ASSERT_TRUE(::SetFilePointerEx(file.get(), end, nullptr, FILE_BEGIN));
    ASSERT_TRUE(::SetEndOfFile(file.get()));
  }
  EXPECT_FALSE(LoadPicturePreview(large, 128, 128, &size));

  EXPECT_EQ(ReadFileUpTo(small, FILE_SHARE_READ, jpeg.size()).value().size(), jpeg.size());
  EXPECT_FALSE(ReadFileUpTo(small, FILE_SHARE_READ, jpeg.size() - 1).has_value());
  ::DeleteFileW(large.c_str());
}

}  // namespace
}  // namespace plakato
