// Encodes a binary PPM (P6, maxval 255) with the program's PNG encoder, so
// another decoder can check the file against the picture's own pixels.
//   png_encode_tool png in.ppm out.png
#include <algorithm>
#include <fstream>
#include <iostream>
#include <string>

#include "base/error.h"
#include "base/com_win.h"
#include "export/png_codec_win.h"

int main(int argc, char** argv) {
  if (argc != 4 || std::string(argv[1]) != "png") {
    std::cerr << "usage: png_encode_tool png in.ppm out.png\n";
    return 2;
  }
  std::ifstream in(argv[2], std::ios::binary);
  std::string magic;
  int width = 0, height = 0, maxval = 0;
  in >> magic >> width >> height >> maxval;
  in.get();  // the single white-space byte before the samples
  plakato::PixelCanvas picture(std::max(width, 0), std::max(height, 0));
  for (uint32_t& c : picture.pixels) {
    unsigned char rgb[3] = {};
    in.read(reinterpret_cast<char*>(rgb), 3);
    c = rgb[0] | rgb[1] << 8 | static_cast<uint32_t>(rgb[2]) << 16;
  }
  if (!in || magic != "P6" || maxval != 255) {
    std::cerr << "not a whole P6 picture with maxval 255: " << argv[2] << "\n";
    return 1;
  }
  plakato::ComScope com;
  try {
    std::vector<uint8_t> png = plakato::EncodePng(picture);
    std::ofstream(argv[3], std::ios::binary).write(reinterpret_cast<const char*>(png.data()),
                                               static_cast<std::streamsize>(png.size()));
  } catch (const plakato::AppError& e) {
    std::wcerr << e.message() << L"\n";
    return 1;
  }
  return 0;
}
