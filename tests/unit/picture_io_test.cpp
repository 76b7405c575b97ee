// Picture files: BMP read/write (24- and 32-bit), JPEG through libjpeg, PNG for screenshots.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <vector>

#include "view/picture_io.h"
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

TEST_F(PictureIo, PngHasTheStandardLayout) {
  const Surface s = Pattern(5, 3);
  SavePng(Path("a.png"), s);
  const std::vector<unsigned char> b = ReadBytes(Path("a.png"));
  ASSERT_GT(b.size(), 8u + 25 + 12);
  const std::vector<unsigned char> signature{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  EXPECT_EQ(std::vector<unsigned char>(b.begin(), b.begin() + 8), signature);
  EXPECT_EQ(std::string(b.begin() + 12, b.begin() + 16), "IHDR");
  EXPECT_EQ(b[19], 5);   // width
  EXPECT_EQ(b[23], 3);   // height
  EXPECT_EQ(b[24], 8);   // bit depth
  EXPECT_EQ(b[25], 2);   // RGB
  EXPECT_EQ(std::string(b.end() - 8, b.end() - 4), "IEND");
  // The stored deflate block holds the rows as they are: filter byte 0, then R, G, B.
  const std::size_t idat = 8 + 25;
  EXPECT_EQ(std::string(b.begin() + static_cast<std::ptrdiff_t>(idat + 4), b.begin() + static_cast<std::ptrdiff_t>(idat + 8)), "IDAT");
  const std::size_t raw = idat + 8 + 2 + 5;  // chunk header, zlib header, stored-block header
  EXPECT_EQ(b[raw], 0);
  EXPECT_EQ(b[raw + 1], (s.At(0, 0) >> 16) & 255);
  EXPECT_EQ(b[raw + 2], (s.At(0, 0) >> 8) & 255);
  EXPECT_EQ(b[raw + 3], s.At(0, 0) & 255);
}

}  // namespace
