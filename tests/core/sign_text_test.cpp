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
  EXPECT_EQ(Cp936Length(L"a中\U0001F600"), 5u);  // counted one character at a time
}

TEST(CodePage, DecodesUnknownBytesAsReplacement) {
  std::wstring text = DecodeCp936(std::string("a\xFF" "b", 3));
  ASSERT_EQ(text.size(), 3u);
  EXPECT_EQ(text[0], L'a');
  EXPECT_NE(text[1], L'b');
  EXPECT_EQ(text[2], L'b');
}

TEST(CodePage, DecodesATextLongerThanOneConversionStep) {
  std::wstring text(600, L'中');
  EXPECT_EQ(DecodeCp936(*EncodeCp936(text)), text);
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
  // Backwards at the end of 29 bytes it selects nothing: one byte is free.
  // Forwards over the last character it frees that byte as well.
  std::wstring ascii29(29, L'x');
  EXPECT_EQ(FittingInsertion(ascii29, 29, 28, L"yz"), L"y");
  EXPECT_EQ(FittingInsertion(ascii29, 28, 29, L"yz"), L"yz");
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

// Where wide characters are 16 bits, the emoji above arrive as surrogate
// pairs; halves without their partner are left out on their own.
TEST(MessageLimit, AHalfOfAPairAtEitherEndIsLeftOutAlone) {
  const std::wstring high(1, static_cast<wchar_t>(0xD83D)), low(1, static_cast<wchar_t>(0xDE00));
  EXPECT_EQ(FittingInsertion(L"", 0, 0, L"a" + high), L"a");
  EXPECT_EQ(WhyRefused(L"", 0, 0, L"a" + high).character, high);
  EXPECT_EQ(FittingInsertion(L"", 0, 0, low + L"b"), L"b");
  EXPECT_EQ(WhyRefused(L"", 0, 0, low + L"b").character, low);
}

TEST(MessageLimit, PasteOfSeveralLinesTakesTheFirst) {
  EXPECT_EQ(FirstLine(L"one\r\ntwo"), L"one");
  EXPECT_EQ(FirstLine(L"one\ntwo"), L"one");
  EXPECT_EQ(FirstLine(L"\rtwo"), L"");
  EXPECT_EQ(FirstLine(L"single"), L"single");
}

TEST(RefusalReason, AKeyPastTheLimitIsTooLongAndCountsTheTextAsItStays) {
  RefusalReason full = WhyRefused(kFifteenChinese, 15, 15, L"a");
  EXPECT_EQ(full.kind, Refusal::TooLong);
  EXPECT_EQ(full.bytesUsed, 30u);

  // 29 bytes: a Chinese character would need 31.
  RefusalReason oneFree = WhyRefused(std::wstring(29, L'x'), 29, 29, L"中");
  EXPECT_EQ(oneFree.kind, Refusal::TooLong);
  EXPECT_EQ(oneFree.bytesUsed, 29u);

  // A refused key leaves the selection in place, so its bytes still count.
  RefusalReason selected = WhyRefused(L"x" + kFifteenChinese.substr(0, 14) + L"y", 0, 1, L"中");
  EXPECT_EQ(selected.kind, Refusal::TooLong);
  EXPECT_EQ(selected.bytesUsed, 30u);

  EXPECT_EQ(WhyRefused(std::wstring(29, L'x'), 29, 29, L"y").kind, Refusal::None);
  EXPECT_EQ(WhyRefused(kFifteenChinese, 0, 1, L"中").kind, Refusal::None);
}

TEST(RefusalReason, APasteCutShortCountsWhatWentIn) {
  // Ten digits and fifteen Chinese characters: 20 bytes of them go in.
  RefusalReason cut = WhyRefused(L"", 0, 0, L"0123456789" + kFifteenChinese);
  EXPECT_EQ(cut.kind, Refusal::TooLong);
  EXPECT_EQ(cut.bytesUsed, 30u);
  RefusalReason cutOver = WhyRefused(std::wstring(26, L'a') + L"bcd", 0, 2, L"三四五");
  EXPECT_EQ(cutOver.kind, Refusal::TooLong);
  EXPECT_EQ(cutOver.bytesUsed, 29u);  // 27 kept and one character of two bytes
}

TEST(RefusalReason, ACharacterWithoutAFormIsNamedWholeEvenWhenNothingElseIsLeft) {
  RefusalReason emoji = WhyRefused(L"ab", 2, 2, L"\U0001F600");
  EXPECT_EQ(emoji.kind, Refusal::NoCp936Form);
  EXPECT_EQ(emoji.character, L"\U0001F600");
  EXPECT_EQ(emoji.bytesUsed, 2u);

  // The first one left out of a paste is named; the rest went in.
  RefusalReason paste = WhyRefused(L"", 0, 0, L"a\u20A9b\U0001F600c");
  EXPECT_EQ(paste.kind, Refusal::NoCp936Form);
  EXPECT_EQ(paste.character, L"\u20A9");
  EXPECT_EQ(paste.bytesUsed, 3u);

  // The edit is full but the only thing refused is the emoji: it is named.
  RefusalReason full = WhyRefused(std::wstring(29, L'x'), 29, 29, L"y\U0001F600");
  EXPECT_EQ(full.kind, Refusal::NoCp936Form);
  EXPECT_EQ(full.character, L"\U0001F600");
  EXPECT_EQ(full.bytesUsed, 30u);
}

TEST(RefusalReason, ACutThatAlsoLostACharacterWithoutAFormIsNamedAsTheCut) {
  RefusalReason both = WhyRefused(L"", 0, 0, L"\U0001F600" + kFifteenChinese + L"己");
  EXPECT_EQ(both.kind, Refusal::TooLong);
  EXPECT_EQ(both.bytesUsed, 30u);
}

TEST(RefusalMessage, SaysTheLimitAndTheBytesUsed) {
  RefusalReason reason;
  reason.kind = Refusal::TooLong;
  reason.bytesUsed = 29;
  RefusalMessage message = DescribeRefusal(reason);
  EXPECT_EQ(message.title, L"文字太长");
  EXPECT_EQ(message.text, L"标牌最多容纳30个字节（15个汉字），已用29个字节。");
  EXPECT_EQ(DescribeRefusal(reason, 20).text, L"标牌最多容纳20个字节（10个汉字），已用29个字节。");
}

TEST(RefusalMessage, NamesTheCharacterAndItsCode) {
  RefusalReason reason;
  reason.kind = Refusal::NoCp936Form;
  reason.character = L"\U0001F600";
  RefusalMessage message = DescribeRefusal(reason);
  EXPECT_EQ(message.title, L"无法输入的字符");
  EXPECT_EQ(message.text, L"字符“\U0001F600”（U+1F600）不在GBK字符集中，无法写在标牌上。");
  // Half of a pair has no picture: only its code is given.
  reason.character = std::wstring(1, static_cast<wchar_t>(0xD83D));
  EXPECT_EQ(DescribeRefusal(reason).text, L"字符U+D83D不在GBK字符集中，无法写在标牌上。");
  EXPECT_EQ(DescribeRefusal(RefusalReason{}).text, L"");
}

TEST(RefusalMessage, CodesHaveAtLeastFourDigitsAndOnlySurrogatesGoUnshown) {
  RefusalReason reason;
  reason.kind = Refusal::NoCp936Form;
  reason.character = L"\u00C0";
  EXPECT_EQ(DescribeRefusal(reason).text, L"字符“\u00C0”（U+00C0）不在GBK字符集中，无法写在标牌上。");
  reason.character = L"\u20A9";
  EXPECT_EQ(DescribeRefusal(reason).text, L"字符“\u20A9”（U+20A9）不在GBK字符集中，无法写在标牌上。");
  // U+D800 to U+DFFF are halves of pairs; their neighbours are characters.
  for (unsigned half : {0xD800u, 0xDFFFu}) {
    reason.character = std::wstring(1, static_cast<wchar_t>(half));
    EXPECT_EQ(DescribeRefusal(reason).text.find(L"“"), std::wstring::npos) << std::hex << half;
  }
  for (unsigned neighbour : {0xD7FFu, 0xE000u}) {
    reason.character = std::wstring(1, static_cast<wchar_t>(neighbour));
    EXPECT_NE(DescribeRefusal(reason).text.find(L"“"), std::wstring::npos) << std::hex << neighbour;
  }
}

}  // namespace
}  // namespace plakato
