// The GIF and WebP files read back by decoders that are not the program's:
// Debian's dwebp and webpinfo, gifsicle, and PIL (Debian's /usr/bin/python3).
// Native only: the tools run as Linux programs.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "export/gif_encode.h"
#include "export/webp_encode.h"
#include "test_pictures.h"

namespace plakato {
namespace {

namespace fs = std::filesystem;

class DecodedTest : public testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("plakato-codecs-" + std::to_string(::getpid()) + "-" +
                                        testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }

  std::string Save(const std::string& name, const std::vector<uint8_t>& bytes) {
    std::string path = (dir_ / name).string();
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    return path;
  }
  std::vector<uint8_t> Load(const std::string& name) {
    std::ifstream in(dir_ / name, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
  }
  // The command's standard output; a failing command fails the test.
  static std::string Run(const std::string& command) {
    std::string out;
    FILE* pipe = ::popen((command + " 2>&1").c_str(), "r");
    if (!pipe) {
      ADD_FAILURE() << "cannot run " << command;
      return out;
    }
    char buffer[4096];
    for (size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;) out.append(buffer, n);
    int status = ::pclose(pipe);
    EXPECT_EQ(status, 0) << command << "\n" << out;
    return out;
  }

  // What PIL reads from an animation: its size, frame count, loop and each
  // frame's duration, and every frame whole (composed over the ones before)
  // as RGBA, saved beside the file as NAME.N.rgba.
  struct Animation {
    int width = 0, height = 0, frames = 0, loop = -1;
    std::vector<int> durations;
  };
  Animation ReadWithPil(const std::string& path) {
    std::string script = (dir_ / "read.py").string();
    std::ofstream(script) << R"(import sys
from PIL import Image
im = Image.open(sys.argv[1])
print("size", im.size[0], im.size[1])
print("frames", getattr(im, "n_frames", 1))
print("loop", im.info.get("loop", -1))
for i in range(getattr(im, "n_frames", 1)):
    im.seek(i)
    rgba = im.convert("RGBA")  # a WebP frame's duration is known once it is loaded
    print("duration", im.info.get("duration", -1))
    open("%s.%d.rgba" % (sys.argv[1], i), "wb").write(rgba.tobytes())
)";
    std::istringstream out(Run("/usr/bin/python3 " + script + " " + path));
    Animation a;
    std::string key;
    while (out >> key) {
      if (key == "size") out >> a.width >> a.height;
      else if (key == "frames") out >> a.frames;
      else if (key == "loop") out >> a.loop;
      else if (key == "duration") a.durations.push_back(0), out >> a.durations.back();
    }
    return a;
  }

  fs::path dir_;
};

int Count(const std::string& text, const std::string& word) {
  int n = 0;
  for (size_t at = text.find(word); at != std::string::npos; at = text.find(word, at + 1)) ++n;
  return n;
}

// Every pixel of `decoded` (bytes R, G, B, A) against `picture`: alpha
// always equal; colour equal wherever the pixel is not fully transparent.
// With `opaque`, `picture` has no alpha and every decoded pixel must be opaque.
void ExpectSamePixels(const PixelCanvas& picture, const std::vector<uint8_t>& decoded, bool opaque,
                      const std::string& what) {
  ASSERT_EQ(decoded.size(), picture.pixels.size() * 4) << what;
  int wrong = 0;
  for (size_t i = 0; i < picture.pixels.size() && wrong < 5; ++i) {
    uint32_t want = picture.pixels[i];
    uint32_t alpha = opaque ? 255 : want >> 24;
    uint32_t got = decoded[4 * i] | decoded[4 * i + 1] << 8 | decoded[4 * i + 2] << 16;
    if (decoded[4 * i + 3] != alpha || (alpha != 0 && got != (want & 0xFFFFFF))) {
      ADD_FAILURE() << what << ": pixel " << i % picture.width << "," << i / picture.width << " is " << std::hex << got
                    << " alpha " << int{decoded[4 * i + 3]} << ", not " << want;
      ++wrong;
    }
  }
}

// Every pixel of a sticker-like picture: opaque figure, half-opaque edge,
// transparent background with a colour of its own.
TEST_F(DecodedTest, StillWebpIsOneLosslessImageThatDwebpDecodesToTheSamePixels) {
  for (auto [w, h] : {std::pair{512, 330}, std::pair{1, 1}, std::pair{37, 61}}) {
    PixelCanvas picture = w == 1 ? PixelCanvas(1, 1, 0x80102030u) : PlacardLike(w, h, 0, true, true);
    std::string name = std::to_string(w) + "x" + std::to_string(h);
    std::string path = Save(name + ".webp", EncodeWebpLossless(picture));
    std::string info = Run("webpinfo " + path);
    EXPECT_NE(info.find("Chunk VP8L"), std::string::npos) << info;
    EXPECT_EQ(info.find("Chunk VP8 "), std::string::npos) << info;
    EXPECT_EQ(info.find("ANIM"), std::string::npos) << info;
    EXPECT_NE(info.find("Width: " + std::to_string(w)), std::string::npos) << info;
    Run("dwebp -quiet -pam " + path + " -o " + (dir_ / (name + ".pam")).string());
    std::vector<uint8_t> pam = Load(name + ".pam");
    std::string header = "P7\nWIDTH " + std::to_string(w) + "\nHEIGHT " + std::to_string(h) +
                         "\nDEPTH 4\nMAXVAL 255\nTUPLTYPE RGB_ALPHA\nENDHDR\n";
    ASSERT_GE(pam.size(), header.size());
    ASSERT_EQ(std::string(pam.begin(), pam.begin() + header.size()), header);
    ExpectSamePixels(picture, std::vector<uint8_t>(pam.begin() + header.size(), pam.end()), false, name);
  }
}

TEST_F(DecodedTest, AnimatedWebpLoopsForeverWithItsDelaysOnOneCanvasAndExactFrames) {
  std::vector<PixelCanvas> frames;
  const std::vector<int> delays{80, 60, 100, 70, 90};
  for (int lift : {0, 3, 6, 3, 1}) frames.push_back(PlacardLike(120, 80, lift, true, true));
  std::string path = Save("pumped.webp", EncodeAnimatedWebp(frames, delays));
  Animation a = ReadWithPil(path);
  EXPECT_EQ(a.width, 120);
  EXPECT_EQ(a.height, 80);
  EXPECT_EQ(a.frames, 5);
  EXPECT_EQ(a.loop, 0);
  EXPECT_EQ(a.durations, delays);
  for (int i = 0; i < a.frames && i < 5; ++i) {
    ExpectSamePixels(frames[i], Load("pumped.webp." + std::to_string(i) + ".rgba"), false,
                     "frame " + std::to_string(i));
  }
  // Every frame lossless, one canvas, the loop count in the file itself.
  std::string info = Run("webpinfo " + path);
  EXPECT_NE(info.find("Canvas size 120 x 80"), std::string::npos) << info;
  EXPECT_NE(info.find("Loop count      : 0"), std::string::npos) << info;
  EXPECT_EQ(Count(info, "Chunk ANMF"), 5);
  EXPECT_EQ(Count(info, "Chunk VP8L"), 5);
  EXPECT_EQ(Count(info, "Chunk VP8 "), 0);
}

// gifsicle --info: the screen, the loop, and per image its rectangle and delay.
struct GifInfo {
  int images = 0, width = 0, height = 0;
  bool loopForever = false;
  std::vector<std::string> rectangles;  // "WxH at X,Y" ("at" part absent for 0,0)
  std::vector<std::string> delays;
};

GifInfo Gifsicle(const std::string& info) {
  GifInfo g;
  std::istringstream lines(info);
  for (std::string line; std::getline(lines, line);) {
    size_t at;
    if (line.starts_with("* ") && (at = line.rfind(" image")) != std::string::npos) {
      g.images = std::stoi(line.substr(line.rfind(' ', at - 1) + 1));
    } else if ((at = line.find("logical screen ")) != std::string::npos) {
      std::istringstream size(line.substr(at + 15));
      char x = 0;
      size >> g.width >> x >> g.height;
    } else if (line.find("loop forever") != std::string::npos) {
      g.loopForever = true;
    } else if ((at = line.find("+ image #")) != std::string::npos) {
      g.rectangles.push_back(line.substr(line.find(' ', at + 9) + 1));
    }
    if ((at = line.find("delay ")) != std::string::npos) g.delays.push_back(line.substr(at + 6, line.find('s', at + 6) - at - 6));
  }
  return g;
}

TEST_F(DecodedTest, GifOfFewColoursLoopsForeverWithItsDelaysStoresTheChangesAndDecodesExactly) {
  std::vector<PixelCanvas> frames;
  for (int lift : {0, 2, 4, 4, 2}) frames.push_back(PlacardLike(200, 130, lift));
  // The last frame differs from the one before in one pixel only.
  frames.push_back(frames.back());
  frames.back().At(150, 120) = 0x0000FF;
  const std::vector<int> delays{80, 60, 100, 5, 64, 1000};
  std::string path = Save("pumped.gif", EncodeGif(frames, delays, {}));
  GifInfo g = Gifsicle(Run("gifsicle --info " + path));
  EXPECT_EQ(g.images, 6);
  EXPECT_EQ(g.width, 200);
  EXPECT_EQ(g.height, 130);
  EXPECT_TRUE(g.loopForever);
  // Hundredths of a second, rounded; never under 2.
  EXPECT_EQ(g.delays, (std::vector<std::string>{"0.08", "0.06", "0.10", "0.02", "0.06", "1.00"}));
  ASSERT_EQ(g.rectangles.size(), 6u);
  EXPECT_EQ(g.rectangles[0], "200x130");
  // Only the sign and pole move: nothing below the pole's old foot or
  // outside the sign's sides is stored again; an unchanged frame is one pixel.
  EXPECT_NE(g.rectangles[1], "200x130");
  int w = 0, h = 0, x = 0, y = 0;
  ASSERT_EQ(std::sscanf(g.rectangles[1].c_str(), "%dx%d at %d,%d", &w, &h, &x, &y), 4) << g.rectangles[1];
  EXPECT_LE(w, 200 - 2 * 16 + 2);
  EXPECT_LT(y + h, 130);
  EXPECT_EQ(g.rectangles[3], "1x1");
  EXPECT_EQ(g.rectangles[5], "1x1 at 150,120");

  Animation a = ReadWithPil(path);
  EXPECT_EQ(a.frames, 6);
  EXPECT_EQ(a.loop, 0);
  for (int i = 0; i < a.frames && i < 6; ++i) {
    ExpectSamePixels(frames[i], Load("pumped.gif." + std::to_string(i) + ".rgba"), true, "frame " + std::to_string(i));
  }
}

TEST_F(DecodedTest, GifOfManyColoursKeepsTheSignFrameAndTextColoursExactAndTheRestClose) {
  const PlacardLikeColours custom{0xF0C040, 0x202020, 0x2020C0};
  std::vector<PixelCanvas> frames;
  for (int lift : {0, 2, 4, 2}) frames.push_back(PlacardLike(200, 130, lift, false, true, custom));
  std::string path = Save("many.gif", EncodeGif(frames, {80, 80, 80, 80}, {custom.fill, custom.frame, custom.text}));
  Animation a = ReadWithPil(path);
  ASSERT_EQ(a.frames, 4);
  size_t kept = 0;
  double error = 0;
  for (int i = 0; i < 4; ++i) {
    std::vector<uint8_t> rgba = Load("many.gif." + std::to_string(i) + ".rgba");
    ASSERT_EQ(rgba.size(), frames[i].pixels.size() * 4);
    for (size_t p = 0; p < frames[i].pixels.size(); ++p) {
      uint32_t want = frames[i].pixels[p];
      uint32_t got = rgba[4 * p] | rgba[4 * p + 1] << 8 | rgba[4 * p + 2] << 16;
      if (want == custom.fill || want == custom.frame || want == custom.text) {
        ++kept;
        ASSERT_EQ(got, want) << "frame " << i << " pixel " << p;
      }
      for (int c = 0; c < 24; c += 8) error += std::abs(int((want >> c) & 0xFF) - int((got >> c) & 0xFF));
    }
  }
  EXPECT_GT(kept, frames[0].pixels.size());  // the kept colours cover much of the picture
  EXPECT_LT(error / (3.0 * 4 * frames[0].pixels.size()), 0.5);
}

}  // namespace
}  // namespace plakato
