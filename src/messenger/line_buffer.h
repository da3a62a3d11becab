// The messenger's face index between loading and saving, as lines: one text
// whose lines end in CR LF, bounded as a multi-line edit's text is (a
// capacity, and the part of a long line that searches see).
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace plakato {

class LineBuffer {
 public:
  // More than any real index holds; a larger text is refused.
  static constexpr size_t kDefaultCapacity = size_t{64} << 20;
  // The searches and the count see at most this much of a line.
  static constexpr size_t kVisibleLineBytes = 4096;

  explicit LineBuffer(size_t capacity = kDefaultCapacity);

  // Replaces the whole content with the bytes, every CR LF, lone CR and lone
  // LF becoming CR LF. Throws "Text exceeds memo capacity" and keeps the old
  // content when the result would be larger than the capacity.
  void LoadBytes(std::string_view bytes);

  // Number of lines: a last piece after the final CR LF that is empty does not count.
  size_t Count() const { return starts_.size(); }
  // Line i without its break, cut to its first 4096 bytes.
  std::string_view Line(size_t i) const { return FullLine(i).substr(0, kVisibleLineBytes); }
  // Line i without its break, however long.
  std::string_view FullLine(size_t i) const;

  // Replaces the whole text of line i; its break stays. `text` holds no CR or LF.
  void ReplaceLine(size_t i, std::string_view text);
  // Inserts one line at k (0 <= k <= Count()): in front of line k, or as the
  // new last line, the content keeping or lacking its final break as before.
  void Insert(size_t k, std::string_view text);
  // Inserts the lines in order as one block, as if by Insert(k), Insert(k + 1), ...
  void InsertLines(size_t k, std::span<const std::string> lines);

  // The content as it is saved.
  const std::string& Text() const { return text_; }
  size_t Capacity() const { return capacity_; }

 private:
  bool EndsWithBreak() const;
  void CheckRoom(size_t added, size_t removed) const;

  size_t capacity_;
  std::string text_;
  // Byte offset in text_ where each line starts; the capacity keeps them below 4 GiB.
  std::vector<uint32_t> starts_;
};

}  // namespace plakato
