// The messenger account: the install folder read from the registry at start,
// and the account number given in the input box, with real registry values
// in the test prefix and real folders under the temporary folder.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <fstream>

#include "app/main_window_win.h"
#include "base/text_win.h"
#include "fake_messenger.h"
#include "win_test_support.h"

namespace plakato {
namespace {

const std::wstring kRejected = L"qq号不正确或该qq号的配置文件不存在！";

// Writes the messenger's registry value for one test and removes it after.
class FakeRegistry {
 public:
  ~FakeRegistry() { testing::FakeMessenger::RemoveInstallValue(); }
  void Set(DWORD type, const void* data, DWORD size) { testing::FakeMessenger::SetValue(type, data, size); }
  void SetString(const std::wstring& text, DWORD type = REG_SZ, REGSAM view = KEY_WOW64_32KEY) {
    testing::FakeMessenger::SetInstallValue(text, type, view);
  }
};

std::wstring TempFolder(const std::wstring& name) {
  wchar_t temp[MAX_PATH];
  ::GetTempPathW(MAX_PATH, temp);
  std::wstring folder = std::wstring(temp) + name + L"\\";
  ::CreateDirectoryW(folder.c_str(), nullptr);
  return folder;
}

// An account folder with CustomFace\face.xml (or a folder of that name).
void MakeAccount(const std::wstring& install, const std::wstring& number, bool indexIsFolder = false) {
  std::wstring account = install + number;
  ::CreateDirectoryW(account.c_str(), nullptr);
  ::CreateDirectoryW((account + L"\\CustomFace").c_str(), nullptr);
  std::wstring index = account + L"\\CustomFace\\face.xml";
  if (indexIsFolder) {
    ::CreateDirectoryW(index.c_str(), nullptr);
  } else {
    std::ofstream(index.c_str()) << "<FACESETTING>\r\n</FACESETTING>\r\n";
  }
}

class AccountTest : public ::testing::Test {
 protected:
  std::unique_ptr<MainWindow> MakeForm() {
    MainWindowOptions options;
    options.ui = &ui;
    options.quitOnClose = false;
    auto form = std::make_unique<MainWindow>(options);
    form->Create();
    return form;
  }
  static bool Enabled(MainWindow& form, ControlId id) { return ::IsWindowEnabled(form.Control(id)) != FALSE; }
  static bool Ticked(MainWindow& form) {
    return ::SendMessageW(form.Control(ControlId::MessengerModeCheck), BM_GETCHECK, 0, 0) == BST_CHECKED;
  }
  static std::wstring Label(MainWindow& form) { return WindowText(form.Control(ControlId::AccountNumber)); }
  static void Click(MainWindow& form, ControlId id) { ::SendMessageW(form.Control(id), BM_CLICK, 0, 0); }

  FakeRegistry registry;
  ScriptedUi ui;
};

TEST_F(AccountTest, NoMessengerDisablesTheControlsSilently) {
  for (int variant = 0; variant < 3; ++variant) {
    if (variant == 1) registry.SetString(L"");
    if (variant == 2) registry.SetString(L"C:\\QQ\\", REG_SZ, KEY_WOW64_64KEY);  // not where the messenger writes
    auto form = MakeForm();
    EXPECT_EQ(form->State().account.installDir(), L"") << variant;
    EXPECT_FALSE(Enabled(*form, ControlId::MessengerModeCheck)) << variant;
    EXPECT_FALSE(Enabled(*form, ControlId::SetAccountButton)) << variant;
    EXPECT_TRUE(ui.boxes.empty()) << variant;
  }
}

TEST_F(AccountTest, InstallFolderIsTrimmedAndAnExpandableStringStaysUnexpanded) {
  registry.SetString(L" \tC:\\Program Files\\QQ\\ \r\n");
  EXPECT_EQ(MakeForm()->State().account.installDir(), L"C:\\Program Files\\QQ\\");
  registry.SetString(L"%ProgramFiles%\\QQ\\", REG_EXPAND_SZ);
  auto form = MakeForm();
  EXPECT_EQ(form->State().account.installDir(), L"%ProgramFiles%\\QQ\\");
  EXPECT_TRUE(Enabled(*form, ControlId::MessengerModeCheck));
  EXPECT_TRUE(Enabled(*form, ControlId::SetAccountButton));
  EXPECT_TRUE(ui.boxes.empty());
}

TEST_F(AccountTest, ValueOfAnotherTypeIsReportedAndLeavesTheControlsEnabled) {
  DWORD number = 12345;
  registry.Set(REG_DWORD, &number, sizeof(number));
  auto form = MakeForm();
  ASSERT_EQ(ui.boxes.size(), 1u);
  EXPECT_EQ(ui.boxes[0].text, L"Invalid data type for 'Install'");
  EXPECT_EQ(ui.boxes[0].flags, static_cast<UINT>(MB_OK | MB_ICONSTOP));
  EXPECT_EQ(form->State().account.installDir(), L"");
  EXPECT_TRUE(Enabled(*form, ControlId::MessengerModeCheck));
  EXPECT_TRUE(Enabled(*form, ControlId::SetAccountButton));
  EXPECT_EQ(form->State().startupSteps.size(), 5u) << "the failing last step is not completed";
}

TEST_F(AccountTest, AnAccountWhoseIndexExistsSwitchesMessengerModeOn) {
  std::wstring install = TempFolder(L"plakato-qq-a");
  MakeAccount(install, L"12345");
  registry.SetString(install);
  auto form = MakeForm();
  ui.inputAnswers = {L"12345"};
  Click(*form, ControlId::SetAccountButton);
  ASSERT_EQ(ui.inputPrompts.size(), 1u);
  EXPECT_EQ(ui.inputPrompts[0], L"输入|请输入QQ号：|");
  EXPECT_EQ(form->State().account.panelDir(), install + L"12345\\CustomFace\\panel\\");
  EXPECT_EQ(form->State().account.faceIndexPath(), install + L"12345\\CustomFace\\face.xml");
  EXPECT_EQ(Label(*form), L"12345");
  EXPECT_TRUE(Ticked(*form));
  EXPECT_TRUE(ui.boxes.empty());

  // The user may untick and tick again while an account is set.
  Click(*form, ControlId::MessengerModeCheck);
  EXPECT_FALSE(Ticked(*form));
  Click(*form, ControlId::MessengerModeCheck);
  EXPECT_TRUE(Ticked(*form));

  // Accepted again while ticked: stays ticked.
  ui.inputAnswers = {L"12345"};
  Click(*form, ControlId::SetAccountButton);
  EXPECT_TRUE(Ticked(*form));
  EXPECT_EQ(Label(*form), L"12345");
}

TEST_F(AccountTest, AnUnknownAccountIsRejectedWithTheMessage) {
  std::wstring install = TempFolder(L"plakato-qq-b");
  MakeAccount(install, L"12345");
  MakeAccount(install, L"777", /*indexIsFolder=*/true);
  registry.SetString(install);
  auto form = MakeForm();
  // Blanks around the number go into the paths; a folder named face.xml is no file.
  for (std::wstring answer : {L" 12345 ", L"99999", L"777"}) {
    ui.inputAnswers = {L"12345"};
    Click(*form, ControlId::SetAccountButton);
    ASSERT_TRUE(Ticked(*form));
    ui.boxes.clear();
    ui.inputAnswers = {answer};
    Click(*form, ControlId::SetAccountButton);
    EXPECT_EQ(form->State().account.panelDir(), L"") << answer;
    EXPECT_EQ(form->State().account.faceIndexPath(), L"") << answer;
    EXPECT_FALSE(Ticked(*form)) << answer;
    EXPECT_EQ(Label(*form), L"") << answer;
    ASSERT_EQ(ui.boxes.size(), 1u) << answer;
    EXPECT_EQ(ui.boxes[0].text, kRejected);
    EXPECT_EQ(ui.boxes[0].caption, L"提示");
    EXPECT_EQ(ui.boxes[0].flags, 64u);
  }
  // Now ready without an account: a click on the box leaves it unticked.
  Click(*form, ControlId::MessengerModeCheck);
  EXPECT_FALSE(Ticked(*form));
}

TEST_F(AccountTest, BlankAnswerOrCancelOnlyEmptiesTheLabel) {
  std::wstring install = TempFolder(L"plakato-qq-c");
  MakeAccount(install, L"12345");
  registry.SetString(install);
  auto form = MakeForm();
  ui.inputAnswers = {L"12345", L"   "};
  Click(*form, ControlId::SetAccountButton);
  Click(*form, ControlId::SetAccountButton);
  EXPECT_EQ(Label(*form), L"");
  EXPECT_TRUE(Ticked(*form)) << "the box keeps its state";
  EXPECT_EQ(form->State().account.panelDir(), install + L"12345\\CustomFace\\panel\\") << "the previous account is kept";
  Click(*form, ControlId::SetAccountButton);  // Cancel: the preset empty text
  EXPECT_EQ(Label(*form), L"");
  EXPECT_TRUE(ui.boxes.empty());
  // Once unticked, the box cannot be ticked again until an account is set.
  Click(*form, ControlId::MessengerModeCheck);
  EXPECT_FALSE(Ticked(*form));
  Click(*form, ControlId::MessengerModeCheck);
  EXPECT_FALSE(Ticked(*form));
}

TEST_F(AccountTest, PathCharactersInTheAnswerAreUsedAsTheyStand) {
  std::wstring install = TempFolder(L"plakato-qq-d");
  TempFolder(L"plakato-qq-d\\sub");
  MakeAccount(install + L"sub\\", L"42");
  registry.SetString(install);
  auto form = MakeForm();
  ui.inputAnswers = {L"sub\\..\\sub\\42"};
  Click(*form, ControlId::SetAccountButton);
  EXPECT_EQ(form->State().account.faceIndexPath(), install + L"sub\\..\\sub\\42\\CustomFace\\face.xml");
  EXPECT_EQ(Label(*form), L"sub\\..\\sub\\42");
  EXPECT_TRUE(Ticked(*form));
}

}  // namespace
}  // namespace plakato
