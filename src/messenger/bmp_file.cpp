#include "messenger/bmp_file.h"

#include <string>

#include "base/error.h"

namespace plakato {

namespace {

void Put16(std::vector<uint8_t>& out, uint32_t v) {
  out.push_back(static_cast<uint8_t>(v));
  out.push_back(static_cast<uint8_t>(v >> 8));
}

void Put32(std::vector<uint8_t>& out, uint32_t v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}

}  // namespace

int BmpRowBytes(int width, int bitCount) { return (width * bitCount + 31) / 32 * 4; }

std::vector<uint8_t> BmpFileBytes(int width, int height, int bitCount, std::span<const uint8_t> rowsBottomUp,
                                  std::span<const uint32_t> colourTable) {
  bool depthKnown = bitCount == 1 || bitCount == 4 || bitCount == 8 || bitCount == 16 || bitCount == 24 ||
                    bitCount == 32;
  // The limits keep every size below 2 GiB, so the header fields never overflow.
  if (!depthKnown || width <= 0 || height <= 0 || width > 32768 || height > 32768) {
    throw AppError(L"缩略图的尺寸或色深无法存成位图文件");
  }
  size_t imageBytes = static_cast<size_t>(BmpRowBytes(width, bitCount)) * static_cast<size_t>(height);
  if (rowsBottomUp.size() != imageBytes) {
    throw AppError(L"缩略图的像素行与尺寸不符：" + std::to_wstring(rowsBottomUp.size()) + L" 字节，应为 " +
                   std::to_wstring(imageBytes) + L" 字节");
  }
  size_t tableEntries = bitCount <= 8 ? size_t{1} << bitCount : 0;
  if (colourTable.size() != tableEntries) {
    throw AppError(L"缩略图的颜色表有 " + std::to_wstring(colourTable.size()) + L" 种颜色，其色深需要 " +
                   std::to_wstring(tableEntries) + L" 种");
  }
  constexpr uint32_t kHeadersBytes = 14 + 40;
  auto offset = static_cast<uint32_t>(kHeadersBytes + tableEntries * 4);
  auto fileSize = static_cast<uint32_t>(offset + imageBytes);

  std::vector<uint8_t> out;
  out.reserve(fileSize);
  out.push_back('B');
  out.push_back('M');
  Put32(out, fileSize);
  Put16(out, 0);
  Put16(out, 0);
  Put32(out, offset);
  Put32(out, 40);
  Put32(out, static_cast<uint32_t>(width));
  Put32(out, static_cast<uint32_t>(height));  // positive: bottom-up
  Put16(out, 1);                              // planes
  Put16(out, static_cast<uint32_t>(bitCount));
  Put32(out, 0);  // BI_RGB
  Put32(out, static_cast<uint32_t>(imageBytes));
  Put32(out, 0);  // horizontal resolution: none stated, as a screen bitmap saves it
  Put32(out, 0);  // vertical resolution
  Put32(out, 0);  // colours used: all the depth allows
  Put32(out, 0);  // important colours: all
  for (uint32_t colour : colourTable) Put32(out, colour);
  out.insert(out.end(), rowsBottomUp.begin(), rowsBottomUp.end());
  return out;
}

}  // namespace plakato
