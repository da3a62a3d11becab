// Dragging the placard out in-process: the data object's formats and the
// bytes behind each, the drag without a writable folder, the start-up
// cleaning of old picture files, and the window's own drag gesture with its
// drop on a window registered as a drop target.
#include <windows.h>
#include <ole2.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "app/main_window_win.h"
#include "base/com_win.h"
#include "base/files_win.h"
#include "export/crop.h"
#include "export/dib_bytes.h"
#include "export/drag_file_name.h"
#include "export/picture_data_object_win.h"
#include "export/picture_drag_win.h"
#include "export/png_codec_win.h"
#include "drop_target.h"
#include "fake_messenger.h"
#include "win_test_support.h"

namespace plakato {
namespace {

using testing::BlockBytes;
using testing::DataOf;
using testing::DroppedFile;
using testing::Format;
using testing::RecordingTarget;
using testing::TargetWindow;

// A scene whose every pixel differs from its neighbours, so that a crop off
// by one row or column, or a channel swapped, shows.
PixelCanvas TestScene() {
  PixelCanvas scene(371, 120);
  for (int y = 0; y < scene.height; ++y) {
    for (int x = 0; x < scene.width; ++x) {
      scene.At(x, y) = static_cast<uint32_t>((x * 7 + y) & 0xFF) | static_cast<uint32_t>((y * 5) & 0xFF) << 8 |
                       static_cast<uint32_t>((x + y * 3) & 0xFF) << 16;
    }
  }
  return scene;
}

const SceneLayout kLayout{101, 61};

std::vector<CLIPFORMAT> EnumeratedFormats(IDataObject* data) {
  std::vector<CLIPFORMAT> formats;
  ComPtr<IEnumFORMATETC> formatsEnum;
  EXPECT_EQ(data->EnumFormatEtc(DATADIR_GET, formatsEnum.put()), S_OK);
  if (!formatsEnum) return formats;
  FORMATETC etc;
  ULONG got = 0;
  while (formatsEnum->Next(1, &etc, &got) == S_OK && got == 1) {
    EXPECT_EQ(etc.tymed, static_cast<DWORD>(TYMED_HGLOBAL));
    EXPECT_EQ(etc.dwAspect, static_cast<DWORD>(DVASPECT_CONTENT));
    formats.push_back(etc.cfFormat);
  }
  return formats;
}

class DragTest : public ::testing::Test {
 protected:
  DragTest() : scene(TestScene()), picture(scene, kLayout) { folder = FreshFolder(L"plakato-drag-test"); }

  // What the export writes for the same scene and layout.
  std::string ExportedJpeg() {
    std::wstring path = folder + L"export.jpg";
    PictureExport(scene, kLayout).WriteJpeg(path);
    std::string bytes = FileBytes(path);
    ::DeleteFileW(path.c_str());
    return bytes;
  }

  OleScope ole;
  PixelCanvas scene;
  PictureExport picture;
  std::wstring folder;
};

TEST_F(DragTest, OffersExactlyTheFileTheBitmapAndThePng) {
  ComPtr<IDataObject> data = MakePictureDataObject(picture, L"举牌", folder);
  for (CLIPFORMAT format : {CLIPFORMAT{CF_HDROP}, CLIPFORMAT{CF_DIB}, PngClipboardFormat()}) {
    FORMATETC etc = Format(format);
    EXPECT_EQ(data->QueryGetData(&etc), S_OK) << format;
    FORMATETC any = Format(format, TYMED_HGLOBAL | TYMED_ISTREAM);
    EXPECT_EQ(data->QueryGetData(&any), S_OK) << format;
    FORMATETC stream = Format(format, TYMED_ISTREAM);
    EXPECT_EQ(data->QueryGetData(&stream), DV_E_TYMED) << format;
    FORMATETC thumbnail = Format(format, TYMED_HGLOBAL, DVASPECT_THUMBNAIL);
    EXPECT_EQ(data->QueryGetData(&thumbnail), DV_E_DVASPECT) << format;
  }
  for (CLIPFORMAT other : {CLIPFORMAT{CF_TEXT}, CLIPFORMAT{CF_UNICODETEXT}, CLIPFORMAT{CF_BITMAP},
                           CLIPFORMAT{CF_DIBV5}}) {
    FORMATETC etc = Format(other);
    EXPECT_EQ(data->QueryGetData(&etc), DV_E_FORMATETC) << other;
    STGMEDIUM medium{};
    EXPECT_EQ(data->GetData(&etc, &medium), DV_E_FORMATETC) << other;
    EXPECT_EQ(medium.hGlobal, nullptr);
  }
  EXPECT_EQ(EnumeratedFormats(data.get()),
            (std::vector<CLIPFORMAT>{CF_HDROP, CF_DIB, PngClipboardFormat()}));
  ComPtr<IEnumFORMATETC> setting;
  EXPECT_EQ(data->EnumFormatEtc(DATADIR_SET, setting.put()), E_NOTIMPL);
  EXPECT_FALSE(setting);
  DWORD connection = 0;
  EXPECT_EQ(data->DAdvise(nullptr, 0, nullptr, &connection), OLE_E_ADVISENOTSUPPORTED);
  EXPECT_EQ(PngClipboardFormat(), ::RegisterClipboardFormatW(L"PNG"));
}

TEST_F(DragTest, TheFileIsTheExportsJpegNamedAfterTheSign) {
  ComPtr<IDataObject> data = MakePictureDataObject(picture, L"举牌?", folder);
  std::wstring path = DroppedFile(data.get());
  EXPECT_EQ(path, folder + L"举牌_.jpg");
  std::string expected = ExportedJpeg();
  ASSERT_FALSE(expected.empty());
  EXPECT_EQ(FileBytes(path), expected);
  // Nothing else is left in the folder: the safe write's temporary file is gone.
  EXPECT_EQ(FolderNames(folder), (std::set<std::wstring>{L"举牌_.jpg"}));
}

TEST_F(DragTest, TheBitmapAndThePngHoldTheCropsPixels) {
  ComPtr<IDataObject> data = MakePictureDataObject(picture, L"x", folder);
  PixelCanvas crop = ExportedPicture(scene, kLayout);
  ASSERT_EQ(crop.width, 101);
  EXPECT_EQ(DataOf(data.get(), CF_DIB), Dib24Bytes(crop));

  std::vector<uint8_t> png = DataOf(data.get(), PngClipboardFormat());
  DecodedPreview decoded = DecodePicturePreview(png, 1000, 1000);
  EXPECT_EQ(decoded.width, crop.width);
  EXPECT_EQ(decoded.height, crop.height);
  EXPECT_EQ(decoded.picture.pixels, crop.pixels);
}

TEST_F(DragTest, EachGetDataHandsOutABlockOfItsOwn) {
  ComPtr<IDataObject> data = MakePictureDataObject(picture, L"x", folder);
  FORMATETC etc = Format(CF_DIB);
  STGMEDIUM first{}, second{};
  ASSERT_EQ(data->GetData(&etc, &first), S_OK);
  ASSERT_EQ(data->GetData(&etc, &second), S_OK);
  EXPECT_NE(first.hGlobal, second.hGlobal);
  std::vector<uint8_t> kept = BlockBytes(second.hGlobal);
  ::ReleaseStgMedium(&first);  // the caller's to free: the other block stays whole
  EXPECT_EQ(BlockBytes(second.hGlobal), kept);
  ::ReleaseStgMedium(&second);
  data.reset();  // the object goes; a block taken before it stays the caller's
}

TEST_F(DragTest, ReferencesAreCountedAndOnlyItsInterfacesAreGiven) {
  ComPtr<IDataObject> data = MakePictureDataObject(picture, L"x", folder);
  EXPECT_EQ(data->AddRef(), 2u);
  EXPECT_EQ(data->Release(), 1u);
  ComPtr<IUnknown> unknown;
  ASSERT_EQ(data->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(unknown.put())), S_OK);
  EXPECT_EQ(static_cast<void*>(unknown.get()), static_cast<void*>(data.get()));
  EXPECT_EQ(data->AddRef(), 3u);  // this one, the unknown's, and the test's own
  data->Release();
  void* target = reinterpret_cast<void*>(1);
  EXPECT_EQ(data->QueryInterface(IID_IDropTarget, &target), E_NOINTERFACE);
  EXPECT_EQ(target, nullptr);

  ComPtr<IDropSource> source = MakeDropSource();
  ComPtr<IDropSource> again;
  EXPECT_EQ(source->QueryInterface(IID_IDropSource, reinterpret_cast<void**>(again.put())), S_OK);
  EXPECT_EQ(again.get(), source.get());
  EXPECT_EQ(source->QueryInterface(IID_IDataObject, &target), E_NOINTERFACE);
}

TEST_F(DragTest, TheDropSourceDropsOnReleaseAndCancelsOnEscape) {
  ComPtr<IDropSource> source = MakeDropSource();
  EXPECT_EQ(source->QueryContinueDrag(FALSE, MK_LBUTTON), S_OK);
  EXPECT_EQ(source->QueryContinueDrag(FALSE, MK_LBUTTON | MK_CONTROL), S_OK);
  EXPECT_EQ(source->QueryContinueDrag(FALSE, 0), DRAGDROP_S_DROP);
  EXPECT_EQ(source->QueryContinueDrag(FALSE, MK_SHIFT), DRAGDROP_S_DROP);
  EXPECT_EQ(source->QueryContinueDrag(TRUE, MK_LBUTTON), DRAGDROP_S_CANCEL);
  EXPECT_EQ(source->QueryContinueDrag(TRUE, 0), DRAGDROP_S_CANCEL);
  EXPECT_EQ(source->GiveFeedback(DROPEFFECT_COPY), DRAGDROP_S_USEDEFAULTCURSORS);
}

TEST_F(DragTest, AFolderThatCannotBeMadeStillOffersTheBitmapAndThePng) {
  // A folder inside a file can never be made.
  std::wstring blocker = folder + L"blocker";
  testing::WriteBytes(blocker, "x");
  ComPtr<IDataObject> data = MakePictureDataObject(picture, L"举牌", blocker + L"\\drag\\");
  FORMATETC file = Format(CF_HDROP);
  EXPECT_EQ(data->QueryGetData(&file), DV_E_FORMATETC);
  EXPECT_EQ(DroppedFile(data.get()), L"");
  EXPECT_EQ(EnumeratedFormats(data.get()), (std::vector<CLIPFORMAT>{CF_DIB, PngClipboardFormat()}));
  EXPECT_EQ(DataOf(data.get(), CF_DIB), Dib24Bytes(ExportedPicture(scene, kLayout)));
  EXPECT_FALSE(DataOf(data.get(), PngClipboardFormat()).empty());
  EXPECT_EQ(FolderNames(folder), (std::set<std::wstring>{L"blocker"}));

  // No temporary folder at all: the same two formats.
  ComPtr<IDataObject> none = MakePictureDataObject(picture, L"举牌", L"");
  EXPECT_EQ(EnumeratedFormats(none.get()), (std::vector<CLIPFORMAT>{CF_DIB, PngClipboardFormat()}));
}

TEST_F(DragTest, AFileInUseKeepsItsBytesAndTheDragGetsAFileOfItsOwn) {
  std::wstring path = folder + L"举牌.jpg";
  testing::WriteBytes(path, "earlier drag");
  HANDLE held = ::CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  std::wstring whyNoFile = L"not told";
  ComPtr<IDataObject> data = MakePictureDataObject(picture, L"举牌", folder, &whyNoFile);
  ::CloseHandle(held);
  EXPECT_EQ(FileBytes(path), "earlier drag");
  EXPECT_EQ(DroppedFile(data.get()), folder + L"1\\举牌.jpg");
  EXPECT_EQ(FileBytes(folder + L"1\\举牌.jpg"), ExportedJpeg());
  EXPECT_EQ(whyNoFile, L"");
  EXPECT_EQ(FolderNames(folder), (std::set<std::wstring>{L"举牌.jpg", L"1"}));
}

// A chat that keeps a dropped file's path until the message is sent must
// still send the picture that was dropped, whatever is dragged later.
TEST_F(DragTest, EveryDragsFileIsItsOwnAndNoFileIsOverwritten) {
  PixelCanvas otherScene = TestScene();
  otherScene.At(200, 100) ^= 0xFFFFFF;
  PictureExport other(otherScene, kLayout);
  const std::string first = ExportedJpeg();
  const std::string second(other.Jpeg().begin(), other.Jpeg().end());
  ASSERT_NE(first, second);

  ComPtr<IDataObject> a = MakePictureDataObject(picture, L"hi", folder);
  ComPtr<IDataObject> b = MakePictureDataObject(other, L"hi", folder);
  EXPECT_EQ(DroppedFile(a.get()), folder + L"hi.jpg");
  EXPECT_EQ(DroppedFile(b.get()), folder + L"1\\hi.jpg");
  EXPECT_EQ(FileBytes(folder + L"hi.jpg"), first);
  EXPECT_EQ(FileBytes(folder + L"1\\hi.jpg"), second);
  // The same picture again is the same file again; a third picture goes on.
  ComPtr<IDataObject> again = MakePictureDataObject(picture, L"hi", folder);
  EXPECT_EQ(DroppedFile(again.get()), folder + L"hi.jpg");
  PixelCanvas thirdScene = TestScene();
  thirdScene.At(150, 90) ^= 0xFFFFFF;
  PictureExport third(thirdScene, kLayout);
  ComPtr<IDataObject> c = MakePictureDataObject(third, L"hi", folder);
  EXPECT_EQ(DroppedFile(c.get()), folder + L"2\\hi.jpg");
  EXPECT_EQ(FileBytes(folder + L"1\\hi.jpg"), second);

  // Names that differ only in case, or in characters a file name refuses,
  // are the same file name to Windows.
  ComPtr<IDataObject> upper = MakePictureDataObject(picture, L"Case", folder);
  ComPtr<IDataObject> lower = MakePictureDataObject(other, L"case", folder);
  EXPECT_EQ(DroppedFile(upper.get()), folder + L"Case.jpg");
  EXPECT_EQ(DroppedFile(lower.get()), folder + L"1\\case.jpg");
  EXPECT_EQ(FileBytes(folder + L"Case.jpg"), first);
  ComPtr<IDataObject> ask = MakePictureDataObject(picture, L"a?b", folder);
  ComPtr<IDataObject> star = MakePictureDataObject(other, L"a*b", folder);
  EXPECT_EQ(DroppedFile(ask.get()), folder + L"a_b.jpg");
  EXPECT_EQ(DroppedFile(star.get()), folder + L"1\\a_b.jpg");
  EXPECT_EQ(FileBytes(folder + L"a_b.jpg"), first);
  EXPECT_EQ(FileBytes(folder + L"1\\a_b.jpg"), second);
}

TEST_F(DragTest, ADragWithoutAFileSaysWhy) {
  std::wstring blocker = folder + L"blocker";
  testing::WriteBytes(blocker, "x");
  std::wstring why;
  ComPtr<IDataObject> data = MakePictureDataObject(picture, L"举牌", blocker + L"\\drag\\", &why);
  EXPECT_EQ(EnumeratedFormats(data.get()), (std::vector<CLIPFORMAT>{CF_DIB, PngClipboardFormat()}));
  EXPECT_TRUE(why.starts_with(L"无法写入" + blocker + L"\\drag\\（")) << std::string(why.begin(), why.end());
  EXPECT_TRUE(why.ends_with(L"），这次拖出的只有图像，没有文件"));
  MakePictureDataObject(picture, L"举牌", L"", &why);
  EXPECT_EQ(why, L"系统没有临时文件夹，这次拖出的只有图像，没有文件");
}

TEST_F(DragTest, StartUpCleaningEmptiesOldNumberedFoldersOnly) {
  FILETIME nowTime;
  ::GetSystemTimeAsFileTime(&nowTime);
  int64_t now = static_cast<int64_t>(static_cast<uint64_t>(nowTime.dwHighDateTime) << 32 | nowTime.dwLowDateTime);
  int64_t twoDaysAgo = now - 2 * kDragFileLifetime;
  for (const wchar_t* sub : {L"1", L"2", L"keep", L"07"}) {
    ::CreateDirectoryW((folder + sub).c_str(), nullptr);
    testing::WriteBytes(folder + sub + L"\\old.jpg", "picture");
    SetWriteTime(folder + sub + L"\\old.jpg", twoDaysAgo);
  }
  testing::WriteBytes(folder + L"2\\recent.jpg", "picture");
  for (const wchar_t* sub : {L"1", L"2", L"keep", L"07"}) SetWriteTime(folder + sub, twoDaysAgo);

  EXPECT_EQ(RemoveStaleDragFiles(folder, now), 2u);
  EXPECT_EQ(FolderNames(folder), (std::set<std::wstring>{L"2", L"keep", L"07"}));
  EXPECT_EQ(FolderNames(folder + L"2\\"), (std::set<std::wstring>{L"recent.jpg"}));
  EXPECT_EQ(FolderNames(folder + L"keep\\"), (std::set<std::wstring>{L"old.jpg"}));
  EXPECT_EQ(FolderNames(folder + L"07\\"), (std::set<std::wstring>{L"old.jpg"}));
}

TEST_F(DragTest, StartUpCleaningRemovesOnlyOldPictureFiles) {
  FILETIME nowTime;
  ::GetSystemTimeAsFileTime(&nowTime);
  int64_t now = static_cast<int64_t>(static_cast<uint64_t>(nowTime.dwHighDateTime) << 32 | nowTime.dwLowDateTime);
  int64_t twoDaysAgo = now - 2 * kDragFileLifetime;
  for (const wchar_t* name : {L"old.jpg", L"OLD2.JPG", L"recent.jpg", L"old.txt", L"old.jpg.tmp"}) {
    testing::WriteBytes(folder + name, "picture");
  }
  for (const wchar_t* name : {L"old.jpg", L"OLD2.JPG", L"old.txt", L"old.jpg.tmp"}) {
    SetWriteTime(folder + name, twoDaysAgo);
  }
  SetWriteTime(folder + L"recent.jpg", now - kDragFileLifetime / 2);
  ::CreateDirectoryW((folder + L"folder.jpg").c_str(), nullptr);
  SetWriteTime(folder + L"folder.jpg", twoDaysAgo);

  EXPECT_EQ(RemoveStaleDragFiles(folder), 2u);
  EXPECT_EQ(FolderNames(folder), (std::set<std::wstring>{L"recent.jpg", L"old.txt", L"old.jpg.tmp", L"folder.jpg"}));

  // A read-only old file, and a folder that is not there, are no error.
  testing::WriteBytes(folder + L"kept.jpg", "picture");
  SetWriteTime(folder + L"kept.jpg", twoDaysAgo);
  ::SetFileAttributesW((folder + L"kept.jpg").c_str(), FILE_ATTRIBUTE_READONLY);
  EXPECT_EQ(RemoveStaleDragFiles(folder), 0u);
  EXPECT_TRUE(FileExists(folder + L"kept.jpg"));
  ::SetFileAttributesW((folder + L"kept.jpg").c_str(), FILE_ATTRIBUTE_NORMAL);
  EXPECT_EQ(RemoveStaleDragFiles(folder + L"missing\\"), 0u);
  EXPECT_EQ(RemoveStaleDragFiles(L""), 0u);
}

// A link planted as a numbered folder, or as the drag folder itself, leads
// to someone's pictures: the cleaning leaves them, and the links, alone.
TEST_F(DragTest, StartUpCleaningNeverReachesThroughALink) {
  const int64_t now = FileTimeNow();
  const std::wstring photos = FreshFolder(L"plakato-drag-test-photos");
  ::CreateDirectoryW((photos + L"1").c_str(), nullptr);
  for (const wchar_t* name : {L"holiday.jpg", L"IMG_0001.JPG", L"notes.txt", L"1\\old.jpg", L"1"}) {
    if (name != std::wstring(L"1")) testing::WriteBytes(photos + name, "photo");
    SetWriteTime(photos + name, now - 5 * kDragFileLifetime);
  }
  auto photosUnchanged = [&] {
    EXPECT_EQ(FolderNames(photos), (std::set<std::wstring>{L"holiday.jpg", L"IMG_0001.JPG", L"notes.txt", L"1"}));
    EXPECT_EQ(FileBytes(photos + L"1\\old.jpg"), "photo");
  };
  const std::wstring target = photos.substr(0, photos.size() - 1);
  ASSERT_TRUE(MakeHostLink(target, folder + L"1"));  // beside a numbered folder of the program's own
  ::CreateDirectoryW((folder + L"2").c_str(), nullptr);
  testing::WriteBytes(folder + L"2\\old.jpg", "picture");
  SetWriteTime(folder + L"2\\old.jpg", now - 5 * kDragFileLifetime);
  EXPECT_EQ(RemoveStaleDragFiles(folder, now), 1u);
  photosUnchanged();
  EXPECT_EQ(FolderNames(folder), (std::set<std::wstring>{L"1", L"2"}));
  RemoveHostLink(folder + L"1");

  ASSERT_TRUE(MakeHostLink(target, folder + L"Plakato"));  // the drag folder itself
  EXPECT_EQ(RemoveStaleDragFiles(folder + L"Plakato\\", now), 0u);
  FreshFolder(L"plakato-drag-test");  // nor does the test folders' own clean-up follow it
  photosUnchanged();
  RemoveHostLink(folder + L"Plakato");
}

// The window's own gesture: a press on the placard and a move past the drag
// distance start the drag with the picture the export would write. The left
// button is not really down, so the drag ends at once over whatever is under
// the pointer.
class FormDragTest : public ::testing::Test {
 protected:
  FormDragTest() : folder(FreshFolder(L"plakato-form-drag-test")), form(Options()) { form.Create(); }
  MainWindowOptions Options() {
    MainWindowOptions options;
    options.ui = &ui;
    options.quitOnClose = false;
    options.dragFolder = folder;
    return options;
  }
  void Press(int x, int y) {
    ::SendMessageW(form.Control(ControlId::PlacardImage), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
  }
  void Move(int x, int y, WPARAM keys = MK_LBUTTON) {
    ::SendMessageW(form.Control(ControlId::PlacardImage), WM_MOUSEMOVE, keys, MAKELPARAM(x, y));
  }
  std::wstring PictureFile() { return folder + DragFileName(form.State().placard.text()); }
  std::string ExpectedJpeg() {
    PixelCanvas shown = Capture(form.State().surface->dc(), 0, 0, 371, 120);
    PictureExport exported(shown, {form.State().layout.signWidth, form.State().layout.sceneHeight});
    return AsBytes(exported.Jpeg());
  }
  static std::string AsBytes(const std::vector<uint8_t>& bytes) { return std::string(bytes.begin(), bytes.end()); }

  OleScope ole;
  std::wstring folder;
  ScriptedUi ui;
  MainWindow form;
};

TEST_F(FormDragTest, AMoveWithinTheDragDistanceStartsNothing) {
  ::SetCursorPos(5, 5);
  int cx = ::GetSystemMetrics(SM_CXDRAG);
  int cy = ::GetSystemMetrics(SM_CYDRAG);
  Press(100, 50);
  Move(100 + cx / 2, 50 - cy / 2);
  Move(100 - cx / 2, 50 + cy / 2);
  EXPECT_TRUE(FolderNames(folder).empty());
  // Past the distance, but the button was let go on the way.
  Move(100 + cx + 5, 50, 0);
  EXPECT_TRUE(FolderNames(folder).empty());
  // A release ends the press too.
  Press(100, 50);
  ::SendMessageW(form.Control(ControlId::PlacardImage), WM_LBUTTONUP, 0, MAKELPARAM(100, 50));
  Move(100 + cx + 5, 50);
  EXPECT_TRUE(FolderNames(folder).empty());
  EXPECT_TRUE(ui.boxes.empty());
}

TEST_F(FormDragTest, AMovePastTheDragDistanceDragsTheExportedPicture) {
  RecordingTarget target(DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK);
  TargetWindow window(&target);
  ASSERT_EQ(window.registered(), S_OK);
  Pump();
  POINT over = window.centre();
  ::SetCursorPos(over.x, over.y);
  ::SetWindowTextW(form.Control(ControlId::SignTextEdit), L"拖<出>");
  Press(100, 50);
  Move(100 + ::GetSystemMetrics(SM_CXDRAG) + 1, 50);
  EXPECT_TRUE(ui.boxes.empty());
  EXPECT_EQ(PictureFile(), folder + L"拖_出_.jpg");
  EXPECT_EQ(FileBytes(PictureFile()), ExpectedJpeg());
  EXPECT_EQ(target.offered, static_cast<DWORD>(DROPEFFECT_COPY)) << "the file must stay where it is";
  EXPECT_EQ(target.drops, 1);
  EXPECT_EQ(target.file, PictureFile());
  // The drag is over: a further move is no new drag.
  ::DeleteFileW(PictureFile().c_str());
  Move(200, 50);
  EXPECT_FALSE(FileExists(PictureFile()));
}

// With a motion playing, the file is the animation's GIF, the bitmap the
// still picture's.
TEST_F(FormDragTest, WithAMotionTheDragOffersTheAnimationsGifBesideTheStillBitmap) {
  RecordingTarget target(DROPEFFECT_COPY);
  TargetWindow window(&target);
  Pump();
  POINT over = window.centre();
  ::SetCursorPos(over.x, over.y);
  ::SendMessageW(form.handle(), WM_COMMAND, MAKEWPARAM(MainWindow::kFirstMotionCommand + 2, 0), 0);
  Press(100, 50);
  Move(100 + ::GetSystemMetrics(SM_CXDRAG) + 1, 50);
  EXPECT_TRUE(ui.boxes.empty());
  const std::wstring gif = folder + DragFileName(form.State().placard.text(), L".gif");
  EXPECT_EQ(target.file, gif);
  EXPECT_EQ(FileBytes(gif).substr(0, 6), "GIF89a");
  EXPECT_EQ(FolderNames(folder), (std::set<std::wstring>{DragFileName(form.State().placard.text(), L".gif")}));
  const SceneLayout still = form.State().layout;
  const size_t stride = (static_cast<size_t>(still.signWidth) * 3 + 3) & ~size_t{3};
  EXPECT_EQ(target.dib.size(), sizeof(BITMAPINFOHEADER) + stride * still.sceneHeight) << "the standard still picture";
}

TEST_F(FormDragTest, ARefusedDropChangesNothingButThePictureFile) {
  RecordingTarget target(DROPEFFECT_NONE);
  TargetWindow window(&target);
  Pump();
  POINT over = window.centre();
  ::SetCursorPos(over.x, over.y);
  std::wstring status = StatusText(form.Control(ControlId::StatusBar));
  Press(100, 50);
  Move(100, 50 + ::GetSystemMetrics(SM_CYDRAG) + 1);
  EXPECT_EQ(target.drops, 0);
  EXPECT_TRUE(ui.boxes.empty());
  EXPECT_EQ(StatusText(form.Control(ControlId::StatusBar)), status);
  EXPECT_EQ(form.State().savedPictureName, L"");
  EXPECT_EQ(FolderNames(folder), (std::set<std::wstring>{DragFileName(form.State().placard.text())}));
}

TEST(FormDragWithoutFileTest, TheStatusBarSaysWhyTheDragHasNoFile) {
  OleScope ole;
  std::wstring folder = FreshFolder(L"plakato-form-drag-nofile");
  testing::WriteBytes(folder + L"blocker", "x");
  ScriptedUi ui;
  MainWindowOptions options;
  options.ui = &ui;
  options.quitOnClose = false;
  options.dragFolder = folder + L"blocker\\drag\\";
  MainWindow form(options);
  form.Create();
  RecordingTarget target(DROPEFFECT_COPY);
  TargetWindow window(&target);
  Pump();
  POINT over = window.centre();
  ::SetCursorPos(over.x, over.y);
  ::SendMessageW(form.Control(ControlId::PlacardImage), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(100, 50));
  ::SendMessageW(form.Control(ControlId::PlacardImage), WM_MOUSEMOVE, MK_LBUTTON,
                 MAKELPARAM(100 + ::GetSystemMetrics(SM_CXDRAG) + 1, 50));
  EXPECT_TRUE(ui.boxes.empty());
  std::wstring status = StatusText(form.Control(ControlId::StatusBar));
  EXPECT_TRUE(status.starts_with(L"无法写入" + options.dragFolder + L"（")) << std::string(status.begin(), status.end());
  EXPECT_TRUE(status.ends_with(L"），这次拖出的只有图像，没有文件"));
  // The drop still got the picture, without a file.
  EXPECT_EQ(target.drops, 1);
  EXPECT_EQ(target.file, L"");

  // Once the folder can be made, the next drag has its file and the word goes.
  ::DeleteFileW((folder + L"blocker").c_str());
  ::CreateDirectoryW((folder + L"blocker").c_str(), nullptr);
  ::SendMessageW(form.Control(ControlId::PlacardImage), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(100, 50));
  ::SendMessageW(form.Control(ControlId::PlacardImage), WM_MOUSEMOVE, MK_LBUTTON,
                 MAKELPARAM(100 + ::GetSystemMetrics(SM_CXDRAG) + 1, 50));
  EXPECT_EQ(target.drops, 2);
  EXPECT_NE(target.file, L"");
  EXPECT_EQ(StatusText(form.Control(ControlId::StatusBar)), L"");
}

TEST(DragFolderTest, IsPlakatoUnderTheTemporaryFolder) {
  wchar_t temp[MAX_PATH + 1];
  ASSERT_GT(::GetTempPathW(MAX_PATH + 1, temp), 0u);
  EXPECT_EQ(DragFolder(), std::wstring(temp) + L"Plakato\\");
}

}  // namespace
}  // namespace plakato
