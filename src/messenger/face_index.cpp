#include "messenger/face_index.h"

#include <limits>
#include <optional>
#include <vector>

#include "base/error.h"
#include "base/code_page.h"
#include "messenger/cp936_chars.h"

namespace plakato {

namespace {

constexpr std::string_view kPanelTag = "<CUSTOMFACEGROUP version=\"1002\" name=\"panel\"";
constexpr std::string_view kCountAttribute = "count=\"";
constexpr std::string_view kGroupClose = "</CUSTOMFACEGROUP>";
constexpr std::string_view kRootClose = "</FACESETTING>";
constexpr std::string_view kNewGroupOpen = "<CUSTOMFACEGROUP version=\"1002\" name=\"panel\" count=\"1\">";

constexpr auto npos = std::string_view::npos;

// The first `marker` at or after `from` (a character start) that begins at a
// character start: the second byte of a double-byte character never starts a match.
size_t FindText(std::string_view text, std::string_view marker, size_t from = 0) {
  size_t boundary = from;
  for (size_t pos = text.find(marker, from); pos != npos; pos = text.find(marker, pos + 1)) {
    while (boundary < pos) boundary += Cp936CharLength(text, boundary);
    if (boundary == pos) return pos;
  }
  return npos;
}

size_t FindLastText(std::string_view text, std::string_view marker) {
  size_t last = npos;
  for (size_t pos = FindText(text, marker); pos != npos; pos = FindText(text, marker, pos + marker.size())) {
    last = pos;
  }
  return last;
}

bool IsBlank(std::string_view text) { return text.find_first_not_of(" \t") == npos; }

std::optional<size_t> FirstLineWith(const LineBuffer& buffer, std::string_view marker, size_t from = 0) {
  for (size_t i = from; i < buffer.Count(); ++i) {
    if (FindText(buffer.Line(i), marker) != npos) return i;
  }
  return std::nullopt;
}

std::optional<size_t> LastLineWith(const LineBuffer& buffer, std::string_view marker) {
  for (size_t i = buffer.Count(); i-- > 0;) {
    if (FindText(buffer.Line(i), marker) != npos) return i;
  }
  return std::nullopt;
}

std::vector<std::string> EntryLines(std::string_view faceId, std::string_view message) {
  std::string text = EscapeXmlAttribute(message);
  std::string id(faceId);
  return {
      "<FACE id=\"" + id + "\" shortcut=\"" + text + "\" tip=\"" + text + "\" multiframe=\"0\">",
      "<FILE ORG>" + id + ".JPG</FILE ORG>",
      "<FILE FIXED>" + id + "fixed.bmp</FILE FIXED>",
      "</FACE>",
  };
}

// Line i becomes `head`, followed by `lines` and then `tail`, each a line of its own.
void SplitLine(LineBuffer& buffer, size_t i, std::string_view head, std::vector<std::string> lines, std::string tail) {
  lines.push_back(std::move(tail));
  buffer.ReplaceLine(i, head);
  buffer.InsertLines(i + 1, lines);
}

// Puts `lines` in front of the closing tag on line e. A closing tag with only
// blanks before it keeps its line; one with other text before it (an entry on
// the same line, say) has its line split just before the tag.
void InsertBeforeClosing(LineBuffer& buffer, size_t e, size_t closeAt, std::vector<std::string> lines) {
  std::string full(buffer.FullLine(e));
  if (IsBlank(std::string_view(full).substr(0, closeAt))) {
    buffer.InsertLines(e, lines);
    return;
  }
  SplitLine(buffer, e, std::string_view(full).substr(0, closeAt), std::move(lines), full.substr(closeAt));
}

// The first panel group is at line g: raise its count and add the entry as its last.
void AddToPanelGroup(LineBuffer& buffer, size_t g, std::vector<std::string> entry) {
  std::string_view view = buffer.Line(g);
  std::string full(buffer.FullLine(g));
  size_t tagStart = FindText(view, kPanelTag);
  size_t tagEnd = view.find('>', tagStart);  // '>' is never a trail byte
  std::string_view tag = view.substr(tagStart, tagEnd == npos ? npos : tagEnd + 1 - tagStart);

  std::string countText = TextBefore("\"", TextAfter(kCountAttribute, tag));
  int32_t count = StrToInt(countText);
  if (count == std::numeric_limits<int32_t>::max()) {
    throw AppError(L"face.xml 的面板组已有 2147483647 个表情，不能再添加");
  }
  std::string newCount = std::to_string(count + 1);
  size_t digitsAt = tagStart + FindText(tag, kCountAttribute) + kCountAttribute.size();
  size_t digitsEnd = digitsAt + countText.size();

  // A line that holds only the tag, with blanks around it at most, is written
  // anew as the plain opening line. Any other text before or after the tag on
  // its line (an index on one line, an entry beside the tag, a tag that goes
  // on past its line) keeps the line as it is, with only the count changed.
  bool wholeLine = tagEnd != npos && IsBlank(std::string_view(full).substr(0, tagStart)) &&
                   IsBlank(std::string_view(full).substr(tagEnd + 1));
  std::string rebuilt = std::string(kPanelTag) + " count=\"" + newCount + "\">";
  std::string inPlace = full.substr(0, digitsAt) + newCount + full.substr(digitsEnd);
  size_t shift = inPlace.size() - full.size();  // modular: a shorter count shifts back

  size_t slash = tagEnd == npos ? npos : view.find_last_not_of(" \t", tagEnd - 1);
  if (slash != npos && slash > digitsEnd && view[slash] == '/') {
    // An empty group written as one self-closing tag is opened up, so the
    // entry never lands in the group that follows.
    size_t blanks = view.find_last_not_of(" \t", slash - 1) + 1;
    std::string head = wholeLine ? rebuilt : inPlace.substr(0, blanks + shift) + ">";
    std::string tail = std::string(kGroupClose) + (wholeLine ? "" : full.substr(tagEnd + 1));
    SplitLine(buffer, g, head, std::move(entry), std::move(tail));
    return;
  }

  size_t closeAt = tagEnd == npos ? npos : FindText(view, kGroupClose, tagEnd + 1);
  size_t e = g;
  if (closeAt == npos) {
    std::optional<size_t> below = FirstLineWith(buffer, kGroupClose, g + 1);
    if (!below) {
      throw AppError(L"face.xml 中有面板组缺少结束标记，索引没有改动");
    }
    e = *below;
    closeAt = FindText(buffer.Line(e), kGroupClose);
  }
  if (e == g) {
    SplitLine(buffer, g, std::string_view(inPlace).substr(0, closeAt + shift), std::move(entry), full.substr(closeAt));
    return;
  }
  buffer.ReplaceLine(g, wholeLine ? rebuilt : inPlace);
  InsertBeforeClosing(buffer, e, closeAt, std::move(entry));
}

// No panel group: a new one goes after the lowest group, or else just inside
// the root's closing tag, or else at the end.
void AddPanelGroup(LineBuffer& buffer, const std::vector<std::string>& entry) {
  std::vector<std::string> group;
  group.emplace_back(kNewGroupOpen);
  group.insert(group.end(), entry.begin(), entry.end());
  group.emplace_back(kGroupClose);

  if (std::optional<size_t> j = LastLineWith(buffer, kGroupClose)) {
    std::string full(buffer.FullLine(*j));
    size_t after = FindLastText(buffer.Line(*j), kGroupClose) + kGroupClose.size();
    if (IsBlank(std::string_view(full).substr(after))) {
      buffer.InsertLines(*j + 1, group);
    } else {
      // More follows the group on its line (the root's closing tag, say): split after the group.
      SplitLine(buffer, *j, std::string_view(full).substr(0, after), std::move(group), full.substr(after));
    }
    return;
  }
  if (std::optional<size_t> r = LastLineWith(buffer, kRootClose)) {
    InsertBeforeClosing(buffer, *r, FindText(buffer.Line(*r), kRootClose), std::move(group));
    return;
  }
  buffer.InsertLines(buffer.Count(), group);
}

}  // namespace

std::string TextAfter(std::string_view marker, std::string_view text) {
  size_t at = FindText(text, marker);
  return at == npos ? std::string() : std::string(text.substr(at + marker.size()));
}

std::string TextBefore(std::string_view marker, std::string_view text) {
  return std::string(text.substr(0, FindText(text, marker)));
}

int32_t StrToInt(std::string_view text) {
  auto fail = [text] { return AppError(L"'" + DecodeCp936(text) + L"' is not a valid integer value"); };
  size_t i = text.find_first_not_of(' ');
  if (i == npos) throw fail();
  bool negative = false;
  if (text[i] == '+' || text[i] == '-') negative = text[i++] == '-';
  int base = 10;
  if (i < text.size() && (text[i] == '$' || text[i] == 'x' || text[i] == 'X')) {
    base = 16;
    ++i;
  } else if (i + 1 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
    base = 16;
    i += 2;
  }
  if (i == text.size()) throw fail();
  const int64_t limit = int64_t{std::numeric_limits<int32_t>::max()} + (negative ? 1 : 0);
  int64_t value = 0;
  for (; i < text.size(); ++i) {
    char c = text[i];
    int digit = c >= '0' && c <= '9'                  ? c - '0'
                : base == 16 && c >= 'a' && c <= 'f' ? c - 'a' + 10
                : base == 16 && c >= 'A' && c <= 'F' ? c - 'A' + 10
                                                     : -1;
    if (digit < 0) throw fail();
    value = value * base + digit;
    if (value > limit) throw fail();
  }
  return static_cast<int32_t>(negative ? -value : value);
}

std::string EscapeXmlAttribute(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size();) {
    size_t n = Cp936CharLength(text, i);
    if (n == 2) {
      out.append(text.substr(i, 2));
    } else {
      switch (text[i]) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        // A break would split the entry's line; XML reads these back as the break.
        case '\r': out += "&#13;"; break;
        case '\n': out += "&#10;"; break;
        default: out += text[i];
      }
    }
    i += n;
  }
  return out;
}

void RequireIndexableText(std::string_view message) {
  for (size_t i = 0; i < message.size();) {
    size_t n = Cp936CharLength(message, i);
    auto c = static_cast<unsigned char>(message[i]);
    // XML 1.0 has no form for these, not even a character reference; tab
    // and the line breaks it has (the breaks go in as references).
    if (n == 1 && c < 0x20 && c != '\t' && c != '\r' && c != '\n') {
      static constexpr char kDigits[] = "0123456789ABCDEF";
      std::wstring code = L"U+00";
      code += static_cast<wchar_t>(kDigits[c >> 4]);
      code += static_cast<wchar_t>(kDigits[c & 0xF]);
      throw AppError(L"牌子文字含有控制字符 " + code + L"，face.xml 无法保存");
    }
    i += n;
  }
}

void PatchFaceIndex(LineBuffer& buffer, std::string_view faceId, std::string_view message) {
  RequireIndexableText(message);
  std::vector<std::string> entry = EntryLines(faceId, message);
  // Everything that can fail is checked before the first change: the lines,
  // and room for the most the patch can add (the entry, a new group, a rebuilt
  // opening line, a split and a final break).
  size_t most = 128 + kNewGroupOpen.size() + kGroupClose.size();
  for (const std::string& line : entry) {
    if (line.find_first_of("\r\n") != npos) throw AppError(L"face.xml 的一行里不能有换行");
    most += line.size() + 2;
  }
  if (buffer.Text().size() + most > buffer.Capacity()) throw AppError(L"Text exceeds memo capacity");

  if (std::optional<size_t> g = FirstLineWith(buffer, kPanelTag)) {
    AddToPanelGroup(buffer, *g, std::move(entry));
  } else {
    AddPanelGroup(buffer, entry);
  }
}

}  // namespace plakato
