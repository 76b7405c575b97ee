#pragma once
// Letters drawn by the operating system's own text engine in the shipped font: the status box's
// one line of text. FreeType through SDL2_ttf on Linux, GDI on Windows.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// One rendered line: 8-bit coverage, row after row, `width` × `height`.
struct TextMask {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> coverage;
};

class TextRaster {
 public:
  virtual ~TextRaster() = default;
  // Renders the UTF-8 `text` on one line; an empty mask for an empty text.
  virtual TextMask Render(const std::string& utf8) = 0;
};

// Opens the font file `fontPath` at `pixelSize` (monochrome hinting, as a small system face
// looks); nothing when the font cannot be loaded.
std::unique_ptr<TextRaster> OpenTextRaster(const std::string& fontPath, int pixelSize);
