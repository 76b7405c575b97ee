#include "tools/art/picture_writers.h"

#include <algorithm>
#include <csetjmp>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <stdexcept>
#include <vector>

#include <png.h>

#include "platform/linux/jpeg_errors.h"

#include "platform/file_system.h"

namespace {

[[noreturn]] void Fail(const std::string& path, const std::string& what) {
  throw std::runtime_error("Picture file '" + path + "': " + what);
}

void WriteWholeFile(const std::string& path, const std::vector<unsigned char>& data) {
  SaveFile(path, std::string(data.begin(), data.end()));
}

void PutU16(std::vector<unsigned char>& d, std::uint32_t v) {
  d.push_back(static_cast<unsigned char>(v & 0xFF));
  d.push_back(static_cast<unsigned char>((v >> 8) & 0xFF));
}

void PutU32(std::vector<unsigned char>& d, std::uint32_t v) {
  PutU16(d, v & 0xFFFF);
  PutU16(d, v >> 16);
}

}  // namespace

void SaveBmp(const std::string& path, const Surface& picture) {
  const std::size_t stride = (static_cast<std::size_t>(picture.width) * 3 + 3) & ~std::size_t{3};
  const std::size_t imageSize = stride * static_cast<std::size_t>(picture.height);
  std::vector<unsigned char> d;
  d.reserve(54 + imageSize);
  d.push_back('B');
  d.push_back('M');
  PutU32(d, static_cast<std::uint32_t>(54 + imageSize));
  PutU32(d, 0);
  PutU32(d, 54);
  PutU32(d, 40);
  PutU32(d, static_cast<std::uint32_t>(picture.width));
  PutU32(d, static_cast<std::uint32_t>(picture.height));
  PutU16(d, 1);
  PutU16(d, 24);
  PutU32(d, 0);
  PutU32(d, static_cast<std::uint32_t>(imageSize));
  PutU32(d, 2835);  // 72 dots per inch
  PutU32(d, 2835);
  PutU32(d, 0);
  PutU32(d, 0);
  for (int y = picture.height - 1; y >= 0; --y) {
    const std::uint32_t* row = picture.Row(y);
    for (int x = 0; x < picture.width; ++x) {
      d.push_back(static_cast<unsigned char>(row[x] & 0xFF));
      d.push_back(static_cast<unsigned char>((row[x] >> 8) & 0xFF));
      d.push_back(static_cast<unsigned char>((row[x] >> 16) & 0xFF));
    }
    for (std::size_t pad = static_cast<std::size_t>(picture.width) * 3; pad < stride; ++pad) {
      d.push_back(0);
    }
  }
  WriteWholeFile(path, d);
}

void SaveJpeg(const std::string& path, const Surface& picture, int quality) {
  if (picture.Empty()) Fail(path, "cannot write an empty picture");
  jpeg_compress_struct info{};
  JpegErrorManager err{};
  info.err = jpeg_std_error(&err.pub);
  err.pub.error_exit = JpegErrorExit;
  err.pub.emit_message = JpegSilence;
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  std::vector<unsigned char> line(static_cast<std::size_t>(picture.width) * 3);
  if (setjmp(err.jump)) {
    jpeg_destroy_compress(&info);
    std::free(buffer);
    Fail(path, std::string("JPEG error: ") + err.message);
  }
  jpeg_create_compress(&info);
  jpeg_mem_dest(&info, &buffer, &size);
  info.image_width = static_cast<JDIMENSION>(picture.width);
  info.image_height = static_cast<JDIMENSION>(picture.height);
  info.input_components = 3;
  info.in_color_space = JCS_RGB;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, quality, TRUE);
  info.dct_method = JDCT_ISLOW;
  info.optimize_coding = TRUE;
  // No chroma subsampling: the pictures carry small coloured lettering.
  for (int c = 0; c < info.num_components; ++c) {
    info.comp_info[c].h_samp_factor = 1;
    info.comp_info[c].v_samp_factor = 1;
  }
  info.write_JFIF_header = TRUE;
  info.density_unit = 1;
  info.X_density = 72;
  info.Y_density = 72;
  jpeg_start_compress(&info, TRUE);
  while (info.next_scanline < info.image_height) {
    const std::uint32_t* row = picture.Row(static_cast<int>(info.next_scanline));
    for (int x = 0; x < picture.width; ++x) {
      line[3 * x] = static_cast<unsigned char>((row[x] >> 16) & 0xFF);
      line[3 * x + 1] = static_cast<unsigned char>((row[x] >> 8) & 0xFF);
      line[3 * x + 2] = static_cast<unsigned char>(row[x] & 0xFF);
    }
    JSAMPROW rows[1] = {line.data()};
    jpeg_write_scanlines(&info, rows, 1);
  }
  jpeg_finish_compress(&info);
  jpeg_destroy_compress(&info);
  std::vector<unsigned char> bytes(buffer, buffer + size);
  std::free(buffer);
  WriteWholeFile(path, bytes);
}

void SaveFile(const std::string& path, const std::string& bytes) {
  if (ReplaceFile(path, bytes, false) != FileError::kNone) {
    Fail(path, "cannot be written: " + LastFileErrorText());
  }
}

std::string PngBytes(const SeeThroughPicture& picture) {
  const Surface& colour = picture.colour;
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  image.width = static_cast<png_uint_32>(colour.width);
  image.height = static_cast<png_uint_32>(colour.height);
  image.format = PNG_FORMAT_RGBA;
  std::vector<unsigned char> pixels;
  pixels.reserve(colour.pixels.size() * 4);
  for (std::size_t i = 0; i < colour.pixels.size(); ++i) {
    const std::uint32_t p = colour.pixels[i];
    pixels.insert(pixels.end(), {static_cast<unsigned char>(p >> 16),
                                 static_cast<unsigned char>(p >> 8), static_cast<unsigned char>(p),
                                 picture.opacity[i]});
  }
  png_alloc_size_t size = 0;
  if (!png_image_write_get_memory_size(image, size, 0, pixels.data(), 0, nullptr)) {
    throw std::runtime_error(std::string("PNG error: ") + image.message);
  }
  std::string bytes(size, '\0');
  if (!png_image_write_to_memory(&image, bytes.data(), &size, 0, pixels.data(), 0, nullptr)) {
    throw std::runtime_error(std::string("PNG error: ") + image.message);
  }
  bytes.resize(size);
  return bytes;
}

// The icon file: a header, one directory entry per picture, then the pictures' PNG bytes.
void SaveIcon(const std::string& path, const std::vector<SeeThroughPicture>& sizes) {
  std::vector<unsigned char> d;
  PutU16(d, 0);
  PutU16(d, 1);  // an icon, not a cursor
  PutU16(d, static_cast<std::uint32_t>(sizes.size()));
  std::vector<std::string> images;
  std::uint32_t offset = 6 + 16 * static_cast<std::uint32_t>(sizes.size());
  for (const SeeThroughPicture& picture : sizes) {
    images.push_back(PngBytes(picture));
    d.push_back(static_cast<unsigned char>(picture.colour.width & 0xFF));  // 256 is written 0
    d.push_back(static_cast<unsigned char>(picture.colour.height & 0xFF));
    d.push_back(0);  // no palette
    d.push_back(0);
    PutU16(d, 1);   // colour planes
    PutU16(d, 32);  // bits per pixel
    PutU32(d, static_cast<std::uint32_t>(images.back().size()));
    PutU32(d, offset);
    offset += static_cast<std::uint32_t>(images.back().size());
  }
  for (const std::string& image : images) d.insert(d.end(), image.begin(), image.end());
  WriteWholeFile(path, d);
}
