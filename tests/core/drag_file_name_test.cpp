// The name of the dragged picture file: every character Windows refuses is
// replaced, device names are made into file names, the length cut keeps
// characters whole, and the start-up cleaning picks only old picture files.
#include "export/drag_file_name.h"

#include <gtest/gtest.h>

#include <string>

namespace plakato {
namespace {

// A character outside the basic plane as the window gives it: two UTF-16 units.
const std::wstring kGrinning{static_cast<wchar_t>(0xD83D), static_cast<wchar_t>(0xDE00)};

TEST(DragFileNameTest, ReplacesEachCharacterWindowsRefuses) {
  EXPECT_EQ(DragFileName(L"a\\b/c:d*e?f\"g<h>i|j"), L"a_b_c_d_e_f_g_h_i_j.jpg");
  EXPECT_EQ(DragFileName(L"举牌"), L"举牌.jpg");
}

TEST(DragFileNameTest, ReplacesControlCharactersAndLoneSurrogates) {
  std::wstring text = L"a\tb";
  text += static_cast<wchar_t>(1);
  text += L"c";
  text += static_cast<wchar_t>(0x7F);
  text += static_cast<wchar_t>(0xDE00);  // a low half without its high half
  text += L"d";
  text += static_cast<wchar_t>(0xD83D);  // a high half at the end
  EXPECT_EQ(DragFileName(text), L"a_b_c__d_.jpg");
  EXPECT_EQ(DragFileName(L"x" + kGrinning), L"x" + kGrinning + L".jpg");
  // A high half followed by no low half is replaced alone; what follows stays.
  EXPECT_EQ(DragFileName(L"x" + kGrinning.substr(0, 1) + L"y"), L"x_y.jpg");
}

TEST(DragFileNameTest, TrimsSpacesAndDotsFromBothEnds) {
  EXPECT_EQ(DragFileName(L" . 举牌 啦.. "), L"举牌 啦.jpg");
  EXPECT_EQ(DragFileName(L"a.b"), L"a.b.jpg");
}

TEST(DragFileNameTest, TextWithNothingOfItsOwnLeftGivesTheFallback) {
  EXPECT_EQ(DragFileName(L""), kFallbackDragFileName);
  EXPECT_EQ(DragFileName(L"<>|?"), kFallbackDragFileName);
  EXPECT_EQ(DragFileName(L" . . "), kFallbackDragFileName);
  EXPECT_EQ(DragFileName(L". ? ."), kFallbackDragFileName);
  EXPECT_EQ(DragFileName(L"\t\r\n"), kFallbackDragFileName);
  EXPECT_EQ(std::wstring(kFallbackDragFileName), L"placard.jpg");
  // Dots and spaces between refused characters are no text of its own either.
  EXPECT_EQ(DragFileName(L"?.?"), kFallbackDragFileName);
  EXPECT_EQ(DragFileName(L"* *"), kFallbackDragFileName);
  EXPECT_EQ(DragFileName(L"?a?"), L"_a_.jpg");
}

TEST(DragFileNameTest, DeviceNamesBecomeFileNames) {
  EXPECT_EQ(DragFileName(L"CON"), L"CON_.jpg");
  EXPECT_EQ(DragFileName(L"nul"), L"nul_.jpg");
  EXPECT_EQ(DragFileName(L"Aux.txt"), L"Aux_.txt.jpg");
  EXPECT_EQ(DragFileName(L"prn  .x"), L"prn_  .x.jpg");
  EXPECT_EQ(DragFileName(L"com1"), L"com1_.jpg");
  EXPECT_EQ(DragFileName(L"LPT0"), L"LPT0_.jpg");
  EXPECT_EQ(DragFileName(L"COM\u00B9"), L"COM\u00B9_.jpg");
  EXPECT_EQ(DragFileName(L"conout$"), L"conout$_.jpg");
  EXPECT_EQ(DragFileName(L"CONIN$"), L"CONIN$_.jpg");
  EXPECT_EQ(DragFileName(L"COM9"), L"COM9_.jpg");
  EXPECT_EQ(DragFileName(L"lpt\u00B3"), L"lpt\u00B3_.jpg");
  EXPECT_EQ(DragFileName(L"LPT\u00B4"), L"LPT\u00B4.jpg");
  // Only the whole base names a device.
  EXPECT_EQ(DragFileName(L"CONSOLE"), L"CONSOLE.jpg");
  EXPECT_EQ(DragFileName(L"COM10"), L"COM10.jpg");
  EXPECT_EQ(DragFileName(L"LPTX"), L"LPTX.jpg");
  EXPECT_EQ(DragFileName(L"COM!"), L"COM!.jpg");
  EXPECT_EQ(DragFileName(L"a CON"), L"a CON.jpg");
}

TEST(DragFileNameTest, CutsToTheLimitWithoutSplittingAPair) {
  std::wstring long_text(70, L'字');
  EXPECT_EQ(DragFileName(long_text), std::wstring(kDragFileStemLimit, L'字') + L".jpg");

  // The pair would end one unit past the limit: it goes whole.
  std::wstring text(kDragFileStemLimit - 1, L'a');
  EXPECT_EQ(DragFileName(text + kGrinning + L"b"), text + L".jpg");
  // Two units short of the limit it fits whole.
  std::wstring shorter(kDragFileStemLimit - 2, L'a');
  EXPECT_EQ(DragFileName(shorter + kGrinning + L"b"), shorter + kGrinning + L".jpg");
  // The same where one wide character holds the whole code point (Linux).
  EXPECT_EQ(DragFileName(text + L"\U0001F600" + L"b"), text + L".jpg");
  EXPECT_EQ(DragFileName(shorter + L"\U0001F600" + L"b"), shorter + L"\U0001F600" + L".jpg");
}

TEST(DragFileNameTest, TheCutLeavesNoTrailingDotNorADevice) {
  std::wstring text(kDragFileStemLimit - 1, L'a');
  EXPECT_EQ(DragFileName(text + L". b"), text + L".jpg");
  // After the cut the spaces go, and what is left names a device.
  EXPECT_EQ(DragFileName(L"CON" + std::wstring(kDragFileStemLimit - 3, L' ') + L"x"), L"CON_.jpg");
  // A device's "_" still fits within the limit.
  std::wstring tail(kDragFileStemLimit, L'x');
  std::wstring name = DragFileName(L"CON." + tail);
  EXPECT_EQ(name, L"CON_." + std::wstring(kDragFileStemLimit - 5, L'x') + L".jpg");
  EXPECT_EQ(name.size(), kDragFileStemLimit + 4);
}

TEST(DragFileNameTest, RecognisesThePictureFilesOfTheFolder) {
  EXPECT_TRUE(IsDragFileName(L"举牌.jpg"));
  EXPECT_TRUE(IsDragFileName(L"A.JPG"));
  EXPECT_TRUE(IsDragFileName(L"x.Jpg"));
  EXPECT_FALSE(IsDragFileName(L".jpg"));
  EXPECT_FALSE(IsDragFileName(L"a.jpeg"));
  EXPECT_FALSE(IsDragFileName(L"a.jpg.tmp"));
  EXPECT_FALSE(IsDragFileName(L"a.png"));
  EXPECT_FALSE(IsDragFileName(L"jpg"));
  // The sticker's file, too, under the same naming rules.
  EXPECT_TRUE(IsDragFileName(L"举牌.WebP"));
  EXPECT_FALSE(IsDragFileName(L"a.webpx"));
  EXPECT_EQ(DragFileName(L"CON", L".webp"), L"CON_.webp");
  EXPECT_EQ(DragFileName(L"<>", L".webp"), L"placard.webp");
}

TEST(DragFileNameTest, OnlyPictureFilesOlderThanADayAreStale) {
  const int64_t now = 133'000'000'000'000'000;
  EXPECT_TRUE(IsStaleDragFile(L"a.jpg", now - kDragFileLifetime - 1, now));
  EXPECT_FALSE(IsStaleDragFile(L"a.jpg", now - kDragFileLifetime, now));
  EXPECT_FALSE(IsStaleDragFile(L"a.jpg", now - 1, now));
  EXPECT_FALSE(IsStaleDragFile(L"a.jpg", now + kDragFileLifetime * 3, now));  // written "later"
  EXPECT_FALSE(IsStaleDragFile(L"notes.txt", now - kDragFileLifetime * 30, now));
  EXPECT_EQ(kDragFileLifetime, int64_t{864'000'000'000});
}

}  // namespace
}  // namespace plakato
