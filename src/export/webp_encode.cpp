#include "export/webp_encode.h"

#include <webp/encode.h>
#include <webp/mux.h>

#include <bit>
#include <climits>

#include "base/error.h"

namespace plakato {
namespace {

// 0xAABBGGRR in memory on a little-endian machine is the bytes R, G, B, A:
// libwebp's RGBA order, so the pixels go to libwebp as they are.
static_assert(std::endian::native == std::endian::little);

constexpr int kMaxSide = WEBP_MAX_DIMENSION;

void CheckSize(const PixelCanvas& picture) {
  if (picture.width < 1 || picture.height < 1 || picture.width > kMaxSide || picture.height > kMaxSide) {
    throw AppError(L"图片的大小不适合 WebP。");
  }
  if (picture.pixels.size() != static_cast<size_t>(picture.width) * static_cast<size_t>(picture.height)) {
    throw AppError(L"图片的像素数与其大小不符。");
  }
}

[[noreturn]] void Fail(int code) {
  throw AppError(L"WebP 编码失败（错误 " + std::to_wstring(code) + L"）。");
}

// libwebp's lossless preset 0 (method 0, effort 0), the fastest: under Wine
// the default sign's 512 x 320 sticker encodes in about 20 ms against about
// 50 ms at preset 1, for 26 KB against 10 KB, well inside every chat's
// limit (WhatsApp's 100 KB for a still sticker, 500 KB for an animated one).
// The colour of fully transparent pixels is libwebp's to choose (exact off).
WebPConfig LosslessConfig() {
  WebPConfig config;
  if (!WebPConfigInit(&config) || !WebPConfigLosslessPreset(&config, 0)) Fail(0);
  config.exact = 0;
  if (!WebPValidateConfig(&config)) Fail(0);
  return config;
}

// A WebPPicture holding a copy of `picture`'s pixels in libwebp's ARGB form.
class Picture {
 public:
  explicit Picture(const PixelCanvas& picture) {
    if (!WebPPictureInit(&picture_)) Fail(0);
    picture_.use_argb = 1;
    picture_.width = picture.width;
    picture_.height = picture.height;
    if (!WebPPictureImportRGBA(&picture_, reinterpret_cast<const uint8_t*>(picture.pixels.data()),
                               picture.width * 4)) {
      Fail(picture_.error_code);
    }
  }
  ~Picture() { WebPPictureFree(&picture_); }
  Picture(const Picture&) = delete;
  Picture& operator=(const Picture&) = delete;
  WebPPicture* get() { return &picture_; }

 private:
  WebPPicture picture_;
};

class MemoryWriter {
 public:
  MemoryWriter() { WebPMemoryWriterInit(&writer_); }
  ~MemoryWriter() { WebPMemoryWriterClear(&writer_); }
  MemoryWriter(const MemoryWriter&) = delete;
  MemoryWriter& operator=(const MemoryWriter&) = delete;
  WebPMemoryWriter* get() { return &writer_; }
  std::vector<uint8_t> Bytes() const { return std::vector<uint8_t>(writer_.mem, writer_.mem + writer_.size); }

 private:
  WebPMemoryWriter writer_;
};

class AnimationEncoder {
 public:
  AnimationEncoder(int width, int height, const WebPAnimEncoderOptions& options)
      : encoder_(WebPAnimEncoderNew(width, height, &options)) {
    if (!encoder_) Fail(0);
  }
  ~AnimationEncoder() { WebPAnimEncoderDelete(encoder_); }
  AnimationEncoder(const AnimationEncoder&) = delete;
  AnimationEncoder& operator=(const AnimationEncoder&) = delete;
  WebPAnimEncoder* get() { return encoder_; }

 private:
  WebPAnimEncoder* encoder_;
};

}  // namespace

std::vector<uint8_t> EncodeWebpLossless(const PixelCanvas& picture) {
  CheckSize(picture);
  WebPConfig config = LosslessConfig();
  Picture input(picture);
  MemoryWriter output;
  input.get()->writer = WebPMemoryWrite;
  input.get()->custom_ptr = output.get();
  if (!WebPEncode(&config, input.get())) Fail(input.get()->error_code);
  return output.Bytes();
}

std::vector<uint8_t> EncodeAnimatedWebp(const std::vector<PixelCanvas>& frames, const std::vector<int>& delaysMs) {
  if (frames.empty()) throw AppError(L"动画没有帧。");
  if (delaysMs.size() != frames.size()) throw AppError(L"动画的帧数与延时数不一致。");
  for (const PixelCanvas& frame : frames) {
    CheckSize(frame);
    if (frame.width != frames[0].width || frame.height != frames[0].height) {
      throw AppError(L"动画各帧的大小不一致。");
    }
  }
  // Timestamps are ints in milliseconds; each delay fits WebP's 24 bits.
  long long total = 0;
  for (int delay : delaysMs) {
    if (delay < 1 || delay > (1 << 24) - 1) throw AppError(L"动画的延时不适合 WebP。");
    total += delay;
  }
  if (total > INT_MAX) throw AppError(L"动画的延时不适合 WebP。");
  WebPAnimEncoderOptions options;
  if (!WebPAnimEncoderOptionsInit(&options)) Fail(0);
  options.anim_params.loop_count = 0;  // for ever
  options.anim_params.bgcolor = 0x00000000;  // transparent
  options.minimize_size = 0;
  options.allow_mixed = 0;
  WebPConfig config = LosslessConfig();

  AnimationEncoder encoder(frames[0].width, frames[0].height, options);
  int timestamp = 0;
  for (size_t i = 0; i < frames.size(); ++i) {
    Picture frame(frames[i]);
    if (!WebPAnimEncoderAdd(encoder.get(), frame.get(), timestamp, &config)) Fail(frame.get()->error_code);
    timestamp += delaysMs[i];
  }
  // The end time gives the last frame its delay.
  if (!WebPAnimEncoderAdd(encoder.get(), nullptr, timestamp, nullptr)) Fail(0);
  struct Assembled {
    WebPData data;
    Assembled() { WebPDataInit(&data); }
    ~Assembled() { WebPDataClear(&data); }
  } assembled;
  if (!WebPAnimEncoderAssemble(encoder.get(), &assembled.data)) Fail(0);
  return std::vector<uint8_t>(assembled.data.bytes, assembled.data.bytes + assembled.data.size);
}

}  // namespace plakato
