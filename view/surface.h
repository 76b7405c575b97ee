#pragma once
// A 32-bit picture (0x00RRGGBB per pixel) and the copies the game draws with.
#include <cstdint>
#include <vector>

struct Rect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;

  bool Empty() const { return width <= 0 || height <= 0; }
  int Right() const { return left + width; }    // one past the last column
  int Bottom() const { return top + height; }   // one past the last row
};

// The overlap of two rectangles (empty when they do not meet).
Rect Intersect(const Rect& a, const Rect& b);
// The smallest rectangle holding both (an empty one is ignored).
Rect Union(const Rect& a, const Rect& b);

constexpr std::uint32_t Rgb(int r, int g, int b) {
  return (static_cast<std::uint32_t>(r & 255) << 16) | (static_cast<std::uint32_t>(g & 255) << 8) |
         static_cast<std::uint32_t>(b & 255);
}
constexpr std::uint32_t kBlack = 0x000000;
constexpr std::uint32_t kWhite = 0xFFFFFF;

struct Surface {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> pixels;  // row by row, top row first

  Surface() = default;
  Surface(int w, int h, std::uint32_t fill = kBlack);

  bool Empty() const { return width <= 0 || height <= 0; }
  std::uint32_t* Row(int y) { return pixels.data() + static_cast<std::size_t>(y) * width; }
  const std::uint32_t* Row(int y) const {
    return pixels.data() + static_cast<std::size_t>(y) * width;
  }
  std::uint32_t At(int x, int y) const { return Row(y)[x]; }
  void Set(int x, int y, std::uint32_t c) { Row(y)[x] = c; }
  // Resizes keeping the pixels where old and new sizes overlap; new pixels are black.
  void Resize(int w, int h);
  // Paints `area` (clipped to the surface) with `colour`.
  void Fill(const Rect& area, std::uint32_t colour);
  void Fill(std::uint32_t colour) { Fill(Rect{0, 0, width, height}, colour); }
};

// Copies `src` opaque with its top-left at (x, y) of `dst`, clipped to `dst` and to `clip`.
void Blit(Surface& dst, int x, int y, const Surface& src, const Rect& clip);
void Blit(Surface& dst, int x, int y, const Surface& src);
// Copies the part `from` of `src` to (x, y) of `dst`, opaque, clipped to `dst`.
void BlitPart(Surface& dst, int x, int y, const Surface& src, const Rect& from);
// Copies `src` with its top-left at (x, y); pixels of colour `key` are not copied.
void BlitKeyed(Surface& dst, int x, int y, const Surface& src, std::uint32_t key, const Rect& clip);
// Scales `src` to `to` (nearest pixel), clipped to `clip`; with `keyed`, colour `key` is skipped.
void BlitStretched(Surface& dst, const Rect& to, const Surface& src, bool keyed, std::uint32_t key,
                   const Rect& clip);
