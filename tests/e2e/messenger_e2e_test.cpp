// The messenger integration in the real program: a fake messenger install in
// the test prefix (its registry value and an account folder with a realistic
// face.xml), the account set through the real input box, and two exports.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "driver_win.h"
#include "messenger/file_digest_win.h"
#include "fake_messenger.h"

namespace {

using plakato::testing::FakeMessenger;

class MessengerE2e : public testing::Test {
 protected:
  void Launch() {
    app = driver::Process::Launch(driver::OwnFolder() + L"plakato.exe");
    window = driver::WaitForTopWindow(app.id(), L"Plakato - ", 20000);
    ASSERT_NE(window, nullptr);
    checkBox = driver::FindByCaption(window, L"导出至QQ表情");
    setNumber = driver::FindByCaption(window, L"设置QQ号...");
    accountNumber = ::GetWindow(driver::FindByCaption(window, L"QQ："), GW_HWNDNEXT);
    ASSERT_NE(checkBox, nullptr);
    ASSERT_NE(setNumber, nullptr);
  }
  void TearDown() override {
    if (!window) return;
    driver::PressCloseBox(window);
    EXPECT_EQ(app.WaitForExit(10000), 0u);
  }
  // Answers the input box with `number`, as a user types it and presses OK.
  void SetAccount(const std::wstring& number, bool screenshot = false) {
    driver::Click(setNumber);
    HWND box = driver::WaitForDialog(app.id(), 10000);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(driver::ReadText(box), L"输入");
    EXPECT_NE(driver::FindByCaption(box, L"请输入QQ号："), nullptr);
    HWND edit = driver::FindByClass(box, L"Edit");
    ASSERT_NE(edit, nullptr);
    driver::Type(edit, number);
    if (screenshot) {
      ::CreateDirectoryW((driver::OwnFolder() + L"screenshots").c_str(), nullptr);
      driver::Pause(200);
      driver::SaveScreenshot(box, driver::OwnFolder() + L"screenshots\\input-box.bmp");
    }
    driver::Click(driver::FindByCaption(box, L"OK"));
    driver::WaitUntil([&] { return !::IsWindow(box); });
  }
  bool Ticked() { return ::SendMessageW(checkBox, BM_GETCHECK, 0, 0) == BST_CHECKED; }

  driver::Process app;
  HWND window = nullptr;
  HWND checkBox = nullptr;
  HWND setNumber = nullptr;
  HWND accountNumber = nullptr;
};

TEST_F(MessengerE2e, WithoutAMessengerTheControlsAreDisabled) {
  Launch();
  EXPECT_FALSE(::IsWindowEnabled(checkBox));
  EXPECT_FALSE(::IsWindowEnabled(setNumber));
}

TEST_F(MessengerE2e, TwoExportsIntoTheMessengersStore) {
  FakeMessenger messenger(L"plakato-e2e-qq");
  std::string original = plakato::testing::RealisticFaceIndex();
  std::wstring face = messenger.AddAccount(L"10001", original);
  std::wstring panel = face + L"panel\\";
  Launch();
  EXPECT_TRUE(::IsWindowEnabled(checkBox));
  SetAccount(L"10001", /*screenshot=*/true);
  EXPECT_EQ(driver::ReadText(accountNumber), L"10001");
  EXPECT_TRUE(Ticked());

  driver::Type(driver::FindByClass(window, L"Edit"), L"表情");
  HWND status = driver::FindByClass(window, L"msctls_statusbar32");
  HWND exportButton = driver::FindByCaption(window, L"导　出...");
  const std::wstring done = L"导出成功至：" + panel + L"tempfile.jpg";
  for (int round = 0; round < 2; ++round) {
    ::SendMessageW(status, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"-"));
    driver::Click(exportButton);
    std::wstring text;
    for (int i = 0; i < 500 && (text = driver::ReadText(status)) != done; ++i) driver::Pause(20);
    ASSERT_EQ(text, done) << "round " << round;
  }

  driver::SaveScreenshot(window, driver::OwnFolder() + L"screenshots\\messenger-export.bmp");
  std::string id = plakato::ComputeFileDigest(panel + L"tempfile.jpg");
  std::wstring wid(id.begin(), id.end());
  EXPECT_EQ(plakato::testing::ReadBytes(panel + wid + L".jpg"), plakato::testing::ReadBytes(panel + L"tempfile.jpg"));
  EXPECT_EQ(plakato::testing::ReadBytes(panel + wid + L"fixed.bmp").substr(0, 2), "BM");

  std::string index = plakato::testing::ReadBytes(face + L"face.xml");
  EXPECT_TRUE(plakato::testing::TagsBalanced(index));
  std::vector<std::string> lines = plakato::testing::IndexLines(index);
  std::vector<std::string> old = plakato::testing::IndexLines(original);
  ASSERT_EQ(lines.size(), old.size() + 8);
  EXPECT_EQ(lines[7], "<CUSTOMFACEGROUP version=\"1002\" name=\"panel\" count=\"3\">");
  size_t entries = 0;
  for (const std::string& line : lines) entries += line.find("<FACE id=\"" + id + "\"") != std::string::npos;
  EXPECT_EQ(entries, 2u) << "two entries with the same id";
  size_t at = 0;
  for (size_t i = 0; i < old.size(); ++i) {
    if (i == 7) continue;  // the group's opening line carries the new count
    while (at < lines.size() && lines[at] != old[i]) ++at;
    ASSERT_LT(at, lines.size()) << "original line " << i << " lost";
  }
}

}  // namespace
