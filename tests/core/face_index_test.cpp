#include "messenger/face_index.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "base/error.h"

namespace plakato {
namespace {

const std::string kOpen1 = "<CUSTOMFACEGROUP version=\"1002\" name=\"panel\" count=\"1\">";
const std::string kEntry =
    "<FACE id=\"ID\" shortcut=\"TEXT\" tip=\"TEXT\" multiframe=\"0\">\r\n"
    "<FILE ORG>ID.JPG</FILE ORG>\r\n"
    "<FILE FIXED>IDfixed.bmp</FILE FIXED>\r\n"
    "</FACE>\r\n";

std::string Opening(const std::string& count) {
  return "<CUSTOMFACEGROUP version=\"1002\" name=\"panel\" count=\"" + count + "\">";
}

std::string Patched(std::string_view text, std::string_view id = "ID", std::string_view message = "TEXT") {
  LineBuffer memo;
  memo.LoadBytes(text);
  PatchFaceIndex(memo, id, message);
  return memo.Text();
}

// The error's text, after checking that the buffer was left as loaded.
std::wstring PatchError(std::string_view text) {
  LineBuffer memo;
  memo.LoadBytes(text);
  std::string before = memo.Text();
  try {
    PatchFaceIndex(memo, "ID", "TEXT");
  } catch (const AppError& e) {
    EXPECT_EQ(memo.Text(), before);
    return e.message();
  }
  ADD_FAILURE() << "no error for " << text;
  return L"";
}

TEST(TextAfterBefore, CutAtTheFirstMarker) {
  EXPECT_EQ(TextAfter("count=\"", "a count=\"7\" b count=\"8\""), "7\" b count=\"8\"");
  EXPECT_EQ(TextAfter("count=\"", "no count"), "");
  EXPECT_EQ(TextAfter("x", "abx"), "");
  EXPECT_EQ(TextBefore("\"", "7\" rest\""), "7");
  EXPECT_EQ(TextBefore("\"", "no quote"), "no quote");
  EXPECT_EQ(TextBefore("\"", ""), "");
}

TEST(TextAfterBefore, NeverMatchInsideADoubleByteCharacter) {
  // 0x81 0x7C is one character; its second byte is not the bar.
  EXPECT_EQ(TextAfter("|", "\x81|a|b"), "b");
  EXPECT_EQ(TextBefore("|", "\x81|a|b"), "\x81|a");
  EXPECT_EQ(TextAfter("|", "\x81\x81|a"), "a");
}

TEST(TextAfterBefore, LeadBytesRunFrom0x81To0xFEAndTrailBytesFrom0x40To0xFE) {
  EXPECT_EQ(TextAfter("|", "\xFE|a|b"), "b");
  EXPECT_EQ(TextAfter("|", "\x80|a|b"), "a|b");
  EXPECT_EQ(TextAfter("|", "\xFF|a|b"), "a|b");
  EXPECT_EQ(TextAfter("@", "\x81@a@b"), "b");
  EXPECT_EQ(TextAfter("?", "\x81?a?b"), "a?b");
  EXPECT_EQ(TextAfter("\xFE", "\x81\xFE" "a\xFE" "b"), "b");
  EXPECT_EQ(TextAfter("\xFF", "\x81\xFF" "a\xFF" "b"), "a\xFF" "b");
}

std::wstring StrToIntError(std::string_view text) {
  try {
    StrToInt(text);
  } catch (const AppError& e) {
    return e.message();
  }
  return L"accepted";
}

TEST(StrToInt, DecimalAndHexadecimalWithSignAndLeadingSpaces) {
  EXPECT_EQ(StrToInt("7"), 7);
  EXPECT_EQ(StrToInt("$1F"), 31);
  EXPECT_EQ(StrToInt("$1f"), 31);
  EXPECT_EQ(StrToInt("x1F"), 31);
  EXPECT_EQ(StrToInt("X10"), 16);
  EXPECT_EQ(StrToInt("0x10"), 16);
  EXPECT_EQ(StrToInt("0X10"), 16);
  EXPECT_EQ(StrToInt(" 5"), 5);
  EXPECT_EQ(StrToInt("   -12"), -12);
  EXPECT_EQ(StrToInt("-1"), -1);
  EXPECT_EQ(StrToInt("+3"), 3);
  EXPECT_EQ(StrToInt("-$10"), -16);
  EXPECT_EQ(StrToInt("007"), 7);
  EXPECT_EQ(StrToInt("2147483647"), 2147483647);
  EXPECT_EQ(StrToInt("-2147483648"), INT32_MIN);
  EXPECT_EQ(StrToInt("$7FFFFFFF"), INT32_MAX);
  // Hexadecimal digits run from a to f in either case.
  EXPECT_EQ(StrToInt("$aA"), 170);
  EXPECT_EQ(StrToInt("0xfF"), 255);
}

TEST(StrToInt, AnythingElseIsNotAValidIntegerValue) {
  EXPECT_EQ(StrToIntError("2147483648"), L"'2147483648' is not a valid integer value");
  EXPECT_EQ(StrToIntError("-2147483649"), L"'-2147483649' is not a valid integer value");
  EXPECT_EQ(StrToIntError("$80000000"), L"'$80000000' is not a valid integer value");
  EXPECT_EQ(StrToIntError("99999999999999999999"), L"'99999999999999999999' is not a valid integer value");
  EXPECT_EQ(StrToIntError(""), L"'' is not a valid integer value");
  EXPECT_EQ(StrToIntError("abc"), L"'abc' is not a valid integer value");
  EXPECT_EQ(StrToIntError("5 "), L"'5 ' is not a valid integer value");
  EXPECT_EQ(StrToIntError("0x"), L"'0x' is not a valid integer value");
  EXPECT_EQ(StrToIntError("$"), L"'$' is not a valid integer value");
  EXPECT_EQ(StrToIntError(" "), L"' ' is not a valid integer value");
  EXPECT_EQ(StrToIntError("-"), L"'-' is not a valid integer value");
  EXPECT_EQ(StrToIntError("+-3"), L"'+-3' is not a valid integer value");
  EXPECT_EQ(StrToIntError("1F"), L"'1F' is not a valid integer value");
  EXPECT_EQ(StrToIntError("\t5"), L"'\t5' is not a valid integer value");
  for (std::string_view outside : {"$`", "$@", "$g", "$G"}) EXPECT_NE(StrToIntError(outside), L"accepted") << outside;
  // The text is shown as the characters its code page 936 bytes stand for.
  EXPECT_EQ(StrToIntError("\xCA\xFD"), L"'数' is not a valid integer value");
}

TEST(EscapeXmlAttribute, ReservedCharactersBecomeReferences) {
  EXPECT_EQ(EscapeXmlAttribute("a&b<c>d\"e'f"), "a&amp;b&lt;c&gt;d&quot;e'f");
  EXPECT_EQ(EscapeXmlAttribute("&amp;"), "&amp;amp;");
  EXPECT_EQ(EscapeXmlAttribute("x\r\ny"), "x&#13;&#10;y");
  EXPECT_EQ(EscapeXmlAttribute(""), "");
}

TEST(EscapeXmlAttribute, DoubleByteCharactersPassWhole) {
  EXPECT_EQ(EscapeXmlAttribute("\xB2\xE2\xCA\xD4"), "\xB2\xE2\xCA\xD4");
  EXPECT_EQ(EscapeXmlAttribute("\x81\x5C\x95\x7C&"), "\x81\x5C\x95\x7C&amp;");
  // A lead byte before a quote is no character: the quote is still escaped.
  EXPECT_EQ(EscapeXmlAttribute("\xB2\"\xB2"), "\xB2&quot;\xB2");
}

TEST(PatchFaceIndex, AnEmptyPanelGroupGetsTheEntryAndLosesItsIndentation) {
  std::string before = "any line\r\n\t" + Opening("0") + "\r\n</CUSTOMFACEGROUP>\r\nlast line\r\n";
  EXPECT_EQ(Patched(before), "any line\r\n" + Opening("1") + "\r\n" + kEntry + "</CUSTOMFACEGROUP>\r\nlast line\r\n");
}

TEST(PatchFaceIndex, WithoutAPanelGroupANewOneFollowsTheLowestGroup) {
  std::string before =
      "any line\r\n<CUSTOMFACEGROUP version=\"1002\" name=\"other\" count=\"0\">\r\n</CUSTOMFACEGROUP>\r\nlast\r\n";
  EXPECT_EQ(Patched(before), "any line\r\n<CUSTOMFACEGROUP version=\"1002\" name=\"other\" count=\"0\">\r\n"
                             "</CUSTOMFACEGROUP>\r\n" +
                                 kOpen1 + "\r\n" + kEntry + "</CUSTOMFACEGROUP>\r\nlast\r\n");
}

TEST(PatchFaceIndex, CountSevenBecomesEightAndTheEntryGoesLast) {
  std::string entries = "<FACE id=\"A\" shortcut=\"a\" tip=\"a\" multiframe=\"0\">\r\n<FILE ORG>A.JPG</FILE ORG>\r\n"
                        "<FILE FIXED>Afixed.bmp</FILE FIXED>\r\n</FACE>\r\n";
  std::string before = "<FACESETTING>\r\n" + Opening("7") + "\r\n" + entries + "  </CUSTOMFACEGROUP>\r\n</FACESETTING>";
  EXPECT_EQ(Patched(before),
            "<FACESETTING>\r\n" + Opening("8") + "\r\n" + entries + kEntry + "  </CUSTOMFACEGROUP>\r\n</FACESETTING>");
}

TEST(PatchFaceIndex, AnOpeningLineWithOnlyTheTagIsRebuiltWhole) {
  for (const std::string& line : std::vector<std::string>{"\t" + Opening("2"), "  " + Opening("2") + " \t ",
                           "<CUSTOMFACEGROUP version=\"1002\" name=\"panel\" count=\"2\" extra=\"x\">"}) {
    EXPECT_EQ(Patched(line + "\r\n</CUSTOMFACEGROUP>\r\n"), Opening("3") + "\r\n" + kEntry + "</CUSTOMFACEGROUP>\r\n")
        << line;
  }
}

TEST(PatchFaceIndex, AnOpeningLineWithMoreThanTheTagOnlyHasItsCountChanged) {
  // Text after the tag.
  std::string after = "\t" + Opening("2") + "<!-- mine -->";
  EXPECT_EQ(Patched(after + "\r\n</CUSTOMFACEGROUP>\r\n"),
            "\t" + Opening("3") + "<!-- mine -->\r\n" + kEntry + "</CUSTOMFACEGROUP>\r\n");
  // Text before the tag.
  std::string beforeTag = "<FACESETTING> " + Opening("$1F") + " ";
  EXPECT_EQ(Patched(beforeTag + "\r\n</CUSTOMFACEGROUP>\r\n"),
            "<FACESETTING> " + Opening("32") + " \r\n" + kEntry + "</CUSTOMFACEGROUP>\r\n");
  // A tag that goes on past its line.
  EXPECT_EQ(Patched("<CUSTOMFACEGROUP version=\"1002\" name=\"panel\" count=\"4\"\r\n  other=\"1\">\r\n"
                    "</CUSTOMFACEGROUP>"),
            "<CUSTOMFACEGROUP version=\"1002\" name=\"panel\" count=\"5\"\r\n  other=\"1\">\r\n" + kEntry +
                "</CUSTOMFACEGROUP>");
}

TEST(PatchFaceIndex, OnlyTheFirstPanelGroupIsCountedAndFilled) {
  std::string before = Opening("1") + "\r\n</CUSTOMFACEGROUP>\r\n" + Opening("5") + "\r\n</CUSTOMFACEGROUP>\r\n";
  EXPECT_EQ(Patched(before),
            Opening("2") + "\r\n" + kEntry + "</CUSTOMFACEGROUP>\r\n" + Opening("5") + "\r\n</CUSTOMFACEGROUP>\r\n");
}

TEST(PatchFaceIndex, LoneAndMixedBreaksAreSavedAsCrLf) {
  std::string expected = "head\r\n" + Opening("1") + "\r\n" + kEntry + "</CUSTOMFACEGROUP>\r\ntail\r\n";
  EXPECT_EQ(Patched("head\n" + Opening("0") + "\n</CUSTOMFACEGROUP>\ntail\n"), expected);
  EXPECT_EQ(Patched("head\r" + Opening("0") + "\r</CUSTOMFACEGROUP>\rtail\r"), expected);
  EXPECT_EQ(Patched("head\r\n" + Opening("0") + "\r</CUSTOMFACEGROUP>\ntail\r\n"), expected);
}

TEST(PatchFaceIndex, ALastLineWithoutABreakKeepsLackingIt) {
  EXPECT_EQ(Patched(Opening("0") + "\r\n</CUSTOMFACEGROUP>"), Opening("1") + "\r\n" + kEntry + "</CUSTOMFACEGROUP>");
  EXPECT_EQ(Patched("only text"), "only text\r\n" + kOpen1 + "\r\n" + kEntry + "</CUSTOMFACEGROUP>");
  EXPECT_EQ(Patched("only text\r\n"), "only text\r\n" + kOpen1 + "\r\n" + kEntry + "</CUSTOMFACEGROUP>\r\n");
}

TEST(PatchFaceIndex, CountTextsFollowTheIntegerRules) {
  auto withCount = [](const std::string& count) { return Opening(count) + "\r\n</CUSTOMFACEGROUP>\r\n"; };
  auto patchedCount = [&](const std::string& count, const std::string& raised) {
    EXPECT_EQ(Patched(withCount(count)), Opening(raised) + "\r\n" + kEntry + "</CUSTOMFACEGROUP>\r\n") << count;
  };
  patchedCount("7", "8");
  patchedCount("$1F", "32");
  patchedCount("0x10", "17");
  patchedCount(" 5", "6");
  patchedCount("-1", "0");
  patchedCount("+3", "4");
  patchedCount("-2147483648", "-2147483647");
  patchedCount("2147483646", "2147483647");
  EXPECT_EQ(PatchError(withCount("2147483648")), L"'2147483648' is not a valid integer value");
  EXPECT_EQ(PatchError(withCount("")), L"'' is not a valid integer value");
  EXPECT_EQ(PatchError(withCount("abc")), L"'abc' is not a valid integer value");
  EXPECT_EQ(PatchError(withCount("5 ")), L"'5 ' is not a valid integer value");
  EXPECT_EQ(PatchError(withCount("0x")), L"'0x' is not a valid integer value");
  EXPECT_EQ(PatchError(withCount("$")), L"'$' is not a valid integer value");
  // Raising the largest count would wrap it negative.
  EXPECT_EQ(PatchError(withCount("2147483647")),
            L"face.xml 的面板组已有 2147483647 个表情，不能再添加");
  // Without count=" the count text is empty; without a closing quote it runs to the end of the tag.
  EXPECT_EQ(PatchError("<CUSTOMFACEGROUP version=\"1002\" name=\"panel\">\r\n</CUSTOMFACEGROUP>\r\n"),
            L"'' is not a valid integer value");
  EXPECT_EQ(PatchError("<CUSTOMFACEGROUP version=\"1002\" name=\"panel\" count=\"3>\r\n</CUSTOMFACEGROUP>\r\n"),
            L"'3>' is not a valid integer value");
}

TEST(PatchFaceIndex, AMarkerPastTheFirst4096BytesOfItsLineIsNotSeen) {
  std::string longLine = std::string(4090, ' ') + Opening("3") + "</CUSTOMFACEGROUP>";
  std::string result = Patched(longLine + "\r\nend\r\n");
  EXPECT_EQ(result, longLine + "\r\nend\r\n" + kOpen1 + "\r\n" + kEntry + "</CUSTOMFACEGROUP>\r\n");
}

TEST(PatchFaceIndex, AnIndexOnOneLineChangesOnlyItsCountAndTakesTheEntryInside) {
  std::string head = "<FACESETTING><CUSTOMFACE count=\"0\"></CUSTOMFACE>";
  std::string group = "<FACE id=\"A\" shortcut=\"a\" tip=\"a\" multiframe=\"0\"><FILE ORG>A.JPG</FILE ORG>"
                      "<FILE FIXED>Afixed.bmp</FILE FIXED></FACE>";
  std::string before = head + Opening("1") + group + "</CUSTOMFACEGROUP></FACESETTING>";
  EXPECT_EQ(Patched(before), head + Opening("2") + group + "\r\n" + kEntry + "</CUSTOMFACEGROUP></FACESETTING>");
  // The same with no panel group: the new group goes after the last group, inside the root.
  std::string other = "<CUSTOMFACEGROUP version=\"1002\" name=\"x\" count=\"0\"></CUSTOMFACEGROUP>";
  EXPECT_EQ(Patched(head + other + "</FACESETTING>\r\n"),
            head + other + "\r\n" + kOpen1 + "\r\n" + kEntry + "</CUSTOMFACEGROUP>\r\n</FACESETTING>\r\n");
}

TEST(PatchFaceIndex, AClosingTagAfterOtherTextOnItsLineIsSplitOff) {
  std::string before = Opening("1") + "\r\n<FACE id=\"A\"></FACE></CUSTOMFACEGROUP>\r\n";
  EXPECT_EQ(Patched(before), Opening("2") + "\r\n<FACE id=\"A\"></FACE>\r\n" + kEntry + "</CUSTOMFACEGROUP>\r\n");
}

TEST(PatchFaceIndex, ASelfClosingPanelGroupIsOpenedUp) {
  std::string next = "<CUSTOMFACEGROUP version=\"1002\" name=\"next\" count=\"0\">\r\n</CUSTOMFACEGROUP>\r\n";
  EXPECT_EQ(Patched("\t<CUSTOMFACEGROUP version=\"1002\" name=\"panel\" count=\"0\" />\r\n" + next),
            Opening("1") + "\r\n" + kEntry + "</CUSTOMFACEGROUP>\r\n" + next);
  // On a line with more: the tag is opened in place and its closing tag goes before the rest.
  EXPECT_EQ(Patched("<FACESETTING><CUSTOMFACEGROUP version=\"1002\" name=\"panel\" count=\"0\"/></FACESETTING>"),
            "<FACESETTING>" + Opening("1") + "\r\n" + kEntry + "</CUSTOMFACEGROUP></FACESETTING>");
}

TEST(PatchFaceIndex, APanelGroupWithoutItsClosingTagIsRefused) {
  std::wstring message = L"face.xml 中有面板组缺少结束标记，索引没有改动";
  EXPECT_EQ(PatchError("<FACESETTING>\r\n" + Opening("2") + "\r\n<FACE id=\"A\">\r\n</FACESETTING>"), message);
  // A closing tag above the group is not its own.
  EXPECT_EQ(PatchError("</CUSTOMFACEGROUP>" + Opening("0") + "\r\n"), message);
}

TEST(PatchFaceIndex, WithOnlyTheDefaultGroupTheNewGroupGoesInsideTheRoot) {
  std::string head = "<FACESETTING>\r\n<CUSTOMFACE count=\"0\">\r\n</CUSTOMFACE>\r\n";
  EXPECT_EQ(Patched(head + "</FACESETTING>\r\n"),
            head + kOpen1 + "\r\n" + kEntry + "</CUSTOMFACEGROUP>\r\n</FACESETTING>\r\n");
  EXPECT_EQ(Patched(head + "</CUSTOMFACE></FACESETTING>"),
            head + "</CUSTOMFACE>\r\n" + kOpen1 + "\r\n" + kEntry + "</CUSTOMFACEGROUP>\r\n</FACESETTING>");
  // Of several root closing tags the lowest is taken.
  EXPECT_EQ(Patched("</FACESETTING>\r\nx\r\n  </FACESETTING>\r\n"),
            "</FACESETTING>\r\nx\r\n" + kOpen1 + "\r\n" + kEntry + "</CUSTOMFACEGROUP>\r\n  </FACESETTING>\r\n");
}

TEST(PatchFaceIndex, AnEmptyIndexGetsJustTheNewGroup) {
  EXPECT_EQ(Patched(""), kOpen1 + "\r\n" + kEntry + "</CUSTOMFACEGROUP>\r\n");
}

TEST(PatchFaceIndex, TheSignTextGoesInEscapedAndDoubleByteTextIntact) {
  LineBuffer memo;
  memo.LoadBytes(Opening("0") + "\r\n</CUSTOMFACEGROUP>\r\n");
  // "测试" then characters whose second bytes look like a backslash and a bar.
  PatchFaceIndex(memo, "0123", "\xB2\xE2\xCA\xD4\x81\x5C\x95\x7C<&>\"");
  std::string text = "\xB2\xE2\xCA\xD4\x81\x5C\x95\x7C&lt;&amp;&gt;&quot;";
  EXPECT_EQ(memo.Line(1), "<FACE id=\"0123\" shortcut=\"" + text + "\" tip=\"" + text + "\" multiframe=\"0\">");
  EXPECT_EQ(memo.Line(2), "<FILE ORG>0123.JPG</FILE ORG>");
  EXPECT_EQ(memo.Line(3), "<FILE FIXED>0123fixed.bmp</FILE FIXED>");
  EXPECT_EQ(memo.Count(), 6u);
}

TEST(PatchFaceIndex, ATextTooLargeForTheBufferLeavesItUnchanged) {
  std::string before = Opening("0") + "\r\n</CUSTOMFACEGROUP>\r\n";
  LineBuffer memo(before.size() + 100);
  memo.LoadBytes(before);
  try {
    PatchFaceIndex(memo, "ID", "TEXT");
    ADD_FAILURE() << "no error";
  } catch (const AppError& e) {
    EXPECT_EQ(e.message(), L"Text exceeds memo capacity");
  }
  EXPECT_EQ(memo.Text(), before);
}

// A face.xml as the messenger writes it: GBK text, a FACESETTING root, the
// default group and two named groups with Chinese names.
std::string RealisticIndex() {
  std::string face = "<FACE id=\"%\" shortcut=\"\xCE\xD2\" tip=\"\xCE\xD2\" multiframe=\"0\" FileIndex=\"#\">\r\n"
                     "<FILE ORG>%.GIF</FILE ORG>\r\n<FILE FIXED>%fixed.bmp</FILE FIXED>\r\n</FACE>\r\n";
  auto entry = [&](const std::string& id, int index) {
    std::string e = face;
    for (size_t at; (at = e.find('%')) != std::string::npos;) e.replace(at, 1, id);
    e.replace(e.find('#'), 1, std::to_string(index));
    return e;
  };
  return "<FACESETTING>\r\n<CUSTOMFACE version=\"1002\" count=\"2\">\r\n" + entry("D1", 0) + entry("D2", 1) +
         "</CUSTOMFACE>\r\n"
         "<CUSTOMFACEGROUP version=\"1002\" name=\"\xC5\xF3\xD3\xD1\" count=\"1\">\r\n" +  // 朋友
         entry("F1", 2) +
         "</CUSTOMFACEGROUP>\r\n"
         "<CUSTOMFACEGROUP version=\"1002\" name=\"\xB6\xAF\xBB\xAD\" count=\"0\">\r\n"  // 动画
         "</CUSTOMFACEGROUP>\r\n"
         "</FACESETTING>\r\n";
}

std::vector<std::string> LinesOf(const std::string& text) {
  LineBuffer memo;
  memo.LoadBytes(text);
  std::vector<std::string> lines;
  for (size_t i = 0; i < memo.Count(); ++i) lines.emplace_back(memo.FullLine(i));
  return lines;
}

TEST(PatchFaceIndex, ARealisticIndexPatchedTwiceKeepsEveryLineAndStaysBalanced) {
  std::string original = RealisticIndex();
  LineBuffer memo;
  memo.LoadBytes(original);
  PatchFaceIndex(memo, "ABCD", "\xB2\xE2\xCA\xD4");
  std::string once = memo.Text();
  memo.LoadBytes(once);
  PatchFaceIndex(memo, "ABCD", "\xB2\xE2\xCA\xD4");
  std::vector<std::string> after = LinesOf(memo.Text());
  std::vector<std::string> before = LinesOf(original);

  // Every original line survives in order: the new group lines are the only additions.
  ASSERT_EQ(after.size(), before.size() + 10);
  size_t next = 0;
  for (const std::string& line : after) {
    if (next < before.size() && line == before[next]) ++next;
  }
  EXPECT_EQ(next, before.size());

  std::string entry1 = "<FACE id=\"ABCD\" shortcut=\"\xB2\xE2\xCA\xD4\" tip=\"\xB2\xE2\xCA\xD4\" multiframe=\"0\">";
  EXPECT_EQ(std::count(after.begin(), after.end(), entry1), 2);
  EXPECT_EQ(std::count(after.begin(), after.end(), Opening("2")), 1);
  EXPECT_EQ(std::count(after.begin(), after.end(), kOpen1), 0);
  // The new group follows the lowest group, inside the root.
  EXPECT_EQ(after[after.size() - 12], "</CUSTOMFACEGROUP>");
  EXPECT_EQ(after[after.size() - 11], Opening("2"));
  EXPECT_EQ(after.back(), "</FACESETTING>");

  // Tags balance when "FILE ORG" and "FILE FIXED" are read as names.
  std::vector<std::string> open;
  std::string text = memo.Text();
  for (size_t at = text.find('<'); at != std::string::npos; at = text.find('<', at + 1)) {
    size_t end = text.find('>', at);
    ASSERT_NE(end, std::string::npos);
    std::string tag = text.substr(at + 1, end - at - 1);
    if (tag.starts_with('/')) {
      ASSERT_FALSE(open.empty()) << tag;
      EXPECT_EQ(open.back(), tag.substr(1));
      open.pop_back();
    } else if (tag.starts_with("FILE ")) {
      open.push_back(tag);
    } else {
      open.push_back(tag.substr(0, tag.find(' ')));
    }
  }
  EXPECT_TRUE(open.empty());
}

}  // namespace
}  // namespace plakato
