// The program's GIF read by Windows' own decoder (WIC): what a Windows chat
// or viewer sees of the animation.
#include <gtest/gtest.h>

#include <windows.h>
#include <wincodec.h>

#include <string>
#include <vector>

#include "base/com_win.h"
#include "export/gif_encode.h"
#include "gif_decode_win.h"
#include "../core/test_pictures.h"

namespace plakato {
namespace {

using testing::Metadata;

TEST(GifUnderWic, WindowsReadsEveryFrameItsDelayAndTheEndlessLoop) {
  ComScope com;
  std::vector<PixelCanvas> frames;
  const std::vector<int> delays{80, 60, 100, 70, 90, 80, 60};
  for (int lift : {0, 2, 4, 6, 4, 2, 1}) frames.push_back(PlacardLike(200, 130, lift));
  std::vector<uint8_t> gif = EncodeGif(frames, delays, {});

  ComPtr<IWICImagingFactory> factory;
  ASSERT_EQ(::CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(factory.put())),
            S_OK);
  ComPtr<IWICStream> stream;
  ASSERT_EQ(factory->CreateStream(stream.put()), S_OK);
  ASSERT_EQ(stream->InitializeFromMemory(gif.data(), static_cast<DWORD>(gif.size())), S_OK);
  ComPtr<IWICBitmapDecoder> decoder;
  ASSERT_EQ(factory->CreateDecoderFromStream(stream.get(), nullptr, WICDecodeMetadataCacheOnLoad, decoder.put()), S_OK);
  GUID format{};
  ASSERT_EQ(decoder->GetContainerFormat(&format), S_OK);
  EXPECT_TRUE(IsEqualGUID(format, GUID_ContainerFormatGif));
  UINT count = 0;
  ASSERT_EQ(decoder->GetFrameCount(&count), S_OK);
  EXPECT_EQ(count, frames.size());

  ComPtr<IWICMetadataQueryReader> file;
  ASSERT_EQ(decoder->GetMetadataQueryReader(file.put()), S_OK);
  PROPVARIANT width = Metadata(file.get(), L"/logscrdesc/Width");
  PROPVARIANT height = Metadata(file.get(), L"/logscrdesc/Height");
  EXPECT_EQ(width.vt, VT_UI2);
  EXPECT_EQ(width.uiVal, 200);
  EXPECT_EQ(height.uiVal, 130);
  PROPVARIANT application = Metadata(file.get(), L"/appext/Application");
  ASSERT_EQ(application.vt, VT_VECTOR | VT_UI1);
  EXPECT_EQ(std::string(reinterpret_cast<char*>(application.caub.pElems), application.caub.cElems), "NETSCAPE2.0");
  PROPVARIANT loop = Metadata(file.get(), L"/appext/Data");
  ASSERT_EQ(loop.vt, VT_VECTOR | VT_UI1);
  // One sub-block of three bytes: 1, then the loop count 0 (for ever), low byte first.
  ASSERT_EQ(loop.caub.cElems, 4u);
  EXPECT_EQ(std::vector<uint8_t>(loop.caub.pElems, loop.caub.pElems + 4), (std::vector<uint8_t>{3, 1, 0, 0}));
  PropVariantClear(&application);
  PropVariantClear(&loop);

  for (UINT i = 0; i < count && i < delays.size(); ++i) {
    ComPtr<IWICBitmapFrameDecode> frame;
    ASSERT_EQ(decoder->GetFrame(i, frame.put()), S_OK);
    ComPtr<IWICMetadataQueryReader> reader;
    ASSERT_EQ(frame->GetMetadataQueryReader(reader.put()), S_OK);
    PROPVARIANT delay = Metadata(reader.get(), L"/grctlext/Delay");
    EXPECT_EQ(delay.vt, VT_UI2);
    EXPECT_EQ(delay.uiVal, delays[i] / 10) << "frame " << i;
  }
}

}  // namespace
}  // namespace plakato
