// Fuzzes the face index patch with arbitrary bytes. The first byte chooses
// the sign text's length (low 5 bits) and, with its top bit, a small buffer
// capacity; then come the sign text and the index.
//
// Checked on every input:
// - nothing crashes, and the only error is AppError;
// - on an error the buffer holds exactly the text it loaded;
// - on success, with L the loaded lines and O the saved ones:
//   * O is saved with CR LF breaks only (loading it again changes nothing);
//   * the four entry lines stand in O exactly once, one after another, and
//     the line after them holds, after blanks, a group's closing tag;
//   * without a panel group in L: O has 6 or 7 lines more (7 when a line was
//     split), the entry sits between the new group's own opening and closing
//     lines, the group comes straight after the lowest group's closing tag
//     (or else just before the root's closing tag), and taking those six lines out, with all breaks removed, gives
//     back L with all breaks removed;
//   * with a panel group at line g: O has 4 or 5 lines more, lines above g are
//     unchanged, and taking the entry out and all breaks away gives back L but
//     for line g, which has either become the plain opening line with the
//     count raised by one (only when it held nothing but the tag and blanks)
//     or has only its count raised in place; a self-closing tag also loses its
//     "/" and gains its closing tag, straight after the entry.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "base/error.h"
#include "messenger/face_index.h"
#include "messenger/line_buffer.h"

namespace {

using plakato::AppError;
using plakato::LineBuffer;

constexpr std::string_view kPanelTag = "<CUSTOMFACEGROUP version=\"1002\" name=\"panel\"";
constexpr std::string_view kGroupClose = "</CUSTOMFACEGROUP>";
constexpr std::string_view kRootClose = "</FACESETTING>";

void Require(bool ok, const char* what) {
  if (!ok) {
    std::fprintf(stderr, "property broken: %s\n", what);
    std::abort();
  }
}

bool Contains(std::string_view text, std::string_view marker) {
  return plakato::TextBefore(marker, text).size() != text.size();
}

std::string WithoutBreaks(std::string_view text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
      ++i;
    } else {
      out += text[i];
    }
  }
  return out;
}

std::vector<std::string> FullLines(const LineBuffer& memo) {
  std::vector<std::string> lines;
  for (size_t i = 0; i < memo.Count(); ++i) lines.emplace_back(memo.FullLine(i));
  return lines;
}

std::string Trimmed(std::string_view text) {
  size_t b = text.find_first_not_of(" \t");
  if (b == std::string_view::npos) return "";
  return std::string(text.substr(b, text.find_last_not_of(" \t") - b + 1));
}

// Line g as the patch may leave it, in every allowed form; `selfClosing` tells
// whether its tag ends in "/>".
std::vector<std::string> AllowedPanelLines(std::string_view full, std::string_view view, bool& selfClosing) {
  size_t tagStart = plakato::TextBefore(kPanelTag, view).size();
  size_t tagEnd = view.find('>', tagStart);
  std::string_view tag = view.substr(tagStart, tagEnd == std::string_view::npos ? tagEnd : tagEnd + 1 - tagStart);
  std::string countText = plakato::TextBefore("\"", plakato::TextAfter("count=\"", tag));
  std::string newCount = std::to_string(int64_t{plakato::StrToInt(countText)} + 1);
  std::vector<std::string> allowed;
  size_t last = tagEnd == std::string_view::npos ? tagEnd : view.find_last_not_of(" \t", tagEnd - 1);
  selfClosing = last != std::string_view::npos && view[last] == '/';
  if (tagEnd != std::string_view::npos && Trimmed(full) == tag) {
    allowed.push_back(std::string(kPanelTag) + " count=\"" + newCount + "\">");
  }
  size_t digits = tagStart + plakato::TextBefore("count=\"", tag).size() + 7;
  std::string inPlace = std::string(full.substr(0, digits)) + newCount + std::string(full.substr(digits + countText.size()));
  allowed.push_back(inPlace);
  // The self-closing form: the "/" and the blanks before it go.
  size_t close = inPlace.find('>', digits);
  if (selfClosing && close != std::string::npos) {
    size_t slash = inPlace.find_last_not_of(" \t", close - 1);
    if (slash != std::string::npos && inPlace[slash] == '/') {
      size_t blanks = inPlace.find_last_not_of(" \t", slash - 1) + 1;
      allowed.push_back(inPlace.substr(0, blanks) + inPlace.substr(close));
    }
  }
  return allowed;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  std::string_view input(reinterpret_cast<const char*>(data) + 1, size - 1);
  size_t messageBytes = std::min<size_t>(data[0] & 0x1F, input.size());
  std::string_view message = input.substr(0, messageBytes);
  std::string_view file = input.substr(messageBytes);
  size_t capacity = (data[0] & 0x80) ? file.size() * 2 + (data[0] & 0x60) * 2 : LineBuffer::kDefaultCapacity;

  LineBuffer memo(capacity);
  try {
    memo.LoadBytes(file);
  } catch (const AppError&) {
    Require(memo.Text().empty() && memo.Count() == 0, "a refused load changed the buffer");
    return 0;
  }
  const std::string loaded = memo.Text();
  const std::vector<std::string> before = FullLines(memo);
  std::vector<std::string> beforeViews;
  for (size_t i = 0; i < memo.Count(); ++i) beforeViews.emplace_back(memo.Line(i));

  // An id that the index does not hold yet, so that the new entry can be told apart.
  std::string id;
  for (char digit : std::string_view("0123456789ABCDEF")) {
    id.assign(32, digit);
    if (loaded.find(id) == std::string::npos) break;
    id.clear();
  }
  if (id.empty()) return 0;

  try {
    plakato::PatchFaceIndex(memo, id, message);
  } catch (const AppError&) {
    Require(memo.Text() == loaded, "a refused patch changed the buffer");
    return 0;
  }
  const std::string out = memo.Text();
  LineBuffer again;
  again.LoadBytes(out);
  Require(again.Text() == out, "the saved text has a break other than CR LF");
  const std::vector<std::string> after = FullLines(again);

  std::string text = plakato::EscapeXmlAttribute(message);
  const std::vector<std::string> entry{
      "<FACE id=\"" + id + "\" shortcut=\"" + text + "\" tip=\"" + text + "\" multiframe=\"0\">",
      "<FILE ORG>" + id + ".JPG</FILE ORG>", "<FILE FIXED>" + id + "fixed.bmp</FILE FIXED>", "</FACE>"};
  size_t r = after.size();
  for (size_t i = 0; i < after.size(); ++i) {
    if (after[i] == entry[0]) {
      Require(r == after.size(), "the entry stands twice");
      r = i;
    }
  }
  Require(r + 4 < after.size(), "the entry is missing or ends the index");
  for (size_t k = 1; k < 4; ++k) Require(after[r + k] == entry[k], "the entry lines are not together");
  for (char c : after[r]) {
    Require(static_cast<unsigned char>(c) >= 0x20 || c == '\t', "the entry holds a character XML 1.0 forbids");
  }
  Require(Trimmed(after[r + 4]).starts_with(kGroupClose), "the entry is not followed by a closing tag");

  size_t p = 0;
  for (size_t i = 0; i < r; ++i) p += after[i].size();
  std::string block = entry[0] + entry[1] + entry[2] + entry[3];
  std::string rest = WithoutBreaks(out);
  Require(rest.compare(p, block.size(), block) == 0, "the entry is not where its lines are");
  rest.erase(p, block.size());
  const std::string original = WithoutBreaks(loaded);

  size_t g = 0;
  while (g < before.size() && !Contains(beforeViews[g], kPanelTag)) ++g;
  if (g == before.size()) {
    Require(after.size() == before.size() + 6 || after.size() == before.size() + 7, "a new group adds 6 or 7 lines");
    std::string open = "<CUSTOMFACEGROUP version=\"1002\" name=\"panel\" count=\"1\">";
    Require(r > 0 && after[r - 1] == open && after[r + 4] == kGroupClose, "the new group's own lines are missing");
    Require(rest.compare(p - open.size(), open.size(), open) == 0, "the new group is not where its lines are");
    rest.erase(p - open.size(), open.size() + kGroupClose.size());
    Require(rest == original, "a new group changed other text");
    bool anyGroup = false, anyRoot = false;
    for (const std::string& v : beforeViews) {
      anyGroup = anyGroup || Contains(v, kGroupClose);
      anyRoot = anyRoot || Contains(v, kRootClose);
    }
    if (anyGroup) {
      Require(r >= 2 && Trimmed(after[r - 2]).ends_with(kGroupClose), "the new group does not follow a group");
    }
    if (!anyGroup && anyRoot) {
      Require(r + 5 < after.size() && Trimmed(after[r + 5]).starts_with(kRootClose), "the new group is not inside the root");
    }
    return 0;
  }

  Require(after.size() == before.size() + 4 || after.size() == before.size() + 5, "an entry adds 4 or 5 lines");
  Require(r > g, "the entry is above its group");
  for (size_t i = 0; i < g; ++i) Require(after[i] == before[i], "a line above the panel group changed");
  for (size_t i = g + 1; i < r; ++i) {
    Require(!Contains(again.Line(i), kGroupClose), "the entry is not in the first panel group");
  }
  size_t above = 0;
  for (size_t i = 0; i < g; ++i) above += before[i].size();
  std::string below = original.substr(above + before[g].size());
  bool selfClosing = false;
  std::vector<std::string> allowed = AllowedPanelLines(before[g], beforeViews[g], selfClosing);
  if (selfClosing) {
    Require(rest.compare(p, kGroupClose.size(), kGroupClose) == 0, "a self-closing group was not closed after the entry");
    rest.erase(p, kGroupClose.size());
  }
  bool matched = false;
  for (const std::string& line : allowed) matched = matched || rest == original.substr(0, above) + line + below;
  Require(matched, "the patch changed more than the panel group's count");
  return 0;
}
