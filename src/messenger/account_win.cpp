// The messenger account: the install folder found at start, the account
// number the user gives, and the switch that sends exports to the messenger.
#include <windows.h>

#include "base/error.h"
#include "base/text.h"
#include "app/input_box_win.h"
#include "app/main_form_win.h"
#include "base/text_win.h"
#include "messenger/registry_win.h"

namespace plakato {

namespace {

// Whether the path names an existing file with a last-write time that a
// DOS date can hold (1980 to 2107); a folder of that name does not count.
bool FileWithDosTimeExists(const std::wstring& path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!::GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return false;
  if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return false;
  FILETIME local{};
  WORD date = 0;
  WORD time = 0;
  return ::FileTimeToLocalFileTime(&data.ftLastWriteTime, &local) && ::FileTimeToDosDateTime(&local, &date, &time);
}

}  // namespace

std::wstring TForm1::ReadQQInstallDir() { return ReadMachineString(L"Software\\Tencent\\QQ", L"Install"); }

void TForm1::ReadMessengerFolder() {
  FQQInstallDir = Trim(ReadQQInstallDir());
  if (FQQInstallDir.empty()) {
    ::EnableWindow(Control("CheckBox1"), FALSE);
    ::EnableWindow(Control("btnSetQQNum"), FALSE);
  }
}

void TForm1::btnSetQQNumClick() {
  SetLabelText("labQQ", L"");
  std::wstring answer = ui_.InputBox(window_, L"输入", L"请输入QQ号：", L"");
  if (Trim(answer).empty()) return;
  // The number goes into the paths as typed; only the file test judges it.
  FPanelDir = FQQInstallDir + answer + L"\\CustomFace\\panel\\";
  FFaceIndexPath = FQQInstallDir + answer + L"\\CustomFace\\face.xml";
  if (!FileWithDosTimeExists(FFaceIndexPath)) {
    FPanelDir.clear();
    FFaceIndexPath.clear();
    SetCheckBox1(false);
    ui_.ShowMessageBox(::GetActiveWindow(), L"qq号不正确或该qq号的配置文件不存在！", L"提示", MB_ICONINFORMATION);
    return;
  }
  // The label first: ticking runs CheckBox1Click, which wants a number shown.
  SetLabelText("labQQ", answer);
  SetCheckBox1(true);
}

void TForm1::CheckBox1Click() {
  if (WindowText(Control("labQQ")).empty()) SetCheckBox1(false);
}

// Ticks or unticks the box as the program does it: a change of state runs
// the box's click handler, as a click would.
void TForm1::SetCheckBox1(bool ticked) {
  HWND box = Control("CheckBox1");
  bool was = ::SendMessageW(box, BM_GETCHECK, 0, 0) == BST_CHECKED;
  if (was == ticked) return;
  ::SendMessageW(box, BM_SETCHECK, ticked ? BST_CHECKED : BST_UNCHECKED, 0);
  CheckBox1Click();
}

}  // namespace plakato
