#include "messenger/line_buffer.h"

#include <algorithm>
#include <limits>

#include "app/app_text.h"
#include "messenger/cp936_chars.h"

namespace plakato {

namespace {

constexpr std::string_view kBreak = "\r\n";

void CheckNoBreak(std::string_view text) {
  if (text.find_first_of("\r\n") != std::string_view::npos) {
    throw AppError(L"A line of the face index cannot hold a line break");
  }
}

}  // namespace

LineBuffer::LineBuffer(size_t capacity)
    : capacity_(std::min<size_t>(capacity, std::numeric_limits<uint32_t>::max())) {}

void LineBuffer::LoadBytes(std::string_view bytes) {
  // A lead byte is paired only with a trail byte (0x40..0xFE), and CR and LF
  // are never trail bytes: a lead byte before a break, or as the very last
  // byte, stays a single byte and the break is still a break.
  size_t size = 0;
  for (size_t i = 0; i < bytes.size();) {
    char c = bytes[i];
    if (c == '\r' || c == '\n') {
      i += (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ? 2 : 1;
      size += 2;
    } else {
      size_t n = Cp936CharLength(bytes, i);
      i += n;
      size += n;
    }
  }
  if (size > capacity_) throw AppError(L"Text exceeds memo capacity");

  std::string text;
  text.reserve(size);
  std::vector<uint32_t> starts;
  bool lineOpen = false;  // bytes of a line seen since the last break
  for (size_t i = 0; i < bytes.size();) {
    char c = bytes[i];
    if (!lineOpen) {
      starts.push_back(static_cast<uint32_t>(text.size()));
      lineOpen = true;
    }
    if (c == '\r' || c == '\n') {
      i += (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ? 2 : 1;
      text += kBreak;
      lineOpen = false;
    } else {
      size_t n = Cp936CharLength(bytes, i);
      text.append(bytes.substr(i, n));
      i += n;
    }
  }
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
  if (k > Count()) throw AppError(L"A line of the face index was to go past its end");
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
