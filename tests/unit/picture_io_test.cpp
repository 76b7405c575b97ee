// Picture files: BMP read/write (24- and 32-bit), JPEG through libjpeg, PNG for screenshots.
#include <gtest/gtest.h>
#include <png.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/picture_codec.h"
#include "tools/art/picture_writers.h"
#include "view/bmp_file.h"
#include "view/surface.h"

namespace {

namespace fs = std::filesystem;

class PictureIo : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() /
           ("quillmere_picture_io_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }
  std::string Path(const std::string& name) const { return (dir_ / name).string(); }

  fs::path dir_;
};

std::vector<unsigned char> ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteBytes(const std::string& path, const std::vector<unsigned char>& bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

Surface Pattern(int w, int h) {
  Surface s(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) s.Set(x, y, Rgb(x * 37 + y, y * 53 + 7, (x ^ y) * 11));
  return s;
}

void Put16(std::vector<unsigned char>& d, unsigned v) {
  d.push_back(static_cast<unsigned char>(v & 255));
  d.push_back(static_cast<unsigned char>((v >> 8) & 255));
}
void Put32(std::vector<unsigned char>& d, std::uint32_t v) {
  Put16(d, v & 0xFFFF);
  Put16(d, v >> 16);
}

TEST_F(PictureIo, BmpRoundTripKeepsEveryPixelIncludingRowPadding) {
  for (const int w : {1, 2, 3, 5, 36}) {
    const Surface s = Pattern(w, 7);
    SaveBmp(Path("a.bmp"), s);
    const Surface back = LoadBmp(Path("a.bmp"));
    EXPECT_EQ(back.width, w);
    EXPECT_EQ(back.height, 7);
    EXPECT_EQ(back.pixels, s.pixels) << "width " << w;
    // 24-bit, bottom-up, rows padded to 4 bytes.
    const std::vector<unsigned char> bytes = ReadBytes(Path("a.bmp"));
    const std::size_t stride = (static_cast<std::size_t>(w) * 3 + 3) / 4 * 4;
    EXPECT_EQ(bytes.size(), 54 + stride * 7);
    EXPECT_EQ(bytes[28], 24);
  }
}

TEST_F(PictureIo, BmpWritingIsDeterministic) {
  const Surface s = Pattern(13, 9);
  SaveBmp(Path("a.bmp"), s);
  SaveBmp(Path("b.bmp"), s);
  EXPECT_EQ(ReadBytes(Path("a.bmp")), ReadBytes(Path("b.bmp")));
}

TEST_F(PictureIo, Reads32BitAndTopDownBmp) {
  // A 2 × 2 picture, 32 bits per pixel (B, G, R, A), rows top-down (negative height).
  std::vector<unsigned char> d{'B', 'M'};
  Put32(d, 54 + 16);
  Put32(d, 0);
  Put32(d, 54);
  Put32(d, 40);
  Put32(d, 2);
  Put32(d, static_cast<std::uint32_t>(-2));
  Put16(d, 1);
  Put16(d, 32);
  Put32(d, 0);
  Put32(d, 16);
  Put32(d, 2835);
  Put32(d, 2835);
  Put32(d, 0);
  Put32(d, 0);
  for (const std::uint32_t c : {0x112233u, 0x445566u, 0x778899u, 0xAABBCCu}) {
    d.push_back(c & 255);
    d.push_back((c >> 8) & 255);
    d.push_back((c >> 16) & 255);
    d.push_back(255);
  }
  WriteBytes(Path("top.bmp"), d);
  const Surface s = LoadBmp(Path("top.bmp"));
  ASSERT_EQ(s.width, 2);
  ASSERT_EQ(s.height, 2);
  EXPECT_EQ(s.At(0, 0), 0x112233u);
  EXPECT_EQ(s.At(1, 0), 0x445566u);
  EXPECT_EQ(s.At(0, 1), 0x778899u);
  EXPECT_EQ(s.At(1, 1), 0xAABBCCu);
}

TEST_F(PictureIo, ErrorsNameTheFile) {
  const std::string missing = Path("no_such_picture.bmp");
  try {
    LoadBmp(missing);
    FAIL() << "no exception";
  } catch (const std::runtime_error& e) {
    EXPECT_NE(std::string(e.what()).find(missing), std::string::npos) << e.what();
  }
  WriteBytes(Path("junk.jpg"), {'n', 'o', 't', ' ', 'a', ' ', 'j', 'p', 'e', 'g'});
  try {
    LoadJpeg(Path("junk.jpg"));
    FAIL() << "no exception";
  } catch (const std::runtime_error& e) {
    EXPECT_NE(std::string(e.what()).find("junk.jpg"), std::string::npos) << e.what();
  }
  WriteBytes(Path("junk.bmp"), {'B', 'M', 0, 0});
  EXPECT_THROW(LoadBmp(Path("junk.bmp")), std::runtime_error);
  EXPECT_THROW(LoadJpeg(Path("missing.jpg")), std::runtime_error);
  EXPECT_THROW(SaveBmp(Path("no_dir/x.bmp"), Pattern(2, 2)), std::runtime_error);
}

TEST_F(PictureIo, JpegRoundTripIsCloseAndDeterministic) {
  Surface s(64, 48);
  for (int y = 0; y < 48; ++y)
    for (int x = 0; x < 64; ++x) s.Set(x, y, Rgb(x * 4, y * 5, 128));
  SaveJpeg(Path("a.jpg"), s, 92);
  SaveJpeg(Path("b.jpg"), s, 92);
  EXPECT_EQ(ReadBytes(Path("a.jpg")), ReadBytes(Path("b.jpg")));
  const Surface back = LoadJpeg(Path("a.jpg"));
  ASSERT_EQ(back.width, 64);
  ASSERT_EQ(back.height, 48);
  double err = 0;
  for (std::size_t i = 0; i < s.pixels.size(); ++i) {
    const std::uint32_t a = s.pixels[i], b = back.pixels[i];
    for (int shift : {0, 8, 16}) err += std::abs(static_cast<int>((a >> shift) & 255) - static_cast<int>((b >> shift) & 255));
  }
  EXPECT_LT(err / (3.0 * s.pixels.size()), 3.0);
}

// Screenshots are compressed PNG files that any reader gives back pixel for pixel.
TEST_F(PictureIo, PngRoundTripIsExactAndCompressed) {
  Surface s(200, 100, Rgb(10, 20, 30));
  s.Fill(Rect{20, 10, 50, 40}, Rgb(250, 128, 3));
  s.Set(0, 0, Rgb(1, 2, 3));
  SavePng(Path("a.png"), s);
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  ASSERT_TRUE(png_image_begin_read_from_file(&image, Path("a.png").c_str())) << image.message;
  image.format = PNG_FORMAT_RGB;
  std::vector<unsigned char> rgb(PNG_IMAGE_SIZE(image));
  ASSERT_TRUE(png_image_finish_read(&image, nullptr, rgb.data(), 0, nullptr)) << image.message;
  ASSERT_EQ(image.width, 200u);
  ASSERT_EQ(image.height, 100u);
  for (std::size_t i = 0; i < s.pixels.size(); ++i) {
    ASSERT_EQ(Rgb(rgb[3 * i], rgb[3 * i + 1], rgb[3 * i + 2]), s.pixels[i]) << "pixel " << i;
  }
  EXPECT_LT(fs::file_size(Path("a.png")), 2000u);
}

}  // namespace
