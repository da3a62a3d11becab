// Benchmark of the export under Wine, with the dialogs answered at once:
//   the export to a file, from the click to the closed file, as JPEG and as PNG;
//   Ctrl+C, Ctrl+Shift+C and the sticker's copy, from the command to the
//   filled clipboard, still and with 举牌 playing;
//   the messenger export with an index of 1,000 entries, click to status text;
//   the messenger export with an index of 100,000 entries against a plain
//   copy of that index file, in the same run.
// Prints medians; nothing passes or fails.
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "app/main_window_win.h"
#include "driver_win.h"
#include "base/com_win.h"
#include "base/files_win.h"
#include "fake_messenger.h"
#include "messenger/face_index.h"
#include "messenger/line_buffer.h"

namespace {

using plakato::testing::FakeMessenger;

class InstantUi : public plakato::UiHost {
 public:
  int ShowMessageBox(HWND, const std::wstring& text, const std::wstring&, UINT) override {
    std::fwprintf(stderr, L"unexpected box: %ls\n", text.c_str());
    return IDOK;
  }
  std::optional<plakato::SavePictureAnswer> SavePicture(HWND, const std::wstring&) override {
    return plakato::SavePictureAnswer(path);
  }
  std::wstring InputBox(HWND, const std::wstring&, const std::wstring&, const std::wstring&) override {
    return account;
  }
  std::wstring path;
  std::wstring account;
};

// An index with `entries` emoticons in its panel group, as the messenger writes it.
std::string IndexWith(int entries) {
  std::string text = "<FACESETTING>\r\n\t<CUSTOMFACE version=\"1002\" count=\"0\">\r\n\t</CUSTOMFACE>\r\n";
  text += "\t<CUSTOMFACEGROUP version=\"1002\" name=\"panel\" count=\"" + std::to_string(entries) + "\">\r\n";
  char id[33];
  for (int i = 0; i < entries; ++i) {
    std::snprintf(id, sizeof id, "%08X%08X%08X%08X", i, i * 7, i * 13, i * 31);
    text += std::string("\t\t<FACE id=\"") + id + "\" shortcut=\"sign " + std::to_string(i) + "\" tip=\"sign " +
            std::to_string(i) + "\" multiframe=\"0\" FileIndex=\"" + std::to_string(i) + "\">\r\n";
    text += std::string("\t\t\t<FILE ORG>") + id + ".JPG</FILE ORG>\r\n";
    text += std::string("\t\t\t<FILE FIXED>") + id + "fixed.bmp</FILE FIXED>\r\n\t\t</FACE>\r\n";
  }
  text += "\t</CUSTOMFACEGROUP>\r\n</FACESETTING>\r\n";
  return text;
}

double TimeClick(HWND button) {
  double start = driver::NowMs();
  ::SendMessageW(button, BM_CLICK, 0, 0);
  return driver::NowMs() - start;
}

}  // namespace

int wmain() {
  INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_WIN95_CLASSES | ICC_COOL_CLASSES | ICC_PAGESCROLLER_CLASS};
  ::InitCommonControlsEx(&icc);
  plakato::OleScope ole;  // as the program holds it
  FakeMessenger messenger(L"plakato-export-bench");
  std::wstring small = messenger.AddAccount(L"1000", IndexWith(1000));
  std::wstring large = messenger.AddAccount(L"100000", IndexWith(100000));

  InstantUi ui;
  ui.path = messenger.install() + L"export.jpg";
  plakato::MainWindowOptions options;
  options.ui = &ui;
  options.quitOnClose = false;
  plakato::MainWindow form(options);
  form.Create();
  form.Show();
  HWND button = form.Control(plakato::ControlId::ExportButton);

  std::vector<double> toFile;
  for (int i = 0; i < 200; ++i) toFile.push_back(TimeClick(button));
  std::printf("export to a file, click to closed file (scene at start): median %.2f ms over %zu exports\n",
              driver::Median(toFile), toFile.size());

  ui.path = messenger.install() + L"export.png";
  std::vector<double> toPng;
  for (int i = 0; i < 200; ++i) toPng.push_back(TimeClick(button));
  std::printf("PNG export to a file, click to closed file: median %.2f ms over %zu exports\n",
              driver::Median(toPng), toPng.size());

  // Ctrl+C and Ctrl+Shift+C as the accelerator sends them; the clipboard is
  // filled on return.
  auto timeCopies = [&](int command, const char* name, int copies, const char* filled) {
    std::vector<double> toClipboard;
    for (int i = 0; i < copies; ++i) {
      double start = driver::NowMs();
      ::SendMessageW(form.handle(), WM_COMMAND, MAKEWPARAM(command, 1), 0);
      toClipboard.push_back(driver::NowMs() - start);
    }
    std::printf("%s, command to filled clipboard%s: median %.2f ms over %zu copies\n", name, filled,
                driver::Median(toClipboard), toClipboard.size());
  };
  for (auto [command, name] : {std::pair{plakato::MainWindow::kCopyCommand, "Ctrl+C"},
                               {plakato::MainWindow::kCopyLargeCommand, "Ctrl+Shift+C (the large picture)"},
                               {plakato::MainWindow::kCopyStickerCommand, "复制贴纸 (the sticker and its WebP file)"}}) {
    timeCopies(command, name, 200, " (the DIB, the PNG announced)");
  }
  // With 举牌 playing: the copy also writes (or finds again) the animation's GIF.
  ::SendMessageW(form.handle(), WM_COMMAND, MAKEWPARAM(plakato::MainWindow::kFirstMotionCommand + 1, 0), 0);
  timeCopies(plakato::MainWindow::kCopyCommand, "Ctrl+C with 举牌 playing (and its GIF file)", 20, "");
  timeCopies(plakato::MainWindow::kCopyStickerCommand, "复制贴纸 with 举牌 playing (the animated sticker)", 20, "");
  ::SendMessageW(form.handle(), WM_COMMAND, MAKEWPARAM(plakato::MainWindow::kFirstMotionCommand, 0), 0);
  // The same, with the PNG made at once as a paste of it asks for it.
  UINT png = ::RegisterClipboardFormatW(L"PNG");
  std::vector<double> toPaste;
  for (int i = 0; i < 200; ++i) {
    double start = driver::NowMs();
    ::SendMessageW(form.handle(), WM_COMMAND, MAKEWPARAM(plakato::MainWindow::kCopyCommand, 1), 0);
    if (::OpenClipboard(nullptr)) {
      ::GetClipboardData(png);
      ::CloseClipboard();
    }
    toPaste.push_back(driver::NowMs() - start);
  }
  std::printf("Ctrl+C and a paste of its PNG: median %.2f ms over %zu\n", driver::Median(toPaste), toPaste.size());

  ui.account = L"1000";
  ::SendMessageW(form.Control(plakato::ControlId::SetAccountButton), BM_CLICK, 0, 0);
  std::vector<double> toMessenger;
  for (int i = 0; i < 100; ++i) toMessenger.push_back(TimeClick(button));
  std::printf("messenger export, index of 1,000 entries (%zu bytes), click to status text: median %.2f ms over %zu\n",
              plakato::testing::ReadBytes(small + L"face.xml").size(), driver::Median(toMessenger),
              toMessenger.size());

  ui.account = L"100000";
  ::SendMessageW(form.Control(plakato::ControlId::SetAccountButton), BM_CLICK, 0, 0);
  std::wstring index = large + L"face.xml";
  std::wstring copy = messenger.install() + L"copy.xml";
  size_t bytes = plakato::testing::ReadBytes(index).size();
  std::vector<double> exports, copies, flushedCopies, reads, loads, patches, saves;
  for (int i = 0; i < 7; ++i) {
    exports.push_back(TimeClick(button));
    double start = driver::NowMs();
    ::CopyFileW(index.c_str(), copy.c_str(), FALSE);
    copies.push_back(driver::NowMs() - start);
    // A copy that is on the disk when it returns, as the index's save is.
    start = driver::NowMs();
    std::string content = plakato::ReadWholeFile(index, FILE_SHARE_READ);
    HANDLE out = ::CreateFileW(copy.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    ::WriteFile(out, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
    ::FlushFileBuffers(out);
    ::CloseHandle(out);
    flushedCopies.push_back(driver::NowMs() - start);
    // The index update alone, step by step, on the same file.
    start = driver::NowMs();
    std::string loaded = plakato::ReadWholeFile(index, FILE_SHARE_READ);
    double t1 = driver::NowMs();
    plakato::LineBuffer memo;
    memo.LoadBytes(loaded);
    double t2 = driver::NowMs();
    plakato::PatchFaceIndex(memo, "0123456789ABCDEF0123456789ABCDEF", "bench");
    double t3 = driver::NowMs();
    const std::string& text = memo.Text();
    plakato::WriteFileReplacing(copy, {reinterpret_cast<const uint8_t*>(text.data()), text.size()});
    double t4 = driver::NowMs();
    reads.push_back(t1 - start);
    loads.push_back(t2 - t1);
    patches.push_back(t3 - t2);
    saves.push_back(t4 - t3);
  }
  double e = driver::Median(exports);
  double c = driver::Median(copies);
  double f = driver::Median(flushedCopies);
  double update = driver::Median(reads) + driver::Median(loads) + driver::Median(patches) + driver::Median(saves);
  std::printf("index of 100,000 entries (%.1f MB), medians of 7:\n", static_cast<double>(bytes) / 1e6);
  std::printf("  whole messenger export %.1f ms\n", e);
  std::printf("  index update: read %.1f + load %.1f + patch %.1f + safe save %.1f = %.1f ms\n", driver::Median(reads),
              driver::Median(loads), driver::Median(patches), driver::Median(saves), update);
  std::printf("  copy of the index: CopyFile %.1f ms; read, write and flush %.1f ms\n", c, f);
  std::printf("  ratio index update / flushed copy %.2f; / CopyFile %.2f\n", update / f, update / c);
  return 0;
}
