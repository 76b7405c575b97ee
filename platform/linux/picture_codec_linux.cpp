#include "platform/picture_codec.h"

#include <png.h>

#include <csetjmp>
#include <cstdio>
#include <cstdint>
#include <stdexcept>
#include <vector>


#include "platform/file_system.h"
#include "platform/linux/jpeg_errors.h"
#include "view/picture_error.h"
#include "view/surface.h"

namespace {

// The largest picture file the game reads: its pictures are a few hundred kilobytes.
constexpr std::size_t kPictureFileLimit = 64u << 20;

[[noreturn]] void Fail(const std::string& path, const std::string& what) {
  throw PictureFileError(path, what);
}

}  // namespace

Surface LoadJpeg(const std::string& path) {
  const FileBytes file = ReadWholeFile(path, kPictureFileLimit);
  if (file.error != FileError::kNone) Fail(path, PictureReadFailure(file.error));
  const std::string& data = file.bytes;
  if (data.empty()) Fail(path, "файл пуст");
  jpeg_decompress_struct info{};
  JpegErrorManager err{};
  info.err = jpeg_std_error(&err.pub);
  err.pub.error_exit = JpegErrorExit;
  err.pub.emit_message = JpegSilence;
  Surface s;
  std::vector<unsigned char> line;
  if (setjmp(err.jump)) {
    jpeg_destroy_decompress(&info);
    Fail(path, std::string("JPEG повреждён (") + err.message + ")");
  }
  jpeg_create_decompress(&info);
  jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(data.data()),
               static_cast<unsigned long>(data.size()));
  jpeg_read_header(&info, TRUE);
  info.out_color_space = JCS_RGB;
  jpeg_start_decompress(&info);
  if (info.output_components != 3) {
    jpeg_destroy_decompress(&info);
    Fail(path, "в JPEG не три цветовых канала");
  }
  s = Surface(static_cast<int>(info.output_width), static_cast<int>(info.output_height));
  line.resize(static_cast<std::size_t>(info.output_width) * 3);
  while (info.output_scanline < info.output_height) {
    const int y = static_cast<int>(info.output_scanline);
    JSAMPROW rows[1] = {line.data()};
    jpeg_read_scanlines(&info, rows, 1);
    std::uint32_t* row = s.Row(y);
    for (int x = 0; x < s.width; ++x) row[x] = Rgb(line[3 * x], line[3 * x + 1], line[3 * x + 2]);
  }
  jpeg_finish_decompress(&info);
  jpeg_destroy_decompress(&info);
  return s;
}

void SavePng(const std::string& path, const Surface& picture) {
  if (picture.Empty()) Fail(path, "пустую картинку не записать");
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  image.width = static_cast<png_uint_32>(picture.width);
  image.height = static_cast<png_uint_32>(picture.height);
  image.format = PNG_FORMAT_RGB;
  std::vector<unsigned char> pixels;
  pixels.reserve(picture.pixels.size() * 3);
  for (const std::uint32_t p : picture.pixels) {
    pixels.insert(pixels.end(), {static_cast<unsigned char>(p >> 16),
                                 static_cast<unsigned char>(p >> 8), static_cast<unsigned char>(p)});
  }
  png_alloc_size_t size = 0;
  if (!png_image_write_get_memory_size(image, size, 0, pixels.data(), 0, nullptr)) {
    Fail(path, std::string("PNG не записан (") + image.message + ")");
  }
  std::string bytes(size, '\0');
  if (!png_image_write_to_memory(&image, bytes.data(), &size, 0, pixels.data(), 0, nullptr)) {
    Fail(path, std::string("PNG не записан (") + image.message + ")");
  }
  bytes.resize(size);
  if (ReplaceFile(path, bytes, false) != FileError::kNone) {
    Fail(path, "файл не удаётся записать (" + LastFileErrorText() + ")");
  }
}
