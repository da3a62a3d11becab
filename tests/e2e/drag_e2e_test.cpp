// The placard dragged out of the real program with the mouse, onto a window
// of this test program registered as a drop target: the dropped file is the
// export's JPEG of the scene on screen, the bitmap its pixels. The program's
// start removes the old picture files of earlier drags and only those.
#include <windows.h>
#include <ole2.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "base/com_win.h"
#include "driver_win.h"
#include "drop_target.h"
#include "export/crop.h"
#include "export/dib_bytes.h"
#include "export/drag_file_name.h"
#include "export/jpeg_encode.h"
#include "export/picture_drag_win.h"
#include "fake_messenger.h"

namespace {

using plakato::testing::RecordingTarget;
using plakato::testing::TargetWindow;

// Runs this thread's messages for `ms`: the drop target is called from the
// program's drag through them.
void PumpFor(DWORD ms) {
  DWORD start = ::GetTickCount();
  while (::GetTickCount() - start < ms) {
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      ::TranslateMessage(&msg);
      ::DispatchMessageW(&msg);
    }
  }
}

void Mouse(DWORD flags, POINT at = {}) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dwFlags = flags;
  if (flags & MOUSEEVENTF_MOVE) {
    input.mi.dwFlags |= MOUSEEVENTF_ABSOLUTE;
    input.mi.dx = at.x * 65535 / (::GetSystemMetrics(SM_CXSCREEN) - 1);
    input.mi.dy = at.y * 65535 / (::GetSystemMetrics(SM_CYSCREEN) - 1);
  }
  ::SendInput(1, &input, sizeof(input));
  PumpFor(60);
}

std::string Bytes(const std::vector<uint8_t>& v) { return std::string(v.begin(), v.end()); }

void SetWriteTime(const std::wstring& path, int64_t ticks) {
  HANDLE file = ::CreateFileW(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, 0, nullptr);
  FILETIME time{static_cast<DWORD>(ticks), static_cast<DWORD>(static_cast<uint64_t>(ticks) >> 32)};
  ::SetFileTime(file, nullptr, nullptr, &time);
  ::CloseHandle(file);
}

TEST(DragE2e, ThePlacardDraggedOntoAnotherWindowDropsTheExportedPicture) {
  plakato::OleScope ole;
  ASSERT_EQ(ole.result(), S_OK);
  std::wstring folder = plakato::DragFolder();
  ::CreateDirectoryW(folder.c_str(), nullptr);
  FILETIME nowTime;
  ::GetSystemTimeAsFileTime(&nowTime);
  int64_t now = static_cast<int64_t>(static_cast<uint64_t>(nowTime.dwHighDateTime) << 32 | nowTime.dwLowDateTime);
  for (const wchar_t* name : {L"stale.jpg", L"recent.jpg", L"stale.txt"}) {
    plakato::testing::WriteBytes(folder + name, "earlier");
  }
  SetWriteTime(folder + L"stale.jpg", now - 2 * plakato::kDragFileLifetime);
  SetWriteTime(folder + L"stale.txt", now - 2 * plakato::kDragFileLifetime);
  std::wstring dropped = folder + L"拖出.jpg";
  ::DeleteFileW(dropped.c_str());

  RecordingTarget target(DROPEFFECT_COPY);
  TargetWindow targetWindow(&target);
  ASSERT_EQ(targetWindow.registered(), S_OK);

  driver::Process app = driver::Process::Launch(driver::OwnFolder() + L"plakato.exe");
  HWND window = driver::WaitForTopWindow(app.id(), L"Plakato - ", 20000);
  ASSERT_NE(window, nullptr);
  EXPECT_FALSE(::GetFileAttributesW((folder + L"stale.jpg").c_str()) != INVALID_FILE_ATTRIBUTES)
      << "an old picture file outlives the start";
  EXPECT_NE(::GetFileAttributesW((folder + L"recent.jpg").c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_NE(::GetFileAttributesW((folder + L"stale.txt").c_str()), INVALID_FILE_ATTRIBUTES);

  HWND image = driver::FindByClass(window, L"PlakatoImage");
  driver::Type(driver::FindByClass(window, L"Edit"), L"拖出");
  driver::Pause(300);
  SIZE size{};
  std::vector<unsigned> shown = driver::CaptureClient(image, &size);

  RECT imageRect;
  ::GetWindowRect(image, &imageRect);
  POINT from{(imageRect.left + imageRect.right) / 2, (imageRect.top + imageRect.bottom) / 2};
  POINT to = targetWindow.centre();
  Mouse(MOUSEEVENTF_MOVE, from);
  Mouse(MOUSEEVENTF_LEFTDOWN);
  for (int step = 1; step <= 10; ++step) {
    Mouse(MOUSEEVENTF_MOVE, {from.x + (to.x - from.x) * step / 10, from.y + (to.y - from.y) * step / 10});
  }
  PumpFor(300);
  Mouse(MOUSEEVENTF_LEFTUP);
  for (int i = 0; i < 100 && target.drops == 0; ++i) PumpFor(50);

  ASSERT_EQ(target.drops, 1);
  EXPECT_EQ(target.enters, 1);
  EXPECT_EQ(target.file, dropped);
  std::string jpeg = plakato::testing::ReadBytes(dropped);
  ASSERT_GT(target.dib.size(), 40u);
  int width = *reinterpret_cast<const int32_t*>(&target.dib[4]);
  int height = *reinterpret_cast<const int32_t*>(&target.dib[8]);
  plakato::PixelCanvas scene(size.cx, size.cy);
  std::transform(shown.begin(), shown.end(), scene.pixels.begin(), plakato::SwapRedBlue);
  plakato::PixelCanvas crop = plakato::CropPixels(scene, plakato::CropRectangle(size.cx, size.cy, width, height));
  EXPECT_EQ(target.dib, plakato::Dib24Bytes(crop));
  EXPECT_EQ(jpeg, Bytes(plakato::EncodeJpeg(crop)));

  // The program lets go of the drop target on its way out, which this
  // thread answers through its messages.
  driver::PressCloseBox(window);
  DWORD exitCode = STILL_ACTIVE;
  for (int i = 0; i < 200 && exitCode == STILL_ACTIVE; ++i) {
    PumpFor(50);
    exitCode = app.WaitForExit(0);
  }
  EXPECT_EQ(exitCode, 0u);
  ::DeleteFileW(dropped.c_str());
  ::DeleteFileW((folder + L"recent.jpg").c_str());
  ::DeleteFileW((folder + L"stale.txt").c_str());
}

}  // namespace
