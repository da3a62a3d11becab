#include "export/png_codec_win.h"

#include <windows.h>
#include <wincodec.h>

#include <algorithm>
#include <climits>
#include <new>
#include <string>

#include "base/error.h"
#include "base/com_win.h"
#include "export/png_chunks.h"

namespace plakato {
namespace {

[[noreturn]] void FailEncoding(const wchar_t* step, HRESULT hr) {
  throw AppError(std::wstring(L"PNG 编码失败（") + step + L"，" + HresultText(hr) + L"）");
}

void Check(HRESULT hr, const wchar_t* step) {
  if (FAILED(hr)) FailEncoding(step, hr);
}

HRESULT CreateFactory(ComPtr<IWICImagingFactory>& factory) {
  // The factory of WIC's first version, which every Windows from 7 on has; it
  // is reached through COM, so the program imports nothing from windowscodecs.dll.
  return ::CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(factory.put()));
}

// Rows of 24-bit BGR, or 32-bit BGRA where the picture's top byte is its
// alpha, each padded to a whole number of DWORDs: the stride of WIC's own
// bitmaps and of DIBs, which every encoder is written for.
std::vector<BYTE> PixelRows(const PixelCanvas& picture, UINT stride, bool alpha) {
  std::vector<BYTE> rows(static_cast<size_t>(stride) * picture.height, 0);
  const uint32_t* source = picture.pixels.data();
  for (int y = 0; y < picture.height; ++y) {
    BYTE* out = &rows[static_cast<size_t>(y) * stride];
    for (int x = 0; x < picture.width; ++x) {
      uint32_t colour = *source++;  // 0xAABBGGRR
      *out++ = static_cast<BYTE>(colour >> 16);
      *out++ = static_cast<BYTE>(colour >> 8);
      *out++ = static_cast<BYTE>(colour);
      if (alpha) *out++ = static_cast<BYTE>(colour >> 24);
    }
  }
  return rows;
}

// Thrown inside the preview's decoding only, to leave it from any step.
struct PreviewFailed {};

void Need(HRESULT hr) {
  if (FAILED(hr)) throw PreviewFailed{};
}

// The largest size of the picture's aspect within the box, never larger than
// the picture itself.
SIZE FitInside(int width, int height, int maxWidth, int maxHeight) {
  if (width <= maxWidth && height <= maxHeight) return {width, height};
  if (static_cast<int64_t>(width) * maxHeight > static_cast<int64_t>(height) * maxWidth) {
    return {maxWidth, std::max(1, static_cast<int>(static_cast<int64_t>(height) * maxWidth / width))};
  }
  return {std::max(1, static_cast<int>(static_cast<int64_t>(width) * maxHeight / height)), maxHeight};
}

DecodedPreview DecodePngPreview(std::span<const uint8_t> png, int maxWidth, int maxHeight) {
  if (png.size() > MAXDWORD) return {};
  ComScope com;
  if (!com.usable()) return {};
  ComPtr<IWICImagingFactory> factory;
  Need(CreateFactory(factory));
  ComPtr<IWICStream> stream;
  Need(factory->CreateStream(stream.put()));
  // A read-only view of the caller's bytes: the decoder never writes to its stream.
  Need(stream->InitializeFromMemory(const_cast<BYTE*>(png.data()), static_cast<DWORD>(png.size())));
  ComPtr<IWICBitmapDecoder> decoder;
  Need(factory->CreateDecoder(GUID_ContainerFormatPng, nullptr, decoder.put()));
  Need(decoder->Initialize(stream.get(), WICDecodeMetadataCacheOnDemand));
  ComPtr<IWICBitmapFrameDecode> frame;
  Need(decoder->GetFrame(0, frame.put()));
  UINT width = 0;
  UINT height = 0;
  Need(frame->GetSize(&width, &height));
  if (width == 0 || height == 0 || width > INT_MAX || height > INT_MAX) return {};

  // Premultiplied BGRA, whatever the file holds (grey, palette, 16-bit,
  // alpha or none): over white, a pixel is then its colour plus 255 - alpha.
  ComPtr<IWICFormatConverter> converter;
  Need(factory->CreateFormatConverter(converter.put()));
  Need(converter->Initialize(frame.get(), GUID_WICPixelFormat32bppPBGRA, WICBitmapDitherTypeNone, nullptr, 0.0,
                             WICBitmapPaletteTypeCustom));
  SIZE fit = FitInside(static_cast<int>(width), static_cast<int>(height), maxWidth, maxHeight);
  IWICBitmapSource* source = converter.get();
  ComPtr<IWICBitmapScaler> scaler;
  if (fit.cx != static_cast<LONG>(width) || fit.cy != static_cast<LONG>(height)) {
    // The scaler reads only the rows it needs, so a large file never sits
    // converted in memory in full.
    Need(factory->CreateBitmapScaler(scaler.put()));
    Need(scaler->Initialize(converter.get(), static_cast<UINT>(fit.cx), static_cast<UINT>(fit.cy),
                            WICBitmapInterpolationModeNearestNeighbor));
    source = scaler.get();
  }
  UINT stride = static_cast<UINT>(fit.cx) * 4;
  std::vector<BYTE> bgra(static_cast<size_t>(stride) * fit.cy);
  Need(source->CopyPixels(nullptr, stride, static_cast<UINT>(bgra.size()), bgra.data()));

  DecodedPreview result;
  result.width = static_cast<int>(width);
  result.height = static_cast<int>(height);
  result.picture = PixelCanvas(fit.cx, fit.cy);
  const BYTE* p = bgra.data();
  for (uint32_t& pixel : result.picture.pixels) {
    uint32_t white = 255u - p[3];
    uint32_t b = std::min(255u, p[0] + white);
    uint32_t g = std::min(255u, p[1] + white);
    uint32_t r = std::min(255u, p[2] + white);
    pixel = r | g << 8 | b << 16;
    p += 4;
  }
  return result;
}

// The system's PNG decoder keeps the whole inflated picture, and Wine's
// format conversion a copy of it in 32 bits: a preview takes about 3.3
// times these bytes, which keeps any file the preview reads under 200 MB.
constexpr uint64_t kPngPreviewRowBytes = uint64_t{32} << 20;

bool HasJpegSignature(std::span<const uint8_t> bytes) {
  return bytes.size() >= 3 && bytes[0] == 0xFF && bytes[1] == 0xD8 && bytes[2] == 0xFF;
}

}  // namespace

std::vector<uint8_t> EncodePng(const PixelCanvas& picture, PngAlpha alpha) {
  const bool withAlpha = alpha == PngAlpha::FromTopByte;
  if (picture.width <= 0 || picture.height <= 0) throw AppError(L"PNG 编码失败（图片是空的）");
  const size_t width = static_cast<size_t>(picture.width);
  const size_t height = static_cast<size_t>(picture.height);
  if (picture.pixels.size() < width * height) {
    throw AppError(L"要编码的图片像素比它的尺寸少");
  }
  const size_t stride = (width * (withAlpha ? 4 : 3) + 3) & ~size_t{3};
  if (stride * height > UINT_MAX) throw AppError(L"PNG 编码失败（图片太大）");

  ComScope com;
  if (!com.usable()) FailEncoding(L"CoInitializeEx", com.result());
  ComPtr<IWICImagingFactory> factory;
  Check(CreateFactory(factory), L"CoCreateInstance");
  // The file's size is known only once the encoder is done, so it goes into a
  // stream that grows as it is written; a WIC stream over memory of our own
  // (InitializeFromMemory) has a fixed size and fails when that runs out.
  ComPtr<IStream> stream;
  Check(::CreateStreamOnHGlobal(nullptr, TRUE, stream.put()), L"CreateStreamOnHGlobal");
  ComPtr<IWICBitmapEncoder> encoder;
  Check(factory->CreateEncoder(GUID_ContainerFormatPng, nullptr, encoder.put()), L"CreateEncoder");
  Check(encoder->Initialize(stream.get(), WICBitmapEncoderNoCache), L"Initialize");
  ComPtr<IWICBitmapFrameEncode> frame;
  ComPtr<IPropertyBag2> options;
  Check(encoder->CreateNewFrame(frame.put(), options.put()), L"CreateNewFrame");
  Check(frame->Initialize(options.get()), L"IWICBitmapFrameEncode::Initialize");
  Check(frame->SetSize(static_cast<UINT>(width), static_cast<UINT>(height)), L"SetSize");
  // The encoder answers with the format it will write; anything but the one
  // asked for would not be the picture's own 8-bit channels.
  const WICPixelFormatGUID asked = withAlpha ? GUID_WICPixelFormat32bppBGRA : GUID_WICPixelFormat24bppBGR;
  WICPixelFormatGUID format = asked;
  Check(frame->SetPixelFormat(&format), L"SetPixelFormat");
  if (!IsEqualGUID(format, asked)) FailEncoding(L"SetPixelFormat", WINCODEC_ERR_UNSUPPORTEDPIXELFORMAT);
  std::vector<BYTE> rows = PixelRows(picture, static_cast<UINT>(stride), withAlpha);
  Check(frame->WritePixels(static_cast<UINT>(height), static_cast<UINT>(stride), static_cast<UINT>(rows.size()),
                           rows.data()),
        L"WritePixels");
  Check(frame->Commit(), L"IWICBitmapFrameEncode::Commit");
  Check(encoder->Commit(), L"Commit");

  STATSTG status{};
  Check(stream->Stat(&status, STATFLAG_NONAME), L"Stat");
  if (status.cbSize.QuadPart > ULONG_MAX) FailEncoding(L"Stat", E_OUTOFMEMORY);
  std::vector<uint8_t> written(static_cast<size_t>(status.cbSize.QuadPart));
  Check(stream->Seek(LARGE_INTEGER{}, STREAM_SEEK_SET, nullptr), L"Seek");
  ULONG read = 0;
  Check(stream->Read(written.data(), static_cast<ULONG>(written.size()), &read), L"Read");
  if (read != written.size()) FailEncoding(L"Read", E_UNEXPECTED);
  // Which ancillary chunks the system's encoder adds is up to the Windows
  // version; the exported file carries none, so every viewer shows exactly
  // these pixels and no colour-space or gamma correction of them.
  std::optional<std::vector<uint8_t>> kept = KeepPngImageChunks(written);
  if (!kept) throw AppError(L"PNG 编码失败（编码器给出的不是完整的 PNG 文件）");
  return std::move(*kept);
}

DecodedPreview DecodePicturePreview(std::span<const uint8_t> bytes, int maxWidth, int maxHeight) noexcept {
  if (maxWidth <= 0 || maxHeight <= 0) return {};
  if (HasJpegSignature(bytes)) return DecodeJpegPreview(bytes, maxWidth, maxHeight);
  // The header decides before any decoder sees the file: some decoders
  // (Wine's) inflate the whole picture as soon as they open it.
  std::optional<PngHeader> header = ReadPngHeader(bytes);
  if (!header || uint64_t{header->width} * header->height > kPreviewPixelLimit ||
      header->PixelBytes() > kPngPreviewRowBytes) {
    return {};
  }
  try {
    return DecodePngPreview(bytes, maxWidth, maxHeight);
  } catch (...) {
    return {};  // not decodable, or too large to hold: no preview
  }
}

}  // namespace plakato
