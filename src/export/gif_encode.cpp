#include "export/gif_encode.h"

#include <gif_lib.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <new>
#include <string>

#include "base/error.h"
#include "export/palette.h"

namespace plakato {
namespace {

struct Output {
  std::vector<uint8_t> bytes;
};

// giflib's output function: no exception may cross giflib's C frames, so a
// failed allocation is a short write, which giflib reports as an error.
int Write(GifFileType* gif, const GifByteType* data, int length) noexcept {
  auto* out = static_cast<Output*>(gif->UserData);
  try {
    out->bytes.insert(out->bytes.end(), data, data + length);
  } catch (const std::bad_alloc&) {
    return 0;
  }
  return length;
}

// The GIF being written; closed (and freed) whatever way the encoding ends.
class GifWriter {
 public:
  explicit GifWriter(Output& out) {
    int error = 0;
    gif_ = EGifOpen(&out, Write, &error);
    if (!gif_) Fail(error);
  }
  ~GifWriter() {
    if (gif_) EGifCloseFile(gif_, nullptr);
  }
  GifWriter(const GifWriter&) = delete;
  GifWriter& operator=(const GifWriter&) = delete;

  GifFileType* get() const { return gif_; }
  void Check(int result) const {
    if (result != GIF_OK) Fail(gif_->Error);
  }
  void Close() {
    int error = 0;
    GifFileType* gif = gif_;
    gif_ = nullptr;
    if (EGifCloseFile(gif, &error) != GIF_OK) Fail(error);
  }

 private:
  [[noreturn]] static void Fail(int error) {
    throw AppError(L"GIF 编码失败（错误 " + std::to_wstring(error) + L"）。");
  }
  GifFileType* gif_ = nullptr;
};

struct Rectangle {
  int left = 0, top = 0, right = 0, bottom = 0;  // right and bottom exclusive
};

// Where `now` differs from `before` (same size); an empty rectangle when nowhere.
Rectangle Changed(const std::vector<uint8_t>& before, const std::vector<uint8_t>& now, int width, int height) {
  Rectangle r{width, height, 0, 0};
  for (int y = 0; y < height; ++y) {
    const uint8_t* a = &before[static_cast<size_t>(y) * width];
    const uint8_t* b = &now[static_cast<size_t>(y) * width];
    if (std::memcmp(a, b, width) == 0) continue;
    int x0 = 0;
    while (a[x0] == b[x0]) ++x0;
    int x1 = width;
    while (a[x1 - 1] == b[x1 - 1]) --x1;
    r.left = std::min(r.left, x0);
    r.right = std::max(r.right, x1);
    r.top = std::min(r.top, y);
    r.bottom = y + 1;
  }
  return r;
}

int Hundredths(int ms) { return std::clamp((ms + 5) / 10, 2, 65535); }

void PutLoopForever(const GifWriter& gif) {
  static const GifByteType kApplication[] = {'N', 'E', 'T', 'S', 'C', 'A', 'P', 'E', '2', '.', '0'};
  static const GifByteType kLoop[] = {1, 0, 0};  // sub-block 1: loop count 0, for ever
  gif.Check(EGifPutExtensionLeader(gif.get(), APPLICATION_EXT_FUNC_CODE));
  gif.Check(EGifPutExtensionBlock(gif.get(), sizeof kApplication, kApplication));
  gif.Check(EGifPutExtensionBlock(gif.get(), sizeof kLoop, kLoop));
  gif.Check(EGifPutExtensionTrailer(gif.get()));
}

}  // namespace

std::vector<uint8_t> EncodeGif(const std::vector<PixelCanvas>& frames, const std::vector<int>& delaysMs,
                               const std::vector<uint32_t>& exactColours) {
  if (frames.empty()) throw AppError(L"动画没有帧。");
  if (delaysMs.size() != frames.size()) throw AppError(L"动画的帧数与延时数不一致。");
  const int width = frames[0].width;
  const int height = frames[0].height;
  if (width < 1 || height < 1 || width > 65535 || height > 65535) throw AppError(L"动画的大小不适合 GIF。");
  for (const PixelCanvas& frame : frames) {
    if (frame.width != width || frame.height != height) throw AppError(L"动画各帧的大小不一致。");
    if (frame.pixels.size() != static_cast<size_t>(width) * static_cast<size_t>(height)) {
      throw AppError(L"动画帧的像素数与其大小不符。");
    }
  }

  std::vector<uint32_t> palette = ChoosePalette(frames, exactColours);
  int bits = 1;
  while ((1u << bits) < palette.size()) ++bits;
  ColorMapObject* map = GifMakeMapObject(1 << bits, nullptr);
  if (!map) throw AppError(L"GIF 编码时内存不足。");
  std::unique_ptr<ColorMapObject, void (*)(ColorMapObject*)> mapOwner(map, GifFreeMapObject);
  for (int i = 0; i < map->ColorCount; ++i) {
    uint32_t c = i < static_cast<int>(palette.size()) ? palette[i] : 0;
    map->Colors[i] = {static_cast<GifByteType>(c & 0xFF), static_cast<GifByteType>((c >> 8) & 0xFF),
                      static_cast<GifByteType>((c >> 16) & 0xFF)};
  }

  Output out;
  GifWriter gif(out);
  EGifSetGifVersion(gif.get(), true);
  gif.Check(EGifPutScreenDesc(gif.get(), width, height, bits, 0, map));
  PutLoopForever(gif);

  std::vector<uint8_t> before;
  for (size_t i = 0; i < frames.size(); ++i) {
    std::vector<uint8_t> now = MapToPalette(frames[i], palette);
    Rectangle r{0, 0, width, height};
    if (i > 0) {
      r = Changed(before, now, width, height);
      // A frame like the one before still needs a picture: one unchanged pixel.
      if (r.right <= r.left) r = {0, 0, 1, 1};
    }
    GraphicsControlBlock control{};
    control.DisposalMode = DISPOSE_DO_NOT;  // the next frame draws over this one
    control.UserInputFlag = false;
    control.DelayTime = Hundredths(delaysMs[i]);
    control.TransparentColor = NO_TRANSPARENT_COLOR;
    GifByteType extension[4];
    size_t length = EGifGCBToExtension(&control, extension);
    gif.Check(EGifPutExtension(gif.get(), GRAPHICS_EXT_FUNC_CODE, static_cast<int>(length), extension));
    gif.Check(EGifPutImageDesc(gif.get(), r.left, r.top, r.right - r.left, r.bottom - r.top, false, nullptr));
    for (int y = r.top; y < r.bottom; ++y) {
      gif.Check(EGifPutLine(gif.get(), &now[static_cast<size_t>(y) * width + r.left], r.right - r.left));
    }
    before = std::move(now);
  }
  gif.Close();
  return std::move(out.bytes);
}

}  // namespace plakato
