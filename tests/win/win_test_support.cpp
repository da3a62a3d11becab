#include "win_test_support.h"

#include <commctrl.h>

namespace plakato {

PixelCanvas Capture(HDC source, int x, int y, int width, int height) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HDC memory = ::CreateCompatibleDC(source);
  HBITMAP dib = ::CreateDIBSection(source, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = ::SelectObject(memory, dib);
  ::BitBlt(memory, 0, 0, width, height, source, x, y, SRCCOPY);
  ::GdiFlush();
  PixelCanvas canvas(width, height);
  auto* px = static_cast<const uint32_t*>(bits);
  for (size_t i = 0; i < canvas.pixels.size(); ++i) {
    uint32_t bgrx = px[i];  // 0x00RRGGBB in memory order B, G, R
    canvas.pixels[i] = ((bgrx & 0xFF) << 16) | (bgrx & 0xFF00) | ((bgrx >> 16) & 0xFF);
  }
  ::SelectObject(memory, old);
  ::DeleteObject(dib);
  ::DeleteDC(memory);
  return canvas;
}

int ScriptedUi::ShowMessageBox(HWND, const std::wstring& text, const std::wstring& caption, UINT flags) {
  boxes.push_back({text, caption, flags});
  return IDOK;
}

std::optional<FontDialogAnswer> ScriptedUi::ChooseFont(HWND, const FontChoice& current) {
  fontShown.push_back(current);
  return fontAnswer ? fontAnswer(current) : std::nullopt;
}

bool ScriptedUi::ChooseColour(HWND, ColourChoice& choice) {
  colourShown.push_back(choice);
  return colourAnswer ? colourAnswer(choice) : false;
}

std::wstring ScriptedUi::InputBox(HWND, const std::wstring& caption, const std::wstring& prompt,
                                  const std::wstring& preset) {
  inputPrompts.push_back(caption + L"|" + prompt + L"|" + preset);
  if (inputAnswers.empty()) return preset;
  std::wstring answer = inputAnswers.front();
  inputAnswers.erase(inputAnswers.begin());
  return answer;
}

std::optional<std::wstring> ScriptedUi::SavePicture(HWND, const std::wstring& initialName) {
  saveOffered.push_back(initialName);
  if (saveAnswers.empty()) return std::nullopt;
  std::optional<std::wstring> answer = saveAnswers.front();
  saveAnswers.erase(saveAnswers.begin());
  return answer;
}

std::wstring StatusText(HWND statusBar) {
  wchar_t text[1024] = L"";
  ::SendMessageW(statusBar, SB_GETTEXTW, 0, reinterpret_cast<LPARAM>(text));
  return text;
}

namespace {
void RemoveTree(const std::wstring& folder) {
  WIN32_FIND_DATAW found;
  HANDLE search = ::FindFirstFileW((folder + L"*").c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      std::wstring name = found.cFileName;
      if (name == L"." || name == L"..") continue;
      std::wstring path = folder + name;
      ::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
      if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        RemoveTree(path + L"\\");
        ::RemoveDirectoryW(path.c_str());
      } else {
        ::DeleteFileW(path.c_str());
      }
    } while (::FindNextFileW(search, &found));
    ::FindClose(search);
  }
}
}  // namespace

std::wstring FreshFolder(const std::wstring& name) {
  wchar_t temp[MAX_PATH];
  ::GetTempPathW(MAX_PATH, temp);
  std::wstring folder = std::wstring(temp) + name + L"\\";
  ::CreateDirectoryW(folder.c_str(), nullptr);
  RemoveTree(folder);
  return folder;
}

std::string FileBytes(const std::wstring& path) {
  HANDLE file = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                              0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return {};
  std::string bytes;
  char buffer[65536];
  DWORD got = 0;
  while (::ReadFile(file, buffer, sizeof(buffer), &got, nullptr) && got > 0) bytes.append(buffer, got);
  ::CloseHandle(file);
  return bytes;
}

bool FileExists(const std::wstring& path) {
  DWORD attributes = ::GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

void Pump() {
  MSG msg;
  while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
  }
}

}  // namespace plakato
