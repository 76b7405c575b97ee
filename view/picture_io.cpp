#include "view/picture_io.h"

#include <algorithm>
#include <csetjmp>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <memory>
#include <stdexcept>
#include <vector>

#include <jpeglib.h>

namespace {

[[noreturn]] void Fail(const std::string& path, const std::string& what) {
  throw std::runtime_error("Picture file '" + path + "': " + what);
}

std::vector<unsigned char> ReadWholeFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) Fail(path, "cannot be opened for reading");
  std::vector<unsigned char> data((std::istreambuf_iterator<char>(in)),
                                  std::istreambuf_iterator<char>());
  if (in.bad()) Fail(path, "read error");
  return data;
}

void WriteWholeFile(const std::string& path, const std::vector<unsigned char>& data) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  if (!out) Fail(path, "cannot be opened for writing");
  out.write(reinterpret_cast<const char*>(data.data()), static_cast<std::streamsize>(data.size()));
  out.close();
  if (!out) Fail(path, "write error");
}

std::uint32_t GetU16(const std::vector<unsigned char>& d, std::size_t at) {
  return static_cast<std::uint32_t>(d[at]) | (static_cast<std::uint32_t>(d[at + 1]) << 8);
}

std::uint32_t GetU32(const std::vector<unsigned char>& d, std::size_t at) {
  return GetU16(d, at) | (GetU16(d, at + 2) << 16);
}

void PutU16(std::vector<unsigned char>& d, std::uint32_t v) {
  d.push_back(static_cast<unsigned char>(v & 0xFF));
  d.push_back(static_cast<unsigned char>((v >> 8) & 0xFF));
}

void PutU32(std::vector<unsigned char>& d, std::uint32_t v) {
  PutU16(d, v & 0xFFFF);
  PutU16(d, v >> 16);
}

void PutU32BigEndian(std::vector<unsigned char>& d, std::uint32_t v) {
  d.push_back(static_cast<unsigned char>(v >> 24));
  d.push_back(static_cast<unsigned char>((v >> 16) & 0xFF));
  d.push_back(static_cast<unsigned char>((v >> 8) & 0xFF));
  d.push_back(static_cast<unsigned char>(v & 0xFF));
}

// libjpeg reports fatal errors through error_exit; jump back out of the library with the text.
struct JpegErrorManager {
  jpeg_error_mgr pub;
  std::jmp_buf jump;
  char message[JMSG_LENGTH_MAX];
};

void JpegErrorExit(j_common_ptr info) {
  auto* err = reinterpret_cast<JpegErrorManager*>(info->err);
  (*info->err->format_message)(info, err->message);
  std::longjmp(err->jump, 1);
}

void JpegSilence(j_common_ptr, int) {}

std::uint32_t Crc32(const unsigned char* data, std::size_t size, std::uint32_t crc = 0) {
  static const std::vector<std::uint32_t> table = [] {
    std::vector<std::uint32_t> t(256);
    for (std::uint32_t n = 0; n < 256; ++n) {
      std::uint32_t c = n;
      for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
      t[n] = c;
    }
    return t;
  }();
  crc = ~crc;
  for (std::size_t i = 0; i < size; ++i) crc = table[(crc ^ data[i]) & 0xFF] ^ (crc >> 8);
  return ~crc;
}

void PutPngChunk(std::vector<unsigned char>& out, const char type[4],
                 const std::vector<unsigned char>& body) {
  PutU32BigEndian(out, static_cast<std::uint32_t>(body.size()));
  const std::size_t start = out.size();
  out.insert(out.end(), type, type + 4);
  out.insert(out.end(), body.begin(), body.end());
  PutU32BigEndian(out, Crc32(out.data() + start, out.size() - start));
}

}  // namespace

Surface LoadBmp(const std::string& path) {
  const std::vector<unsigned char> d = ReadWholeFile(path);
  if (d.size() < 54 || d[0] != 'B' || d[1] != 'M') Fail(path, "not a BMP file");
  const std::uint32_t dataOffset = GetU32(d, 10);
  const std::uint32_t headerSize = GetU32(d, 14);
  if (headerSize < 40 || 14 + static_cast<std::size_t>(headerSize) > d.size()) {
    Fail(path, "unsupported BMP header");
  }
  const std::int32_t width = static_cast<std::int32_t>(GetU32(d, 18));
  std::int32_t height = static_cast<std::int32_t>(GetU32(d, 22));
  const std::uint32_t planes = GetU16(d, 26);
  const std::uint32_t bits = GetU16(d, 28);
  const std::uint32_t compression = GetU32(d, 30);
  if (planes != 1) Fail(path, "bad plane count");
  if (bits != 24 && bits != 32) Fail(path, "only 24- and 32-bit BMP files are supported");
  // BI_RGB; a 32-bit file may say BI_BITFIELDS with the usual masks.
  if (compression != 0 && !(compression == 3 && bits == 32)) {
    Fail(path, "compressed BMP files are not supported");
  }
  const bool topDown = height < 0;
  if (topDown) height = -height;
  if (width <= 0 || height <= 0 || width > 65536 || height > 65536) Fail(path, "bad picture size");
  const std::size_t bytesPerPixel = bits / 8;
  const std::size_t stride = (static_cast<std::size_t>(width) * bytesPerPixel + 3) & ~std::size_t{3};
  if (dataOffset > d.size() || stride * static_cast<std::size_t>(height) > d.size() - dataOffset) {
    Fail(path, "file is truncated");
  }
  Surface s(width, height);
  for (int y = 0; y < height; ++y) {
    const int fileRow = topDown ? y : height - 1 - y;
    const unsigned char* p = d.data() + dataOffset + stride * static_cast<std::size_t>(fileRow);
    std::uint32_t* row = s.Row(y);
    for (int x = 0; x < width; ++x, p += bytesPerPixel) row[x] = Rgb(p[2], p[1], p[0]);
  }
  return s;
}

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

Surface LoadJpeg(const std::string& path) {
  const std::vector<unsigned char> data = ReadWholeFile(path);
  if (data.empty()) Fail(path, "empty file");
  jpeg_decompress_struct info{};
  JpegErrorManager err{};
  info.err = jpeg_std_error(&err.pub);
  err.pub.error_exit = JpegErrorExit;
  err.pub.emit_message = JpegSilence;
  Surface s;
  std::vector<unsigned char> line;
  if (setjmp(err.jump)) {
    jpeg_destroy_decompress(&info);
    Fail(path, std::string("JPEG error: ") + err.message);
  }
  jpeg_create_decompress(&info);
  jpeg_mem_src(&info, data.data(), static_cast<unsigned long>(data.size()));
  jpeg_read_header(&info, TRUE);
  info.out_color_space = JCS_RGB;
  jpeg_start_decompress(&info);
  if (info.output_components != 3) {
    jpeg_destroy_decompress(&info);
    Fail(path, "unexpected colour components");
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

void SavePng(const std::string& path, const Surface& picture) {
  if (picture.Empty()) Fail(path, "cannot write an empty picture");
  // The raw scanlines, each led by filter type 0.
  std::vector<unsigned char> raw;
  raw.reserve((static_cast<std::size_t>(picture.width) * 3 + 1) * picture.height);
  for (int y = 0; y < picture.height; ++y) {
    raw.push_back(0);
    const std::uint32_t* row = picture.Row(y);
    for (int x = 0; x < picture.width; ++x) {
      raw.push_back(static_cast<unsigned char>((row[x] >> 16) & 0xFF));
      raw.push_back(static_cast<unsigned char>((row[x] >> 8) & 0xFF));
      raw.push_back(static_cast<unsigned char>(row[x] & 0xFF));
    }
  }
  // A zlib stream of stored (uncompressed) deflate blocks: no compression library needed.
  std::vector<unsigned char> z;
  z.reserve(raw.size() + raw.size() / 65535 * 5 + 16);
  z.push_back(0x78);
  z.push_back(0x01);
  std::size_t pos = 0;
  do {
    const std::size_t n = std::min<std::size_t>(65535, raw.size() - pos);
    const bool last = pos + n == raw.size();
    z.push_back(last ? 1 : 0);
    PutU16(z, static_cast<std::uint32_t>(n));
    PutU16(z, static_cast<std::uint32_t>(~n & 0xFFFF));
    z.insert(z.end(), raw.begin() + static_cast<std::ptrdiff_t>(pos),
             raw.begin() + static_cast<std::ptrdiff_t>(pos + n));
    pos += n;
  } while (pos < raw.size());
  std::uint32_t a = 1, b = 0;
  for (const unsigned char c : raw) {
    a = (a + c) % 65521;
    b = (b + a) % 65521;
  }
  PutU32BigEndian(z, (b << 16) | a);

  std::vector<unsigned char> out{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  std::vector<unsigned char> header;
  PutU32BigEndian(header, static_cast<std::uint32_t>(picture.width));
  PutU32BigEndian(header, static_cast<std::uint32_t>(picture.height));
  header.insert(header.end(), {8, 2, 0, 0, 0});  // 8-bit RGB, deflate, no filter, no interlace
  PutPngChunk(out, "IHDR", header);
  PutPngChunk(out, "IDAT", z);
  PutPngChunk(out, "IEND", {});
  WriteWholeFile(path, out);
}
