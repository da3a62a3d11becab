// The messenger integration in the real program: a fake messenger install in
// the test prefix (its registry value and an account folder), the account set
// through the real input box.
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "driver_win.h"

namespace {

constexpr wchar_t kQQKey[] = L"Software\\Tencent\\QQ";

// The messenger's registry value, where its 32-bit program writes it; removed
// again when the test ends.
class FakeMessenger {
 public:
  explicit FakeMessenger(const std::wstring& name) {
    wchar_t temp[MAX_PATH];
    ::GetTempPathW(MAX_PATH, temp);
    install_ = std::wstring(temp) + name + L"\\";
    ::CreateDirectoryW(install_.c_str(), nullptr);
    HKEY key = nullptr;
    ::RegCreateKeyExW(HKEY_LOCAL_MACHINE, kQQKey, 0, nullptr, 0, KEY_SET_VALUE | KEY_WOW64_32KEY, nullptr, &key,
                      nullptr);
    ::RegSetValueExW(key, L"Install", 0, REG_SZ, reinterpret_cast<const BYTE*>(install_.c_str()),
                     static_cast<DWORD>((install_.size() + 1) * sizeof(wchar_t)));
    ::RegCloseKey(key);
  }
  ~FakeMessenger() { ::RegDeleteKeyExW(HKEY_LOCAL_MACHINE, kQQKey, KEY_WOW64_32KEY, 0); }
  FakeMessenger(const FakeMessenger&) = delete;
  FakeMessenger& operator=(const FakeMessenger&) = delete;

  // An account folder with its CustomFace\panel folder and face.xml.
  std::wstring AddAccount(const std::wstring& number, const std::string& index) {
    std::wstring face = install_ + number + L"\\CustomFace\\";
    ::CreateDirectoryW((install_ + number).c_str(), nullptr);
    ::CreateDirectoryW(face.c_str(), nullptr);
    ::CreateDirectoryW((face + L"panel").c_str(), nullptr);
    std::ofstream((face + L"face.xml").c_str(), std::ios::binary) << index;
    return face;
  }
  const std::wstring& install() const { return install_; }

 private:
  std::wstring install_;
};

class MessengerE2e : public testing::Test {
 protected:
  void Launch() {
    app = driver::Process::Launch(driver::OwnFolder() + L"plakato.exe");
    window = driver::WaitForTopWindow(app.id(), L"Plakato - ", 20000);
    ASSERT_NE(window, nullptr);
    checkBox = driver::FindByCaption(window, L"导出至QQ表情");
    setNumber = driver::FindByCaption(window, L"设置QQ号...");
    labQQ = ::GetWindow(driver::FindByCaption(window, L"QQ："), GW_HWNDNEXT);
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
    for (int i = 0; i < 200 && ::IsWindow(box); ++i) driver::Pause(10);
  }
  bool Ticked() { return ::SendMessageW(checkBox, BM_GETCHECK, 0, 0) == BST_CHECKED; }

  driver::Process app;
  HWND window = nullptr;
  HWND checkBox = nullptr;
  HWND setNumber = nullptr;
  HWND labQQ = nullptr;
};

TEST_F(MessengerE2e, WithoutAMessengerTheControlsAreDisabled) {
  Launch();
  EXPECT_FALSE(::IsWindowEnabled(checkBox));
  EXPECT_FALSE(::IsWindowEnabled(setNumber));
}

TEST_F(MessengerE2e, TheInputBoxSetsTheAccount) {
  FakeMessenger messenger(L"plakato-e2e-qq");
  messenger.AddAccount(L"10001", "<FACESETTING>\r\n</FACESETTING>\r\n");
  Launch();
  EXPECT_TRUE(::IsWindowEnabled(checkBox));
  SetAccount(L"10001", /*screenshot=*/true);
  EXPECT_EQ(driver::ReadText(labQQ), L"10001");
  EXPECT_TRUE(Ticked());
}

}  // namespace
