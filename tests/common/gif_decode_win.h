// Reading a GIF back with Windows' own decoder (WIC) in the Windows tests:
// what a Windows chat or viewer sees of the animation.
#pragma once

#include <windows.h>
#include <wincodec.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cwchar>
#include <string>
#include <vector>

#include "base/com_win.h"
#include "scene/pixels.h"

namespace plakato::testing {

// The GIF as Windows' own decoder reads it: its frames, each drawn over the
// one before as a player does.
struct DecodedGif {
  std::vector<PixelCanvas> frames;  // composed
  std::vector<int> delays;          // hundredths of a second
  int width = 0;
  int height = 0;
};

// A value the metadata reader gives for `query`, or VT_EMPTY.
inline PROPVARIANT Metadata(IWICMetadataQueryReader* reader, const wchar_t* query) {
  PROPVARIANT value;
  PropVariantInit(&value);
  EXPECT_EQ(reader->GetMetadataByName(query, &value), S_OK) << std::string(query, query + wcslen(query));
  return value;
}

inline DecodedGif DecodeGifWithWic(const std::vector<uint8_t>& gif) {
  DecodedGif out;
  ComPtr<IWICImagingFactory> factory;
  EXPECT_EQ(::CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(factory.put())),
            S_OK);
  ComPtr<IWICStream> stream;
  factory->CreateStream(stream.put());
  stream->InitializeFromMemory(const_cast<uint8_t*>(gif.data()), static_cast<DWORD>(gif.size()));
  ComPtr<IWICBitmapDecoder> decoder;
  if (factory->CreateDecoderFromStream(stream.get(), nullptr, WICDecodeMetadataCacheOnLoad, decoder.put()) != S_OK) {
    ADD_FAILURE() << "Windows cannot read the GIF";
    return out;
  }
  ComPtr<IWICMetadataQueryReader> file;
  decoder->GetMetadataQueryReader(file.put());
  out.width = Metadata(file.get(), L"/logscrdesc/Width").uiVal;
  out.height = Metadata(file.get(), L"/logscrdesc/Height").uiVal;
  UINT count = 0;
  decoder->GetFrameCount(&count);
  PixelCanvas canvas(out.width, out.height, 0);
  for (UINT i = 0; i < count; ++i) {
    ComPtr<IWICBitmapFrameDecode> frame;
    decoder->GetFrame(i, frame.put());
    ComPtr<IWICMetadataQueryReader> reader;
    frame->GetMetadataQueryReader(reader.put());
    out.delays.push_back(Metadata(reader.get(), L"/grctlext/Delay").uiVal);
    const int left = Metadata(reader.get(), L"/imgdesc/Left").uiVal;
    const int top = Metadata(reader.get(), L"/imgdesc/Top").uiVal;
    ComPtr<IWICFormatConverter> bgra;
    factory->CreateFormatConverter(bgra.put());
    bgra->Initialize(frame.get(), GUID_WICPixelFormat32bppBGRA, WICBitmapDitherTypeNone, nullptr, 0,
                     WICBitmapPaletteTypeCustom);
    UINT w = 0, h = 0;
    bgra->GetSize(&w, &h);
    std::vector<uint8_t> bytes(size_t{w} * h * 4);
    bgra->CopyPixels(nullptr, w * 4, static_cast<UINT>(bytes.size()), bytes.data());
    for (UINT y = 0; y < h; ++y) {
      for (UINT x = 0; x < w; ++x) {
        const uint8_t* p = &bytes[(size_t{y} * w + x) * 4];
        if (canvas.Contains(left + x, top + y)) canvas.At(left + x, top + y) = p[0] << 16 | p[1] << 8 | p[2];
      }
    }
    out.frames.push_back(canvas);
  }
  return out;
}

}  // namespace plakato::testing
