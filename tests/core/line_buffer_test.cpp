#include "messenger/line_buffer.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "base/error.h"

namespace plakato {
namespace {

std::vector<std::string> Lines(const LineBuffer& memo) {
  std::vector<std::string> lines;
  for (size_t i = 0; i < memo.Count(); ++i) lines.emplace_back(memo.Line(i));
  return lines;
}

LineBuffer Loaded(std::string_view bytes) {
  LineBuffer memo;
  memo.LoadBytes(bytes);
  return memo;
}

TEST(LineBuffer, EveryKindOfBreakBecomesCrLf) {
  EXPECT_EQ(Loaded("a\nb\rc\r\nd").Text(), "a\r\nb\r\nc\r\nd");
  EXPECT_EQ(Loaded("\n\r\r\n\n\r").Text(), "\r\n\r\n\r\n\r\n\r\n");
  // LF CR is two breaks, CR LF one.
  EXPECT_EQ(Loaded("a\n\rb").Text(), "a\r\n\r\nb");
  EXPECT_EQ(Lines(Loaded("a\n\rb")), (std::vector<std::string>{"a", "", "b"}));
}

TEST(LineBuffer, CountLeavesOutAnEmptyLastPiece) {
  EXPECT_EQ(Loaded("").Count(), 0u);
  EXPECT_EQ(Loaded("a").Count(), 1u);
  EXPECT_EQ(Loaded("a\r\n").Count(), 1u);
  EXPECT_EQ(Loaded("\r\n").Count(), 1u);
  EXPECT_EQ(Loaded("a\r\n\r\n").Count(), 2u);
  EXPECT_EQ(Lines(Loaded("a\r\n\r\nb")), (std::vector<std::string>{"a", "", "b"}));
  // A text that is one bare break is one empty line, and a line added ends in a break too.
  LineBuffer bare = Loaded("\r\n");
  EXPECT_EQ(Lines(bare), (std::vector<std::string>{""}));
  bare.Insert(1, "x");
  EXPECT_EQ(bare.Text(), "\r\nx\r\n");
}

TEST(LineBuffer, DoubleByteCharactersAreSteppedOverWhole) {
  // 0xB2 0xE2 is a character; 0x5C and 0x7C trail bytes are no backslash or bar.
  std::string text = "\xB2\xE2\xCA\xD4\r\n\x81\x5C|\x95\x7C\n";
  LineBuffer memo = Loaded(text);
  EXPECT_EQ(memo.Text(), "\xB2\xE2\xCA\xD4\r\n\x81\x5C|\x95\x7C\r\n");
  EXPECT_EQ(Lines(memo), (std::vector<std::string>{"\xB2\xE2\xCA\xD4", "\x81\x5C|\x95\x7C"}));
}

TEST(LineBuffer, ALeadByteBeforeABreakOrAtTheEndStaysASingleByte) {
  EXPECT_EQ(Lines(Loaded("a\xB2\nb")), (std::vector<std::string>{"a\xB2", "b"}));
  EXPECT_EQ(Lines(Loaded("a\xB2\rb")), (std::vector<std::string>{"a\xB2", "b"}));
  EXPECT_EQ(Loaded("a\xB2\r\nb").Text(), "a\xB2\r\nb");
  EXPECT_EQ(Loaded("x\xFE").Text(), "x\xFE");
  EXPECT_EQ(Loaded("\xB2\xE2\xB2").Count(), 1u);
}

TEST(LineBuffer, LineShowsOnlyTheFirst4096BytesButKeepsTheRest) {
  std::string longLine(5000, 'x');
  longLine[4500] = 'y';
  LineBuffer memo = Loaded(longLine + "\r\nend");
  EXPECT_EQ(memo.Line(0).size(), 4096u);
  EXPECT_EQ(memo.Line(0).find('y'), std::string_view::npos);
  EXPECT_EQ(memo.FullLine(0), longLine);
  memo.Insert(1, "mid");
  EXPECT_EQ(memo.Text(), longLine + "\r\nmid\r\nend");
  memo.ReplaceLine(0, "short");
  EXPECT_EQ(memo.Text(), "short\r\nmid\r\nend");
  memo.ReplaceLine(2, std::string(5000, 'z'));
  EXPECT_EQ(memo.Text(), "short\r\nmid\r\n" + std::string(5000, 'z'));
}

TEST(LineBuffer, ReplaceLineKeepsTheBreak) {
  LineBuffer memo = Loaded("one\r\ntwo\r\nthree\r\n");
  memo.ReplaceLine(1, "2");
  memo.ReplaceLine(2, "a longer third line");
  memo.ReplaceLine(0, "");
  EXPECT_EQ(memo.Text(), "\r\n2\r\na longer third line\r\n");
  EXPECT_EQ(Lines(memo), (std::vector<std::string>{"", "2", "a longer third line"}));
}

TEST(LineBuffer, InsertInFrontOfALine) {
  LineBuffer memo = Loaded("a\r\nb");
  memo.Insert(0, "first");
  memo.Insert(2, "before b");
  EXPECT_EQ(memo.Text(), "first\r\na\r\nbefore b\r\nb");
  EXPECT_EQ(Lines(memo), (std::vector<std::string>{"first", "a", "before b", "b"}));
}

TEST(LineBuffer, InsertAtTheEndKeepsOrLacksTheFinalBreak) {
  LineBuffer withBreak = Loaded("a\r\n");
  withBreak.Insert(1, "b");
  EXPECT_EQ(withBreak.Text(), "a\r\nb\r\n");

  LineBuffer without = Loaded("a");
  without.Insert(1, "b");
  EXPECT_EQ(without.Text(), "a\r\nb");
  without.Insert(2, "c");
  EXPECT_EQ(Lines(without), (std::vector<std::string>{"a", "b", "c"}));
  EXPECT_EQ(without.Text(), "a\r\nb\r\nc");

  LineBuffer empty = Loaded("");
  empty.Insert(0, "only");
  EXPECT_EQ(empty.Text(), "only\r\n");
  EXPECT_EQ(empty.Count(), 1u);
}

TEST(LineBuffer, InsertLinesIsOneInsertAfterAnother) {
  std::vector<std::string> block{"x", "y", "z"};
  for (std::string_view start : {"a\r\nb", "a\r\nb\r\n", ""}) {
    for (size_t k = 0; k <= Loaded(start).Count(); ++k) {
      LineBuffer oneByOne = Loaded(start);
      for (size_t n = 0; n < block.size(); ++n) oneByOne.Insert(k + n, block[n]);
      LineBuffer together = Loaded(start);
      together.InsertLines(k, block);
      EXPECT_EQ(together.Text(), oneByOne.Text()) << start << " at " << k;
      EXPECT_EQ(Lines(together), Lines(oneByOne));
    }
  }
}

TEST(LineBuffer, LinesWithABreakAreRefusedAndChangeNothing) {
  LineBuffer memo = Loaded("a\r\nb");
  EXPECT_THROW(memo.ReplaceLine(0, "x\ny"), AppError);
  EXPECT_THROW(memo.Insert(1, "x\r"), AppError);
  EXPECT_THROW(memo.Insert(3, "x"), AppError);
  EXPECT_EQ(memo.Text(), "a\r\nb");
}

std::wstring ErrorOf(const std::function<void()>& f) {
  try {
    f();
  } catch (const AppError& e) {
    return e.message();
  }
  return L"";
}

TEST(LineBuffer, ContentUpToTheCapacityLoadsAndOneByteMoreIsRefused) {
  EXPECT_EQ(LineBuffer().Capacity(), size_t{64} << 20);
  LineBuffer memo(10);
  memo.LoadBytes("old");
  // Each lone LF counts as the two bytes it becomes.
  memo.LoadBytes("12345678\n");
  EXPECT_EQ(memo.Text(), "12345678\r\n");
  EXPECT_EQ(ErrorOf([&] { memo.LoadBytes("123456789\n"); }), L"Text exceeds memo capacity");
  EXPECT_EQ(ErrorOf([&] { memo.LoadBytes("12345678901"); }), L"Text exceeds memo capacity");
  EXPECT_EQ(memo.Text(), "12345678\r\n");
  EXPECT_EQ(memo.Count(), 1u);
}

TEST(LineBuffer, ALoneCrAtTheEndCountsAsTheTwoBytesItBecomes) {
  LineBuffer memo(10);
  memo.LoadBytes("12345678\r");
  EXPECT_EQ(memo.Text(), "12345678\r\n");
  EXPECT_EQ(ErrorOf([&] { memo.LoadBytes("123456789\r"); }), L"Text exceeds memo capacity");
  EXPECT_EQ(memo.Text(), "12345678\r\n");
}

TEST(LineBuffer, EditsPastTheCapacityAreRefused) {
  LineBuffer memo(10);
  memo.LoadBytes("abc\r\n");
  EXPECT_EQ(ErrorOf([&] { memo.Insert(1, "defgh"); }), L"Text exceeds memo capacity");
  EXPECT_EQ(ErrorOf([&] { memo.ReplaceLine(0, "abcdefghi"); }), L"Text exceeds memo capacity");
  EXPECT_EQ(memo.Text(), "abc\r\n");
  memo.Insert(1, "def");  // exactly full
  EXPECT_EQ(memo.Text(), "abc\r\ndef\r\n");
  memo.ReplaceLine(0, "a");
  memo.ReplaceLine(1, "bcdef");
  EXPECT_EQ(memo.Text(), "a\r\nbcdef\r\n");
  EXPECT_THROW(memo.ReplaceLine(1, "bcdefg"), AppError);
}

}  // namespace
}  // namespace plakato
