#include "export/palette.h"

#include <algorithm>
#include <array>
#include <unordered_map>
#include <unordered_set>

#include "base/error.h"

namespace plakato {
namespace {

constexpr uint32_t kColourBits = 0xFFFFFFu;

int Channel(uint32_t colour, int channel) { return static_cast<int>((colour >> (8 * channel)) & 0xFF); }

struct Counted {
  uint32_t colour;
  uint64_t pixels;
};

// A box of the median cut: a run of the colour list.
struct Box {
  size_t begin;
  size_t end;
  int widestChannel = 0;
  int width = 0;  // the range of that channel inside the box
};

void Measure(Box& box, const std::vector<Counted>& colours) {
  std::array<int, 3> low{255, 255, 255}, high{0, 0, 0};
  for (size_t i = box.begin; i < box.end; ++i) {
    for (int c = 0; c < 3; ++c) {
      low[c] = std::min(low[c], Channel(colours[i].colour, c));
      high[c] = std::max(high[c], Channel(colours[i].colour, c));
    }
  }
  box.width = -1;
  for (int c = 0; c < 3; ++c) {
    if (high[c] - low[c] > box.width) {
      box.width = high[c] - low[c];
      box.widestChannel = c;
    }
  }
}

// Splits `colours` into at most `count` boxes, always cutting the box whose
// widest channel is widest, at the pixel-weighted median of that channel;
// gives each box's mean colour.
std::vector<uint32_t> MedianCut(std::vector<Counted> colours, size_t count) {
  std::vector<Box> boxes;
  if (!colours.empty() && count > 0) {
    boxes.push_back({0, colours.size()});
    Measure(boxes.back(), colours);
  }
  while (boxes.size() < count) {
    auto widest = std::max_element(boxes.begin(), boxes.end(),
                                   [](const Box& a, const Box& b) { return a.width < b.width; });
    if (widest->width <= 0) break;  // every box holds one colour
    Box box = *widest;
    int channel = box.widestChannel;
    std::sort(colours.begin() + box.begin, colours.begin() + box.end, [channel](const Counted& a, const Counted& b) {
      return Channel(a.colour, channel) < Channel(b.colour, channel) ||
             (Channel(a.colour, channel) == Channel(b.colour, channel) && a.colour < b.colour);
    });
    uint64_t total = 0;
    for (size_t i = box.begin; i < box.end; ++i) total += colours[i].pixels;
    // The first colour at which half the box's pixels are reached ends the
    // lower half; each half keeps at least one colour.
    uint64_t seen = 0;
    size_t cut = box.begin + 1;
    for (size_t i = box.begin; i < box.end - 1; ++i) {
      seen += colours[i].pixels;
      cut = i + 1;
      if (2 * seen >= total) break;
    }
    *widest = {box.begin, cut};
    Measure(*widest, colours);
    boxes.push_back({cut, box.end});
    Measure(boxes.back(), colours);
  }
  std::vector<uint32_t> means;
  for (const Box& box : boxes) {
    std::array<uint64_t, 3> sum{};
    uint64_t pixels = 0;
    for (size_t i = box.begin; i < box.end; ++i) {
      for (int c = 0; c < 3; ++c) sum[c] += static_cast<uint64_t>(Channel(colours[i].colour, c)) * colours[i].pixels;
      pixels += colours[i].pixels;
    }
    uint32_t mean = 0;
    for (int c = 0; c < 3; ++c) mean |= static_cast<uint32_t>((sum[c] + pixels / 2) / pixels) << (8 * c);
    means.push_back(mean);
  }
  return means;
}

int Distance(uint32_t a, uint32_t b) {
  int d = 0;
  for (int c = 0; c < 3; ++c) {
    int e = Channel(a, c) - Channel(b, c);
    d += e * e;
  }
  return d;
}

}  // namespace

std::vector<uint32_t> ChoosePalette(const std::vector<PixelCanvas>& frames, const std::vector<uint32_t>& exact) {
  std::unordered_map<uint32_t, uint64_t> histogram;
  for (const PixelCanvas& frame : frames) {
    uint32_t last = 0;
    uint64_t* lastCount = nullptr;
    for (uint32_t pixel : frame.pixels) {
      pixel &= kColourBits;
      if (!lastCount || pixel != last) {
        last = pixel;
        lastCount = &histogram[pixel];
      }
      ++*lastCount;
    }
  }
  std::vector<uint32_t> palette;
  if (histogram.size() <= kMaxPaletteColours) {
    for (const auto& [colour, pixels] : histogram) palette.push_back(colour);
    std::sort(palette.begin(), palette.end());
    return palette;
  }
  std::unordered_set<uint32_t> kept;
  for (uint32_t colour : exact) kept.insert(colour & kColourBits);
  if (kept.size() > kMaxPaletteColours) throw AppError(L"需保持不变的颜色超过 256 种。");
  kept.clear();
  for (uint32_t colour : exact) {
    colour &= kColourBits;
    if (histogram.contains(colour) && kept.insert(colour).second) palette.push_back(colour);
  }
  std::vector<Counted> others;
  for (const auto& [colour, pixels] : histogram) {
    if (!kept.contains(colour)) others.push_back({colour, pixels});
  }
  // A fixed order, so the same frames always give the same palette.
  std::sort(others.begin(), others.end(), [](const Counted& a, const Counted& b) { return a.colour < b.colour; });
  for (uint32_t mean : MedianCut(std::move(others), kMaxPaletteColours - palette.size())) palette.push_back(mean);
  return palette;
}

std::vector<uint8_t> MapToPalette(const PixelCanvas& frame, const std::vector<uint32_t>& palette) {
  if (palette.empty() && !frame.pixels.empty()) throw AppError(L"调色板是空的。");
  std::unordered_map<uint32_t, uint8_t> nearest;
  auto lookUp = [&](uint32_t colour) {
    auto [at, added] = nearest.try_emplace(colour, 0);
    if (added) {
      int best = Distance(colour, palette[0]);
      for (size_t i = 1; i < palette.size() && best > 0; ++i) {
        int d = Distance(colour, palette[i]);
        if (d < best) {
          best = d;
          at->second = static_cast<uint8_t>(i);
        }
      }
    }
    return at->second;
  };
  std::vector<uint8_t> indexes(frame.pixels.size());
  uint32_t last = 0;
  uint8_t lastIndex = 0;
  bool any = false;
  for (size_t i = 0; i < frame.pixels.size(); ++i) {
    uint32_t colour = frame.pixels[i] & kColourBits;
    if (!any || colour != last) {
      last = colour;
      lastIndex = lookUp(colour);
      any = true;
    }
    indexes[i] = lastIndex;
  }
  return indexes;
}

}  // namespace plakato
