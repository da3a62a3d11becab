// Encodes a PPM picture with the program's JPEG encoder, so the native and the
// Windows builds can be compared byte for byte with each other and with cjpeg.
//   jpeg_encode_tool picture WIDTH HEIGHT SEED out.ppm   writes a test picture
//   jpeg_encode_tool encode in.ppm out.jpg               encodes a P6 picture
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <iterator>
#include <sstream>
#include <string>

#include "base/error.h"
#include "export/jpeg_encode.h"
#include "../core/test_pictures.h"

namespace {

bool WriteFile(const char* path, const void* data, size_t size) {
  std::ofstream out(path, std::ios::binary);
  out.write(static_cast<const char*>(data), static_cast<std::streamsize>(size));
  return static_cast<bool>(out);
}

bool ReadPpm(const char* path, plakato::PixelCanvas& picture) {
  std::ifstream in(path, std::ios::binary);
  std::string magic;
  int width = 0, height = 0, maxval = 0;
  if (!(in >> magic >> width >> height >> maxval) || magic != "P6" || maxval != 255 || width <= 0 || height <= 0) {
    return false;
  }
  in.get();  // the single white-space byte before the samples
  picture = plakato::PixelCanvas(width, height);
  for (uint32_t& c : picture.pixels) {
    unsigned char rgb[3];
    if (!in.read(reinterpret_cast<char*>(rgb), 3)) return false;
    c = rgb[0] | rgb[1] << 8 | static_cast<uint32_t>(rgb[2]) << 16;
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  std::string mode = argc > 1 ? argv[1] : "";
  if (mode == "picture" && argc == 6) {
    std::string ppm = plakato::ToPpm(
        plakato::TestPicture(std::atoi(argv[2]), std::atoi(argv[3]), static_cast<uint32_t>(std::atoi(argv[4]))));
    return WriteFile(argv[5], ppm.data(), ppm.size()) ? 0 : 1;
  }
  if (mode == "encode" && argc == 4) {
    plakato::PixelCanvas picture;
    if (!ReadPpm(argv[2], picture)) {
      std::cerr << "not a P6 picture with maxval 255: " << argv[2] << "\n";
      return 1;
    }
    try {
      std::vector<uint8_t> jpeg = plakato::EncodeJpeg(picture);
      return WriteFile(argv[3], jpeg.data(), jpeg.size()) ? 0 : 1;
    } catch (const plakato::AppError& e) {
      std::wcerr << e.message() << L"\n";
      return 1;
    }
  }
  std::cerr << "usage: jpeg_encode_tool picture W H SEED out.ppm | encode in.ppm out.jpg\n";
  return 2;
}
