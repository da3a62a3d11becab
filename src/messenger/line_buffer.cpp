#include "messenger/line_buffer.h"

#include <algorithm>
#include <cstring>
#include <limits>

#include "base/error.h"

namespace plakato {

namespace {

constexpr std::string_view kBreak = "\r\n";

void CheckNoBreak(std::string_view text) {
  if (text.find_first_of("\r\n") != std::string_view::npos) {
    throw AppError(L"face.xml 的一行里不能有换行");
  }
}

}  // namespace

LineBuffer::LineBuffer(size_t capacity)
    : capacity_(std::min<size_t>(capacity, std::numeric_limits<uint32_t>::max())) {}

namespace {

// Calls `piece(from, to, breakBytes)` for every piece of `bytes` before a CR
// LF, lone CR or lone LF, and for the last piece with breakBytes 0.
template <typename F>
void ForEachPiece(std::string_view bytes, F&& piece) {
  const size_t n = bytes.size();
  auto find = [bytes, n](char c, size_t from) {
    if (from >= n) return n;
    const void* at = std::memchr(bytes.data() + from, c, n - from);
    return at ? static_cast<size_t>(static_cast<const char*>(at) - bytes.data()) : n;
  };
  // Each byte is looked for again only once passed, so a file of lone CRs or
  // lone LFs is scanned once too.
  size_t nextCr = find('\r', 0);
  size_t nextLf = find('\n', 0);
  for (size_t from = 0; from < n;) {
    if (nextCr < from) nextCr = find('\r', from);
    if (nextLf < from) nextLf = find('\n', from);
    size_t at = std::min(nextCr, nextLf);
    // nextLf is n when no LF is left, so a CR as the last byte would pass for
    // the start of a CR LF without the check that an LF really follows.
    bool crLf = at == nextCr && nextLf < n && nextLf == at + 1;
    size_t breakBytes = at == n ? 0 : (crLf ? 2 : 1);
    piece(from, at, breakBytes);
    from = at + breakBytes;
  }
}

}  // namespace

void LineBuffer::LoadBytes(std::string_view bytes) {
  // A double-byte character is a lead byte and a trail byte (0x40..0xFE), so
  // CR and LF are never the second half of one: every CR and LF byte is a
  // break, and a lead byte before a break, or as the very last byte, stays a
  // single byte. Stepping over characters therefore needs no look at them here.
  size_t size = bytes.size();
  size_t lines = 0;
  ForEachPiece(bytes, [&](size_t, size_t, size_t breakBytes) {
    size += breakBytes == 1 ? 1 : 0;
    ++lines;
  });
  if (size > capacity_) throw AppError(L"Text exceeds memo capacity");

  // Room for a patch's few lines, so that editing never copies the whole text again.
  constexpr size_t kEditRoom = 64 * 1024;
  std::string text;
  text.reserve(size + kEditRoom);
  std::vector<uint32_t> starts;
  starts.reserve(lines + 16);
  ForEachPiece(bytes, [&](size_t from, size_t to, size_t breakBytes) {
    starts.push_back(static_cast<uint32_t>(text.size()));
    text.append(bytes.substr(from, to - from));
    if (breakBytes > 0) text += kBreak;
  });
  text_ = std::move(text);
  starts_ = std::move(starts);
}

bool LineBuffer::EndsWithBreak() const { return text_.size() >= 2 && text_.ends_with(kBreak); }

std::string_view LineBuffer::FullLine(size_t i) const {
  std::string_view all = text_;
  size_t begin = starts_.at(i);
  size_t end = i + 1 < starts_.size() ? starts_[i + 1] - kBreak.size()
                                      : (EndsWithBreak() ? all.size() - kBreak.size() : all.size());
  return all.substr(begin, end - begin);
}

void LineBuffer::CheckRoom(size_t added, size_t removed) const {
  if (text_.size() - removed + added > capacity_) throw AppError(L"Text exceeds memo capacity");
}

void LineBuffer::ReplaceLine(size_t i, std::string_view text) {
  CheckNoBreak(text);
  std::string_view old = FullLine(i);
  CheckRoom(text.size(), old.size());
  size_t begin = starts_[i];
  text_.replace(begin, old.size(), text);
  auto delta = static_cast<uint32_t>(text.size() - old.size());  // wraps for a shorter line, as intended
  for (size_t j = i + 1; j < starts_.size(); ++j) starts_[j] += delta;
}

void LineBuffer::Insert(size_t k, std::string_view text) {
  std::string line(text);
  InsertLines(k, std::span<const std::string>(&line, 1));
}

void LineBuffer::InsertLines(size_t k, std::span<const std::string> lines) {
  if (k > Count()) throw AppError(L"face.xml 的行超出了末尾");
  size_t added = 0;
  for (const std::string& line : lines) {
    CheckNoBreak(line);
    added += line.size() + kBreak.size();
  }
  CheckRoom(added, 0);
  if (lines.empty()) return;

  std::string block;
  block.reserve(added);
  std::vector<uint32_t> newStarts;
  newStarts.reserve(lines.size());
  size_t at = 0;
  if (k < Count() || text_.empty() || EndsWithBreak()) {
    at = k < Count() ? starts_[k] : text_.size();
    for (const std::string& line : lines) {
      newStarts.push_back(static_cast<uint32_t>(at + block.size()));
      block += line;
      block += kBreak;
    }
  } else {
    // The last line lacks its break: the break goes in front, and the new
    // last line lacks one in its turn.
    at = text_.size();
    for (const std::string& line : lines) {
      block += kBreak;
      newStarts.push_back(static_cast<uint32_t>(at + block.size()));
      block += line;
    }
  }
  text_.insert(at, block);
  for (size_t j = k; j < starts_.size(); ++j) starts_[j] += static_cast<uint32_t>(block.size());
  starts_.insert(starts_.begin() + static_cast<ptrdiff_t>(k), newStarts.begin(), newStarts.end());
}

}  // namespace plakato
