#include "scene/sign_text.h"

#include <gtest/gtest.h>

#include "base/code_page.h"

namespace plakato {
namespace {

const std::wstring kFifteenChinese = L"一二三四五六七八九十甲乙丙丁戊";  // 30 bytes

TEST(SignText, TrimsBlanksAndControlCharactersButKeepsIdeographicSpace) {
  EXPECT_EQ(SignTextFromEdit(L"  你好 "), L"你好");
  EXPECT_EQ(SignTextFromEdit(L"\t\x01Hi there\x1f "), L"Hi there");
  EXPECT_EQ(SignTextFromEdit(L"\u3000\u3000"), L"\u3000\u3000");
  EXPECT_EQ(SignTextFromEdit(L" \u3000a\u3000 "), L"\u3000a\u3000");
}

TEST(SignText, BlankTextBringsBackTheDefault) {
  EXPECT_EQ(SignTextFromEdit(L""), L"Quillion");
  EXPECT_EQ(SignTextFromEdit(L"   "), L"Quillion");
  EXPECT_EQ(SignTextFromEdit(L"\r\n\t "), L"Quillion");
}

TEST(CodePage, RoundTripsAndCounts) {
  const std::wstring texts[] = {L"", L"abc", L"牌子上的字", L"混合 text 与\u3000空格", L"\u20AC", L"₩"};
  for (const std::wstring& text : texts) {
    auto bytes = EncodeCp936(text);
    if (!bytes) {
      EXPECT_EQ(text, L"₩") << "only the won sign lacks a form here";
      continue;
    }
    EXPECT_EQ(DecodeCp936(*bytes), text);
  }
  EXPECT_EQ(EncodeCp936(L"中"), std::string("\xD6\xD0"));
  EXPECT_EQ(EncodeCp936(L"\u3000"), std::string("\xA1\xA1"));
  EXPECT_FALSE(EncodeCp936(L"a\U0001F600b").has_value());
  EXPECT_EQ(Cp936Length(kFifteenChinese), 30u);
  EXPECT_EQ(Cp936Length(L"ab中"), 4u);
  EXPECT_EQ(Cp936Length(L"\U0001F600"), 2u);
}

TEST(CodePage, DecodesUnknownBytesAsReplacement) {
  std::wstring text = DecodeCp936(std::string("a\xFF" "b", 3));
  ASSERT_EQ(text.size(), 3u);
  EXPECT_EQ(text[0], L'a');
  EXPECT_NE(text[1], L'b');
  EXPECT_EQ(text[2], L'b');
}

TEST(MessageLimit, TypingStopsAtThirtyBytes) {
  std::wstring ascii29(29, L'x');
  EXPECT_EQ(FittingInsertion(ascii29, 29, 29, L"y"), L"y");               // 29 -> 30
  EXPECT_EQ(FittingInsertion(ascii29 + L"y", 30, 30, L"z"), L"");         // no 31st byte
  EXPECT_EQ(FittingInsertion(ascii29, 29, 29, L"中"), L"");               // a double-byte one would need 31
  EXPECT_EQ(FittingInsertion(kFifteenChinese, 15, 15, L"a"), L"");        // 15 Chinese characters are full
  EXPECT_EQ(FittingInsertion(kFifteenChinese.substr(0, 14), 14, 14, L"中"), L"中");
}

TEST(MessageLimit, ReplacingTheSelectionFreesItsBytes) {
  // Two Chinese characters selected make room for four ASCII ones.
  EXPECT_EQ(FittingInsertion(kFifteenChinese, 3, 5, L"abcdef"), L"abcd");
  EXPECT_EQ(FittingInsertion(kFifteenChinese, 0, 15, std::wstring(40, L'q')), std::wstring(30, L'q'));
  // A selection given backwards or past the end is taken as the valid part.
  EXPECT_EQ(FittingInsertion(L"abc", 5, 2, L"xy"), L"xy");
}

TEST(MessageLimit, PasteTakesWhatFitsWithoutSplittingACharacter) {
  // 40 bytes pasted into an empty edit: the first 30.
  std::wstring forty = L"0123456789" + std::wstring(L"一二三四五六七八九十甲乙丙丁戊");
  EXPECT_EQ(FittingInsertion(L"", 0, 0, forty), L"0123456789一二三四五六七八九十");
  // 29 bytes free, next character is double-byte: it is left out, not cut.
  EXPECT_EQ(FittingInsertion(L"a", 1, 1, std::wstring(14, L'中') + L"中b"), std::wstring(14, L'中'));
  // Characters without a form in code page 936 are not taken; the rest is.
  EXPECT_EQ(FittingInsertion(L"", 0, 0, L"a\U0001F600b"), L"ab");
  EXPECT_EQ(FittingInsertion(L"", 0, 0, L"\U0001F600"), L"");
}

TEST(MessageLimit, PasteOfSeveralLinesTakesTheFirst) {
  EXPECT_EQ(FirstLine(L"one\r\ntwo"), L"one");
  EXPECT_EQ(FirstLine(L"one\ntwo"), L"one");
  EXPECT_EQ(FirstLine(L"\rtwo"), L"");
  EXPECT_EQ(FirstLine(L"single"), L"single");
}

}  // namespace
}  // namespace plakato
