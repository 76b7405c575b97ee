#include "view/bmp_file.h"

#include <cstdint>
#include <stdexcept>

#include "platform/file_system.h"
#include "view/picture_error.h"

namespace {

// The largest picture file the game reads: its pictures are a few hundred kilobytes.
constexpr std::size_t kPictureFileLimit = 64u << 20;

[[noreturn]] void Fail(const std::string& path, const std::string& what) {
  throw PictureFileError(path, what);
}

std::uint32_t GetU16(const std::string& d, std::size_t at) {
  return static_cast<std::uint32_t>(static_cast<unsigned char>(d[at])) | (static_cast<std::uint32_t>(static_cast<unsigned char>(d[at + 1])) << 8);
}

std::uint32_t GetU32(const std::string& d, std::size_t at) {
  return GetU16(d, at) | (GetU16(d, at + 2) << 16);
}

}  // namespace

Surface LoadBmp(const std::string& path) {
  const FileBytes file = ReadWholeFile(path, kPictureFileLimit);
  if (file.error != FileError::kNone) Fail(path, PictureReadFailure(file.error));
  const std::string& d = file.bytes;
  if (d.size() < 54 || d[0] != 'B' || d[1] != 'M') Fail(path, "это не файл BMP");
  const std::uint32_t dataOffset = GetU32(d, 10);
  const std::uint32_t headerSize = GetU32(d, 14);
  if (headerSize < 40 || 14 + static_cast<std::size_t>(headerSize) > d.size()) {
    Fail(path, "заголовок BMP этого вида не читается");
  }
  const std::int32_t width = static_cast<std::int32_t>(GetU32(d, 18));
  std::int32_t height = static_cast<std::int32_t>(GetU32(d, 22));
  const std::uint32_t planes = GetU16(d, 26);
  const std::uint32_t bits = GetU16(d, 28);
  const std::uint32_t compression = GetU32(d, 30);
  if (planes != 1) Fail(path, "в BMP не одна плоскость");
  if (bits != 24 && bits != 32) Fail(path, "читаются только BMP с 24 и 32 битами на точку");
  // BI_RGB; a 32-bit file may say BI_BITFIELDS with the usual masks.
  if (compression != 0 && !(compression == 3 && bits == 32)) {
    Fail(path, "сжатые BMP не читаются");
  }
  const bool topDown = height < 0;
  if (topDown) height = -height;
  if (width <= 0 || height <= 0 || width > 65536 || height > 65536) Fail(path, "недопустимый размер картинки");
  const std::size_t bytesPerPixel = bits / 8;
  const std::size_t stride = (static_cast<std::size_t>(width) * bytesPerPixel + 3) & ~std::size_t{3};
  if (dataOffset > d.size() || stride * static_cast<std::size_t>(height) > d.size() - dataOffset) {
    Fail(path, "файл обрезан");
  }
  Surface s(width, height);
  for (int y = 0; y < height; ++y) {
    const int fileRow = topDown ? y : height - 1 - y;
    const auto* p = reinterpret_cast<const unsigned char*>(d.data()) + dataOffset + stride * static_cast<std::size_t>(fileRow);
    std::uint32_t* row = s.Row(y);
    for (int x = 0; x < width; ++x, p += bytesPerPixel) row[x] = Rgb(p[2], p[1], p[0]);
  }
  return s;
}

