// The main window built in this process, hidden unless a test shows it, with
// its message boxes answered by a recorder instead of the screen.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <set>
#include <utility>
#include <vector>

#include "app/app_text.h"
#include "app/form_layout.h"
#include "app/main_window_win.h"
#include "base/text_win.h"
#include "scene/scene_surface_win.h"
#include "win_test_support.h"

namespace plakato {
namespace {

class FormTest : public testing::Test {
 protected:
  MainWindowOptions Options() {
    MainWindowOptions options;
    options.ui = &ui;
    options.quitOnClose = false;
    return options;
  }
  ScriptedUi ui;
};

RECT RectInForm(const MainWindow& form, ControlId id) {
  RECT rc;
  ::GetWindowRect(form.Control(id), &rc);
  ::MapWindowPoints(nullptr, ::GetParent(form.Control(id)), reinterpret_cast<POINT*>(&rc), 2);
  return rc;
}

LOGFONTW FontOf(HWND window) {
  LOGFONTW lf{};
  ::GetObjectW(reinterpret_cast<HFONT>(::SendMessageW(window, WM_GETFONT, 0, 0)), sizeof(lf), &lf);
  return lf;
}

TEST_F(FormTest, BuildsEveryControlAtItsPlaceWithItsCaption) {
  MainWindow form(Options());
  form.Create();
  ASSERT_EQ(form.State().measuredTextHeight, 12) << "the test prefix must map 宋体 to a 12-pixel face";
  RECT client;
  ::GetClientRect(form.handle(), &client);
  EXPECT_EQ(client.right, 371);
  EXPECT_EQ(client.bottom, 327);
  EXPECT_EQ(WindowText(form.handle()), L"Plakato - support@plakato.cn");

  for (const ControlSpec& design : MainFormControls()) {
    SCOPED_TRACE(design.name);
    HWND control = form.Control(design.id);
    ASSERT_NE(control, nullptr);
    HWND expectedParent = design.parent != ControlId::None ? form.Control(design.parent) : form.handle();
    EXPECT_EQ(::GetParent(control), expectedParent);
    if (design.kind != ControlKind::StatusBar && design.kind != ControlKind::PageScroller &&
        design.kind != ControlKind::ToolBar && design.kind != ControlKind::CoolBar) {
      EXPECT_EQ(WindowText(control), design.caption);
    }
    RECT rc = RectInForm(form, design.id);
    EXPECT_EQ(rc.left, design.bounds.left);
    EXPECT_EQ(rc.top, design.bounds.top);
    if (design.kind == ControlKind::Label && design.font && std::wstring_view(design.font->face) == L"隶书") {
      continue;  // sized to its text in whatever face stands in for LiSu
    }
    if (design.kind == ControlKind::ToolBar) continue;  // sized to its buttons
    EXPECT_EQ(rc.right - rc.left, design.bounds.width());
    EXPECT_EQ(rc.bottom - rc.top, design.bounds.height());
  }
}

TEST_F(FormTest, ControlsHaveTheirOwnFontsAndColours) {
  MainWindow form(Options());
  form.Create();
  LOGFONTW title = FontOf(form.Control(ControlId::TitleLabel));
  EXPECT_STREQ(title.lfFaceName, L"隶书");
  EXPECT_EQ(title.lfHeight, -29);
  EXPECT_EQ(title.lfWeight, FW_BOLD);
  EXPECT_EQ(title.lfCharSet, GB2312_CHARSET);
  LOGFONTW logo = FontOf(form.Control(ControlId::AboutLogo));
  EXPECT_STREQ(logo.lfFaceName, L"Tahoma");
  EXPECT_EQ(logo.lfHeight, -48);
  EXPECT_EQ(logo.lfWeight, FW_BOLD);
  EXPECT_EQ(logo.lfCharSet, ANSI_CHARSET);
  LOGFONTW edit = FontOf(form.Control(ControlId::SignTextEdit));
  EXPECT_STREQ(edit.lfFaceName, L"宋体");
  EXPECT_EQ(edit.lfHeight, -12);
  EXPECT_EQ(edit.lfCharSet, GB2312_CHARSET);

  // The grey hint and the white title panel.
  HDC dc = ::CreateCompatibleDC(nullptr);
  ::SendMessageW(form.handle(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                 reinterpret_cast<LPARAM>(form.Control(ControlId::MessengerHint)));
  EXPECT_EQ(::GetTextColor(dc), RGB(0x80, 0x80, 0x80));
  ::SendMessageW(form.handle(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                 reinterpret_cast<LPARAM>(form.Control(ControlId::SignTextLabel)));
  EXPECT_EQ(::GetTextColor(dc), ::GetSysColor(COLOR_WINDOWTEXT));
  ::DeleteDC(dc);

  HDC screen = ::GetDC(nullptr);
  HDC memory = ::CreateCompatibleDC(screen);
  HBITMAP bitmap = ::CreateCompatibleBitmap(screen, 371, 65);
  HGDIOBJ old = ::SelectObject(memory, bitmap);
  ::SendMessageW(form.Control(ControlId::TitlePanel), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(memory), PRF_CLIENT);
  EXPECT_EQ(::GetPixel(memory, 5, 5), RGB(255, 255, 255));
  EXPECT_EQ(::GetPixel(memory, 280, 60), RGB(255, 255, 255));
  ::SelectObject(memory, old);
  ::DeleteObject(bitmap);
  ::DeleteDC(memory);
  ::ReleaseDC(nullptr, screen);
}

TEST_F(FormTest, WindowHasADialogFrameWithoutMinimiseOrMaximise) {
  MainWindow form(Options());
  form.Create();
  LONG style = ::GetWindowLongW(form.handle(), GWL_STYLE);
  EXPECT_TRUE(style & WS_SYSMENU);
  EXPECT_TRUE(style & WS_CAPTION);
  EXPECT_FALSE(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME));
  HMENU system = ::GetSystemMenu(form.handle(), FALSE);
  EXPECT_EQ(::GetMenuState(system, SC_MAXIMIZE, MF_BYCOMMAND), static_cast<UINT>(-1));
  EXPECT_NE(::GetMenuState(system, SC_CLOSE, MF_BYCOMMAND), static_cast<UINT>(-1));
}

TEST_F(FormTest, StartUpRunsItsStepsInOrderAndLeavesTheStartState) {
  std::vector<StartupStep> seen;
  MainWindowOptions options = Options();
  options.beforeStartupStep = [&](StartupStep s) { seen.push_back(s); };
  MainWindow form(options);
  form.Create();
  const std::vector<StartupStep> all = {StartupStep::FaceButtons,     StartupStep::SceneFont,
                                        StartupStep::SignColour,      StartupStep::SignTextAndFace,
                                        StartupStep::FirstDrawing,    StartupStep::MessengerFolder};
  EXPECT_EQ(seen, all);
  MainWindowState state = form.State();
  EXPECT_EQ(state.startupSteps, all);
  EXPECT_TRUE(ui.boxes.empty());
  EXPECT_EQ(state.placard.signColour(), RGB(255, 255, 255));
  EXPECT_EQ(state.placard.text(), L"Quillion");
  EXPECT_EQ(state.placard.face(), 0);
  ASSERT_NE(state.surface, nullptr);
  EXPECT_EQ(state.surface->font().lfWeight, FW_BOLD);
  // The font dialog opens on the bold scene font, in the window-text colour.
  HWND fontButton = form.Control(ControlId::FontButton);
  ::SendMessageW(form.handle(), WM_COMMAND, MAKEWPARAM(::GetDlgCtrlID(fontButton), BN_CLICKED),
                 reinterpret_cast<LPARAM>(fontButton));
  ASSERT_EQ(ui.fontShown.size(), 1u);
  EXPECT_EQ(ui.fontShown[0].font.lfWeight, FW_BOLD);
  EXPECT_STREQ(ui.fontShown[0].font.lfFaceName, state.surface->font().lfFaceName);
  EXPECT_EQ(ui.fontShown[0].color, ::GetSysColor(COLOR_WINDOWTEXT));
}

TEST_F(FormTest, AnErrorInAStartUpStepSkipsTheRestAndTheWindowStillOpens) {
  MainWindowOptions options = Options();
  options.beforeStartupStep = [](StartupStep s) {
    if (s == StartupStep::SignColour) throw AppError(L"Out of system resources");
  };
  MainWindow form(options);
  form.Create();
  EXPECT_EQ(form.State().startupSteps, (std::vector<StartupStep>{StartupStep::FaceButtons,
                                                                    StartupStep::SceneFont}));
  ASSERT_EQ(ui.boxes.size(), 1u);
  EXPECT_EQ(ui.boxes[0].text, L"Out of system resources.");
  EXPECT_EQ(ui.boxes[0].caption, L"plakato_win_tests");
  EXPECT_EQ(ui.boxes[0].flags, 16u);
  form.Show();
  EXPECT_TRUE(::IsWindowVisible(form.handle()));
}

TEST_F(FormTest, ErrorsEscapingAHandlerGoToTheErrorBoxAndTheProgramGoesOn) {
  MainWindow form(Options());
  form.Create();
  form.RunHandler([] { throw AppError(L"Cannot create file \"C:\\x\\a.jpg\". The system cannot find the path specified."); });
  form.RunHandler([] { throw AppError(L"qq号不正确"); });
  form.RunHandler([] { throw std::bad_alloc(); });
  ASSERT_EQ(ui.boxes.size(), 3u);
  EXPECT_EQ(ui.boxes[0].text, L"Cannot create file \"C:\\x\\a.jpg\". The system cannot find the path specified.");
  EXPECT_EQ(ui.boxes[1].text, L"qq号不正确.");
  EXPECT_EQ(ui.boxes[2].text, L"内存不足.");
  for (const RecordedBox& box : ui.boxes) {
    EXPECT_EQ(box.caption, ApplicationTitle(L"plakato_win_tests.exe"));
    EXPECT_EQ(box.flags, static_cast<UINT>(MB_OK | MB_ICONSTOP));
  }
  EXPECT_TRUE(::IsWindow(form.handle()));
}

TEST_F(FormTest, ClickingTheLogoPanelShowsTheAboutBox) {
  MainWindow form(Options());
  form.Create();
  HWND logo = form.Control(ControlId::AboutLogo);
  ::SendMessageW(logo, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(30, 30));
  ::SendMessageW(logo, WM_LBUTTONUP, 0, MAKELPARAM(30, 30));
  ASSERT_EQ(ui.boxes.size(), 1u);
  EXPECT_EQ(ui.boxes[0].text, AboutText());
  EXPECT_EQ(ui.boxes[0].caption, L"关于");
  EXPECT_EQ(ui.boxes[0].flags, 64u);

  // A press that is released outside the panel is no click.
  ::SendMessageW(logo, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(30, 30));
  ::SendMessageW(logo, WM_LBUTTONUP, 0, MAKELPARAM(200, 30));
  EXPECT_EQ(ui.boxes.size(), 1u);
}

TEST_F(FormTest, ExitButtonClosesTheWindow) {
  MainWindow form(Options());
  form.Create();
  HWND window = form.handle();
  ::SendMessageW(form.Control(ControlId::ExitButton), BM_CLICK, 0, 0);
  Pump();
  EXPECT_FALSE(::IsWindow(window));
}

TEST_F(FormTest, FocusStartsOnThePagerAndTabWalksPagerEditCheckBox) {
  MainWindow form(Options());
  form.Create();
  // Without a messenger in the test prefix the check box starts disabled.
  ::EnableWindow(form.Control(ControlId::MessengerModeCheck), TRUE);
  form.Show();
  ::SetForegroundWindow(form.handle());
  ::SetActiveWindow(form.handle());
  Pump();
  EXPECT_EQ(::GetFocus(), form.Control(ControlId::FacePager));
  auto pressTab = [&] {
    MSG msg{::GetFocus(), WM_KEYDOWN, VK_TAB, 0x000F0001, 0, {}};
    EXPECT_TRUE(::IsDialogMessageW(form.handle(), &msg));
    Pump();
    return ::GetFocus();
  };
  EXPECT_EQ(pressTab(), form.Control(ControlId::SignTextEdit));
  EXPECT_EQ(pressTab(), form.Control(ControlId::MessengerModeCheck));
  EXPECT_EQ(pressTab(), form.Control(ControlId::FacePager));

  // Clicking a flat button does not take the focus away from the edit.
  ::SetFocus(form.Control(ControlId::SignTextEdit));
  ::SendMessageW(form.Control(ControlId::ExportButton), BM_CLICK, 0, 0);
  EXPECT_EQ(::GetFocus(), form.Control(ControlId::SignTextEdit));
  // The check box drops out of the cycle while disabled.
  ::EnableWindow(form.Control(ControlId::MessengerModeCheck), FALSE);
  EXPECT_EQ(pressTab(), form.Control(ControlId::FacePager));
}

TEST_F(FormTest, AWindowFontThatMeasuresFifteenPixelsScalesTheWholeLayout) {
  MainWindowOptions options = Options();
  // The window font drawn 15 pixels high, as a larger text setting would.
  const FontSpec larger{L"宋体", kGb2312Charset, 15, false};
  options.windowFont = &larger;
  MainWindow form(options);
  form.Create();
  ASSERT_EQ(form.State().measuredTextHeight, 15) << "宋体 asked for 15 pixels should measure 15";
  RECT client;
  ::GetClientRect(form.handle(), &client);
  EXPECT_EQ(client.right, 464);   // 371 * 15 / 12
  EXPECT_EQ(client.bottom, 409);  // 327 * 15 / 12
  RECT exit = RectInForm(form, ControlId::ExitButton);
  EXPECT_EQ(exit.left, 378);
  EXPECT_EQ(exit.top, 294);
  EXPECT_EQ(exit.right - exit.left, 81);
  RECT image = RectInForm(form, ControlId::PlacardImage);
  EXPECT_EQ(image.right - image.left, 464);
  EXPECT_EQ(image.bottom - image.top, 150);
  EXPECT_EQ(FontOf(form.Control(ControlId::TitleLabel)).lfHeight, -36);  // 29 * 15 / 12
  EXPECT_EQ(FontOf(form.Control(ControlId::AboutLogo)).lfHeight, -60);
}

// Every control a user can work, and both commands of the placard's menu
// and shortcuts, reach a handler; no notification reaches two.
TEST(CommandRoutes, EveryWorkableControlAndCommandHasOneHandler) {
  std::set<std::pair<int, int>> routed;
  std::set<int> commands;
  for (const MainWindow::CommandRoute& route : MainWindow::CommandRoutes()) {
    EXPECT_TRUE(routed.insert({route.command, route.notification}).second) << "twice: " << route.command;
    EXPECT_NE(route.handler, nullptr);
    commands.insert(route.command);
  }
  for (const ControlSpec& design : MainFormControls()) {
    bool workable = design.kind == ControlKind::Edit || design.kind == ControlKind::CheckBox ||
                    design.kind == ControlKind::FlatButton || design.kind == ControlKind::PushButton ||
                    design.kind == ControlKind::Image || design.id == ControlId::AboutLogo;
    EXPECT_EQ(commands.count(CommandIdOf(design.id)), workable ? 1u : 0u) << design.name;
  }
  EXPECT_EQ(commands.count(MainWindow::kCopyCommand), 1u);
  EXPECT_EQ(commands.count(MainWindow::kExportCommand), 1u);
  EXPECT_EQ(commands.count(MainWindow::kCopyLargeCommand), 1u);
  EXPECT_EQ(commands.count(MainWindow::kCopyStickerCommand), 1u);
  for (size_t i = 0; i < std::size(kMotions); ++i) {
    EXPECT_EQ(commands.count(MainWindow::kFirstMotionCommand + static_cast<int>(i)), 1u);
  }
  EXPECT_EQ(commands.count(MainWindow::kNextMotionCommand), 1u);
  EXPECT_EQ(routed.size(), 18u);
}

}  // namespace
}  // namespace plakato
