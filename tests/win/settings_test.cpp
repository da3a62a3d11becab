// The sign's text, font and colour as the user sets them: the message edit
// with its byte limit, and the font and colour dialogs answered through the
// window's seam; checked by the scene fields and the scene's pixels.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <optional>
#include <vector>

#include "app/main_window_win.h"
#include "base/text_win.h"
#include "scene/scene_surface_win.h"
#include "driver_win.h"
#include "win_test_support.h"

namespace plakato {
namespace {

size_t CountPixels(const PixelCanvas& canvas, const std::function<bool(uint32_t)>& match) {
  return static_cast<size_t>(std::count_if(canvas.pixels.begin(), canvas.pixels.end(), match));
}

bool Reddish(uint32_t c) {
  int r = c & 0xFF, g = (c >> 8) & 0xFF, b = (c >> 16) & 0xFF;
  return r > 150 && g < 100 && b < 100;
}

class SettingsTest : public testing::Test {
 protected:
  SettingsTest() : form(Options()) {
    form.Create();
    edit = form.Control(ControlId::SignTextEdit);
    start = Scene();
  }
  MainWindowOptions Options() {
    MainWindowOptions options;
    options.ui = &ui;
    options.quitOnClose = false;
    return options;
  }
  void TearDown() override { EXPECT_TRUE(ui.boxes.empty()) << "unexpected message box"; }
  PixelCanvas Scene() { return Capture(form.State().surface->dc(), 0, 0, 371, 120); }
  void Type(const std::wstring& text) {
    for (wchar_t c : text) ::SendMessageW(edit, WM_CHAR, c, 1);
  }
  std::wstring EditText() { return WindowText(edit); }
  // The sign's font as the font dialog is shown it.
  FontChoice SignFontChoice() {
    SignFont font = form.State().placard.font();
    return {LogFontOf(font, font.HeightAtDpi(kStandardDpi)), font.colour};
  }
  void Click(ControlId id) {
    HWND button = form.Control(id);
    ::SendMessageW(form.handle(), WM_COMMAND, MAKEWPARAM(::GetDlgCtrlID(button), BN_CLICKED),
                   reinterpret_cast<LPARAM>(button));
  }
  FontDialogAnswer Answer(const FontChoice& current) {
    FontDialogAnswer answer;
    answer.font = current.font;
    answer.color = current.color;
    return answer;
  }

  ScriptedUi ui;
  MainWindow form;
  HWND edit = nullptr;
  PixelCanvas start;
};

TEST_F(SettingsTest, TypedTextIsTrimmedAndDrawn) {
  Type(L"  牌子 ");
  EXPECT_EQ(EditText(), L"  牌子 ");
  EXPECT_EQ(form.State().placard.text(), L"牌子");
  EXPECT_NE(Scene().pixels, start.pixels);

  // Deleting everything brings back the default text and the start picture.
  ::SendMessageW(edit, EM_SETSEL, 0, -1);
  ::SendMessageW(edit, WM_CHAR, VK_BACK, 1);
  EXPECT_EQ(EditText(), L"");
  EXPECT_EQ(form.State().placard.text(), L"Quillion");
  EXPECT_EQ(Scene().pixels, start.pixels);

  // Undo is a change like any other.
  ::SendMessageW(edit, EM_UNDO, 0, 0);
  EXPECT_EQ(form.State().placard.text(), L"牌子");
}

TEST_F(SettingsTest, SpacesOnlyGiveTheDefaultTextButIdeographicSpacesAreKept) {
  Type(L"   ");
  EXPECT_EQ(form.State().placard.text(), L"Quillion");
  EXPECT_EQ(Scene().pixels, start.pixels);
  Type(L"\u3000\u3000");
  EXPECT_EQ(form.State().placard.text(), L"\u3000\u3000");
  EXPECT_NE(form.State().layout.signWidth, 0);
}

TEST_F(SettingsTest, TypingStopsAtThirtyBytes) {
  Type(std::wstring(31, L'x'));
  EXPECT_EQ(EditText(), std::wstring(30, L'x'));

  ::SendMessageW(edit, EM_SETSEL, 0, -1);
  ::SendMessageW(edit, WM_CLEAR, 0, 0);
  Type(L"a一二三四五六七八九十甲乙丙丁戊");  // 1 + 30 bytes: the last does not fit
  EXPECT_EQ(EditText(), L"a一二三四五六七八九十甲乙丙丁");
  Type(L"b");  // one byte is still free
  EXPECT_EQ(EditText(), L"a一二三四五六七八九十甲乙丙丁b");
  EXPECT_EQ(form.State().placard.text(), EditText());
}

TEST_F(SettingsTest, CharactersWithoutACodePageFormAreNotTaken) {
  Type(L"a");
  ::SendMessageW(edit, WM_CHAR, 0xD83D, 1);  // U+1F600 as a surrogate pair
  ::SendMessageW(edit, WM_CHAR, 0xDE00, 1);
  Type(L"\u20A9b");  // the won sign has no form in code page 936
  EXPECT_EQ(EditText(), L"ab");
}

TEST_F(SettingsTest, PasteTakesWhatFits) {
  // 40 bytes: ten digits and fifteen Chinese characters.
  driver::SetClipboardText(L"0123456789一二三四五六七八九十甲乙丙丁戊\r\nsecond line");
  ::SendMessageW(edit, WM_PASTE, 0, 0);
  EXPECT_EQ(EditText(), L"0123456789一二三四五六七八九十");
  EXPECT_EQ(form.State().placard.text(), EditText());

  // Ctrl+V on a full edit adds nothing; over a selection it replaces it.
  driver::SetClipboardText(L"XYZ");
  ::SendMessageW(edit, WM_CHAR, 0x16, 1);
  EXPECT_EQ(EditText(), L"0123456789一二三四五六七八九十");
  ::SendMessageW(edit, EM_SETSEL, 0, 2);
  ::SendMessageW(edit, WM_CHAR, 0x16, 1);
  EXPECT_EQ(EditText(), L"XY23456789一二三四五六七八九十");

  // Text without a code page form is left out of a paste.
  ::SendMessageW(edit, EM_SETSEL, 0, -1);
  driver::SetClipboardText(L"a\U0001F600b");
  ::SendMessageW(edit, WM_PASTE, 0, 0);
  EXPECT_EQ(EditText(), L"ab");
}

TEST_F(SettingsTest, CancelledDialogsRedrawTheSamePicture) {
  Type(L"Hello");
  PixelCanvas before = Scene();
  FontChoice fontBefore = SignFontChoice();
  Click(ControlId::FontButton);
  Click(ControlId::SignColourButton);
  ASSERT_EQ(ui.fontShown.size(), 1u);
  ASSERT_EQ(ui.colourShown.size(), 1u);
  FontChoice fontAfter = SignFontChoice();
  EXPECT_EQ(std::memcmp(&fontAfter.font, &fontBefore.font, sizeof(LOGFONTW)), 0);
  EXPECT_EQ(fontAfter.color, fontBefore.color);
  EXPECT_EQ(form.State().placard.signColour(), RGB(255, 255, 255));
  EXPECT_EQ(Scene().pixels, before.pixels);
}

TEST_F(SettingsTest, FontDialogOpensOnTheSceneFontAndItsAnswerBecomesTheSceneFont) {
  ui.fontAnswer = [this](const FontChoice& current) {
    FontDialogAnswer answer = Answer(current);
    wcscpy(answer.font.lfFaceName, L"AR PL SungtiL GB");
    answer.font.lfHeight = -20;
    answer.font.lfWeight = 600;
    answer.font.lfItalic = TRUE;
    answer.font.lfUnderline = TRUE;
    answer.font.lfCharSet = GB2312_CHARSET;
    return answer;
  };
  int widthBefore = form.State().layout.signWidth;
  Click(ControlId::FontButton);
  ASSERT_EQ(ui.fontShown.size(), 1u);
  EXPECT_EQ(ui.fontShown[0].font.lfWeight, FW_BOLD) << "the dialog opens on the bold scene font";
  const FontChoice chosen = SignFontChoice();
  EXPECT_STREQ(chosen.font.lfFaceName, L"AR PL SungtiL GB");
  EXPECT_EQ(chosen.font.lfHeight, -20);
  EXPECT_EQ(chosen.font.lfWeight, FW_BOLD) << "600 draws bold";
  EXPECT_TRUE(chosen.font.lfItalic);
  EXPECT_TRUE(chosen.font.lfUnderline);
  EXPECT_FALSE(chosen.font.lfStrikeOut);
  EXPECT_EQ(chosen.font.lfCharSet, GB2312_CHARSET) << "another face brings its script";
  EXPECT_EQ(std::memcmp(&form.State().surface->font(), &chosen.font, sizeof(LOGFONTW)), 0);
  EXPECT_GT(form.State().layout.signWidth, widthBefore) << "a larger font makes a wider sign";

  // 300 draws normal; the dialog opens on what was chosen before.
  ui.fontAnswer = [this](const FontChoice& current) {
    FontDialogAnswer answer = Answer(current);
    answer.font.lfWeight = 300;
    return answer;
  };
  Click(ControlId::FontButton);
  EXPECT_STREQ(ui.fontShown[1].font.lfFaceName, L"AR PL SungtiL GB");
  EXPECT_EQ(SignFontChoice().font.lfWeight, FW_NORMAL);
}

TEST_F(SettingsTest, SizeAloneKeepsScriptAndColour) {
  BYTE charSet = SignFontChoice().font.lfCharSet;
  COLORREF colour = SignFontChoice().color;
  ui.fontAnswer = [this](const FontChoice& current) {
    FontDialogAnswer answer = Answer(current);
    answer.font.lfHeight = -16;
    answer.font.lfCharSet = ANSI_CHARSET;  // what the dialog's script list happened to show
    answer.color = RGB(255, 0, 0);        // and its colour list
    return answer;
  };
  Click(ControlId::FontButton);
  EXPECT_EQ(SignFontChoice().font.lfHeight, -16);
  EXPECT_EQ(SignFontChoice().font.lfCharSet, charSet);
  EXPECT_EQ(SignFontChoice().color, colour);

  // A script the user picks is taken.
  ui.fontAnswer = [this](const FontChoice& current) {
    FontDialogAnswer answer = Answer(current);
    answer.font.lfCharSet = GB2312_CHARSET;
    answer.scriptChosen = true;
    return answer;
  };
  Click(ControlId::FontButton);
  EXPECT_EQ(SignFontChoice().font.lfCharSet, GB2312_CHARSET);
}

// The font dialog takes only the sizes a picture can hold: a slip such as
// 4816 for 48 is refused there and then, and the size typed next is taken.
// A font from anywhere else is held to 72 points.
TEST_F(SettingsTest, TheFontDialogRefusesSizesPastSeventyTwoPointsAndTheSignHoldsToThem) {
  FontDialogUser user;
  user.sizes = {L"4816", L"5", L"48"};
  ui.fontAnswer = [&](const FontChoice& current) { return user.Run(form.handle(), current); };
  Click(ControlId::FontButton);
  EXPECT_EQ(user.shown, L"8");
  EXPECT_EQ(user.refusals, 2);
  EXPECT_EQ(form.State().placard.font().pointTenths, 480);
  EXPECT_EQ(SignFontChoice().font.lfHeight, -64);

  ui.fontAnswer = [this](const FontChoice& current) {
    FontDialogAnswer answer = Answer(current);
    answer.font.lfHeight = -6421;  // 4816 points at 96 dpi
    return std::optional<FontDialogAnswer>(answer);
  };
  Click(ControlId::FontButton);
  EXPECT_EQ(form.State().placard.font().pointTenths, 720);
  EXPECT_EQ(form.State().surface->font().lfHeight, -96);
}

TEST_F(SettingsTest, RedFromTheColourListTurnsTheTextRed) {
  size_t redBefore = CountPixels(start, Reddish);  // the face has red cheeks
  ui.fontAnswer = [this](const FontChoice& current) {
    FontDialogAnswer answer = Answer(current);
    answer.color = RGB(255, 0, 0);
    answer.colourChosen = true;
    return answer;
  };
  Click(ControlId::FontButton);
  EXPECT_EQ(SignFontChoice().color, RGB(255, 0, 0));
  EXPECT_EQ(form.State().surface->fontColor(), RGB(255, 0, 0));
  EXPECT_GT(CountPixels(Scene(), Reddish), redBefore + 20);
}

TEST_F(SettingsTest, ColourDialogFillsTheSignAndKeepsCustomColoursOnlyOnOk) {
  const COLORREF green = RGB(0, 200, 0);
  size_t greenBefore = CountPixels(start, [&](uint32_t c) { return c == green; });
  ui.colourAnswer = [&](ColourChoice& choice) {
    choice.color = green;
    choice.custom[0] = RGB(1, 2, 3);
    return true;
  };
  Click(ControlId::SignColourButton);
  ASSERT_EQ(ui.colourShown.size(), 1u);
  EXPECT_EQ(ui.colourShown[0].color, RGB(255, 255, 255)) << "opens on the current sign colour";
  for (COLORREF slot : ui.colourShown[0].custom) EXPECT_EQ(slot, RGB(255, 255, 255)) << "custom colours start unset";
  EXPECT_EQ(form.State().placard.signColour(), green);
  PixelCanvas filled = Scene();
  size_t greenAfter = CountPixels(filled, [&](uint32_t c) { return c == green; });
  EXPECT_GT(greenAfter, greenBefore + 500) << "the sign's inside is green";
  EXPECT_EQ(filled.At(2, 2), 0xFFFFFFu) << "the rest of the scene stays white";

  // A cancelled dialog changes neither the colour nor the custom colours.
  ui.colourAnswer = [](ColourChoice& choice) {
    choice.custom[1] = RGB(9, 9, 9);  // what the user did before Cancel
    return false;
  };
  Click(ControlId::SignColourButton);
  EXPECT_EQ(form.State().placard.signColour(), green);
  EXPECT_EQ(Scene().pixels, filled.pixels);
  ui.colourAnswer = nullptr;
  Click(ControlId::SignColourButton);
  ASSERT_EQ(ui.colourShown.size(), 3u);
  EXPECT_EQ(ui.colourShown[2].color, green);
  EXPECT_EQ(ui.colourShown[2].custom[0], RGB(1, 2, 3)) << "custom colours taken over on OK are offered again";
}

TEST_F(SettingsTest, AnotherFaceKeepsTextFontAndColour) {
  Type(L"留着");
  ui.colourAnswer = [](ColourChoice& choice) {
    choice.color = RGB(0, 0, 255);
    return true;
  };
  Click(ControlId::SignColourButton);
  ::SendMessageW(form.Control(ControlId::FacePager), WM_COMMAND, MAKEWPARAM(kFaceCommandBase + 4, BN_CLICKED),
                 reinterpret_cast<LPARAM>(form.Control(ControlId::FaceToolBar)));
  EXPECT_EQ(form.State().placard.face(), 4);
  EXPECT_EQ(form.State().placard.text(), L"留着");
  EXPECT_EQ(form.State().placard.signColour(), RGB(0, 0, 255));
  EXPECT_GT(CountPixels(Scene(), [](uint32_t c) { return c == 0xFF0000u; }), 100u);
}

}  // namespace
}  // namespace plakato
