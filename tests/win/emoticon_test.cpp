// Exports in messenger mode, in-process: the emoticon's files in the panel
// folder, the thumbnail's bytes, the patched face.xml, and each failure with
// its text and the files it leaves.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>

#include "base/code_page.h"
#include "base/error.h"
#include "app/main_window_win.h"
#include "messenger/emoticon_store_win.h"
#include "messenger/file_digest_win.h"
#include "fake_messenger.h"
#include "scene/pixels.h"
#include "win_test_support.h"

namespace plakato {
namespace {

using testing::FakeMessenger;

class EmoticonTest : public ::testing::Test {
 protected:
  EmoticonTest() : messenger(L"plakato-emoticon-test") {
    face = messenger.AddAccount(L"10001", testing::RealisticFaceIndex());
    panel = face + L"panel\\";
    index = face + L"face.xml";
    MainWindowOptions options;
    options.ui = &ui;
    options.quitOnClose = false;
    form = std::make_unique<MainWindow>(options);
    form->Create();
    ui.inputAnswers = {L"10001"};
    ::SendMessageW(form->Control(ControlId::SetAccountButton), BM_CLICK, 0, 0);
  }
  void Type(const std::wstring& text) {
    for (wchar_t c : text) ::SendMessageW(form->Control(ControlId::SignTextEdit), WM_CHAR, c, 1);
  }
  void Export() { ::SendMessageW(form->Control(ControlId::ExportButton), BM_CLICK, 0, 0); }
  std::wstring Status() { return StatusText(form->Control(ControlId::StatusBar)); }
  std::string Id() { return form->State().emoticonId; }
  std::wstring WideId() {
    std::string id = Id();
    return std::wstring(id.begin(), id.end());
  }
  void ExpectFailure(const std::wstring& expected) {
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].text, expected);
    EXPECT_EQ(Status(), L"");
    ui.boxes.clear();
  }
  size_t PanelFiles() {
    size_t n = 0;
    WIN32_FIND_DATAW found;
    HANDLE search = ::FindFirstFileW((panel + L"*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return 0;
    do {
      if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) ++n;
    } while (::FindNextFileW(search, &found));
    ::FindClose(search);
    return n;
  }

  FakeMessenger messenger;
  std::wstring face, panel, index;
  ScriptedUi ui;
  std::unique_ptr<MainWindow> form;
};

TEST_F(EmoticonTest, TwoExportsStoreTheEmoticonTwiceAndRaiseTheCountByTwo) {
  ASSERT_EQ(::SendMessageW(form->Control(ControlId::MessengerModeCheck), BM_GETCHECK, 0, 0), BST_CHECKED);
  std::string before = FileBytes(index);
  Type(L"A&B<\"举\">");
  Export();
  ASSERT_TRUE(ui.boxes.empty()) << std::string(ui.boxes.empty() ? "" : "error box shown");
  EXPECT_TRUE(ui.saveOffered.empty()) << "no save dialog in messenger mode";
  EXPECT_EQ(Status(), L"导出成功至：" + panel + L"tempfile.jpg");

  std::string id = Id();
  ASSERT_EQ(id.size(), 32u);
  EXPECT_TRUE(std::all_of(id.begin(), id.end(), [](char c) { return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F'); }));
  std::wstring wid = WideId();
  std::string jpeg = FileBytes(panel + L"tempfile.jpg");
  EXPECT_EQ(FileBytes(panel + wid + L".jpg"), jpeg);
  EXPECT_EQ(ComputeFileDigest(panel + wid + L".jpg"), id) << "the picture's name is its own digest";
  EXPECT_TRUE(FileExists(panel + wid + L"fixed.bmp"));

  std::vector<std::string> lines = testing::IndexLines(FileBytes(index));
  std::vector<std::string> old = testing::IndexLines(before);
  ASSERT_EQ(lines.size(), old.size() + 4);
  EXPECT_EQ(lines[7], "<CUSTOMFACEGROUP version=\"1002\" name=\"panel\" count=\"2\">");
  std::string text = "A&amp;B&lt;&quot;" + *EncodeCp936(L"举") + "&quot;&gt;";
  EXPECT_EQ(lines[12], "<FACE id=\"" + id + "\" shortcut=\"" + text + "\" tip=\"" + text + "\" multiframe=\"0\">");
  EXPECT_EQ(lines[13], "<FILE ORG>" + id + ".JPG</FILE ORG>");
  EXPECT_EQ(lines[14], "<FILE FIXED>" + id + "fixed.bmp</FILE FIXED>");
  EXPECT_EQ(lines[15], "</FACE>");
  EXPECT_EQ(lines[16], "\t</CUSTOMFACEGROUP>");

  // The same picture again: the same files, a second entry with the same id.
  Export();
  ASSERT_TRUE(ui.boxes.empty());
  EXPECT_EQ(Id(), id);
  EXPECT_EQ(FileBytes(panel + L"tempfile.jpg"), jpeg);
  EXPECT_EQ(PanelFiles(), 3u);
  std::string twice = FileBytes(index);
  lines = testing::IndexLines(twice);
  ASSERT_EQ(lines.size(), old.size() + 8);
  EXPECT_EQ(lines[7], "<CUSTOMFACEGROUP version=\"1002\" name=\"panel\" count=\"3\">");
  EXPECT_EQ(lines[16], lines[12]);
  EXPECT_TRUE(testing::TagsBalanced(twice));
  // Every original line is still there, in order (the group line rebuilt).
  size_t at = 0;
  for (size_t i = 0; i < old.size(); ++i) {
    if (i == 7) continue;
    while (at < lines.size() && lines[at] != old[i]) ++at;
    ASSERT_LT(at, lines.size()) << "line " << i << " lost";
  }
}

TEST_F(EmoticonTest, TheThumbnailIsImageThreeOnWhiteInTheScreensDepth) {
  Export();
  ASSERT_TRUE(ui.boxes.empty());
  std::string bmp = FileBytes(panel + WideId() + L"fixed.bmp");
  HDC screen = ::GetDC(nullptr);
  int depth = ::GetDeviceCaps(screen, BITSPIXEL);
  ::ReleaseDC(nullptr, screen);
  ASSERT_EQ(depth, 32) << "the test display runs in 32-bit colour";
  ASSERT_EQ(bmp.size(), 1078u);
  auto u32 = [&](size_t at) {
    return static_cast<uint32_t>(static_cast<uint8_t>(bmp[at])) | static_cast<uint8_t>(bmp[at + 1]) << 8 |
           static_cast<uint8_t>(bmp[at + 2]) << 16 | static_cast<uint32_t>(static_cast<uint8_t>(bmp[at + 3])) << 24;
  };
  EXPECT_EQ(bmp.substr(0, 2), "BM");
  EXPECT_EQ(u32(2), 1078u);
  EXPECT_EQ(u32(10), 54u);
  EXPECT_EQ(u32(14), 40u);
  EXPECT_EQ(u32(18), 16u);
  EXPECT_EQ(u32(22), 16u);
  EXPECT_EQ(bmp[28], 32);
  PixelCanvas expected;
  ASSERT_TRUE(ImageList(PieceArtwork()).GetBitmap(PieceIndex(Piece::Thumbnail), expected));
  for (int y = 0; y < 16; ++y) {
    for (int x = 0; x < 16; ++x) {
      uint32_t bgrx = u32(54 + static_cast<size_t>(15 - y) * 64 + x * 4) & 0xFFFFFF;
      uint32_t c = expected.At(x, y);  // 0x00BBGGRR
      EXPECT_EQ(bgrx, ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF)) << x << "," << y;
    }
  }
}

TEST_F(EmoticonTest, ABadCountStopsBeforeTheIndexIsWritten) {
  std::string bad = testing::RealisticFaceIndex();
  bad.replace(bad.find("name=\"panel\" count=\"1\""), 22, "name=\"panel\" count=\"abc\"");
  testing::WriteBytes(index, bad);
  Export();
  ExpectFailure(L"'abc' is not a valid integer value.");  // the error box adds the full stop
  EXPECT_EQ(FileBytes(index), bad);
  EXPECT_EQ(PanelFiles(), 3u) << "the picture, its copy and the thumbnail are written before";
}

TEST_F(EmoticonTest, AnIndexThatCannotBeReadOrReplacedStaysAsItWas) {
  std::string before = FileBytes(index);
  ::SetFileAttributesW(index.c_str(), FILE_ATTRIBUTE_READONLY);
  Export();
  ExpectFailure(L"Cannot create file \"" + index + L"\". Access denied.");
  ::SetFileAttributesW(index.c_str(), FILE_ATTRIBUTE_NORMAL);
  EXPECT_EQ(FileBytes(index), before);

  // Another program holds it open for writing.
  HANDLE writer = ::CreateFileW(index.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  Export();
  ExpectFailure(L"Cannot open file \"" + index + L"\". Sharing violation.");
  ::CloseHandle(writer);
  EXPECT_EQ(FileBytes(index), before);

  // It has become a folder.
  ::DeleteFileW(index.c_str());
  ::CreateDirectoryW(index.c_str(), nullptr);
  Export();
  ASSERT_EQ(ui.boxes.size(), 1u);
  EXPECT_EQ(ui.boxes[0].text.rfind(L"Cannot open file \"" + index + L"\". ", 0), 0u) << ui.boxes[0].text.size();
  EXPECT_EQ(Status(), L"");
}

TEST_F(EmoticonTest, APanelFolderThatIsGoneStopsTheExportAtOnce) {
  std::string before = FileBytes(index);
  ::RemoveDirectoryW(panel.c_str());
  Export();
  ExpectFailure(L"Cannot create file \"" + panel + L"tempfile.jpg\". Path not found.");
  EXPECT_EQ(FileBytes(index), before);
  EXPECT_EQ(::GetFileAttributesW(panel.c_str()), INVALID_FILE_ATTRIBUTES) << "the folder is never created";
}

}  // namespace
}  // namespace plakato

namespace plakato {
namespace {

// Text that reached the sign by a way around the message edit is refused
// before any file is written, and the index keeps its bytes.
TEST_F(EmoticonTest, ASignTextOutsideTheRulesWritesNoFileAtAll) {
  const std::string before = FileBytes(index);
  MessengerAccount account(panel, index);
  ImageList pieces(PieceArtwork());
  const std::vector<uint8_t> jpeg{0xFF, 0xD8, 0xFF, 0xD9};
  for (const std::wstring& text : {std::wstring(16, L'字'), std::wstring(L"ab\U0001F600")}) {
    EmoticonStore store(account, pieces);
    EXPECT_THROW(store.Store(jpeg, text), AppError);
    EXPECT_EQ(PanelFiles(), 0u);
    EXPECT_EQ(FileBytes(index), before);
  }
}

}  // namespace
}  // namespace plakato
