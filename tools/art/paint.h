#pragma once
// The painting kit of the art tool: a float RGB canvas, coverage masks, signed-distance shapes,
// tileable noise and lettering through SDL2_ttf. Everything is deterministic: no clock, no
// global random state, only the fixed-seed hashes below.
#include <cmath>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "view/surface.h"

namespace art {

// ---------------------------------------------------------------- colours

struct Col {
  float r = 0, g = 0, b = 0;
};

constexpr Col C(int r, int g, int b) {
  return Col{static_cast<float>(r), static_cast<float>(g), static_cast<float>(b)};
}
inline Col operator+(Col a, Col b) { return {a.r + b.r, a.g + b.g, a.b + b.b}; }
inline Col operator-(Col a, Col b) { return {a.r - b.r, a.g - b.g, a.b - b.b}; }
inline Col operator*(Col a, float k) { return {a.r * k, a.g * k, a.b * k}; }
inline Col operator*(float k, Col a) { return a * k; }
inline Col Mix(Col a, Col b, float t) { return a + (b - a) * t; }
inline float Clamp01(float v) { return v < 0 ? 0 : (v > 1 ? 1 : v); }
inline float Clampf(float v, float lo, float hi) { return v < lo ? lo : (v > hi ? hi : v); }
inline float Smooth(float e0, float e1, float x) {
  const float t = Clamp01((x - e0) / (e1 - e0));
  return t * t * (3 - 2 * t);
}
Col FromRgb(std::uint32_t rgb);
std::uint32_t ToRgb(Col c);
// A colour from a list of stops at 0..1 (evenly spread), linear between them.
Col Ramp(const std::vector<Col>& stops, float t);

// ---------------------------------------------------------------- canvas

struct Image {
  int w = 0, h = 0;
  std::vector<Col> px;

  Image() = default;
  Image(int width, int height, Col fill = Col{});
  explicit Image(const Surface& s);

  bool In(int x, int y) const { return x >= 0 && y >= 0 && x < w && y < h; }
  Col& At(int x, int y) { return px[static_cast<std::size_t>(y) * w + x]; }
  Col At(int x, int y) const { return px[static_cast<std::size_t>(y) * w + x]; }
  void Set(int x, int y, Col c) {
    if (In(x, y)) At(x, y) = c;
  }
  void Blend(int x, int y, Col c, float a) {
    if (In(x, y) && a > 0) At(x, y) = Mix(At(x, y), c, Clamp01(a));
  }
  void Fill(Col c);
  void FillRect(int x0, int y0, int x1, int y1, Col c);  // x0..x1-1, y0..y1-1
  Surface ToSurface() const;
  Image Crop(int x, int y, int width, int height) const;
  void Paste(const Image& src, int x, int y);
};

// Box-filter downscale by an arbitrary factor (each output pixel averages its source area).
Image Downscale(const Image& src, int w, int h);

// ---------------------------------------------------------------- masks

struct Mask {
  int w = 0, h = 0;
  std::vector<float> a;

  Mask() = default;
  Mask(int width, int height, float fill = 0);
  float At(int x, int y) const {
    return (x < 0 || y < 0 || x >= w || y >= h) ? 0.f : a[static_cast<std::size_t>(y) * w + x];
  }
  float& Ref(int x, int y) { return a[static_cast<std::size_t>(y) * w + x]; }
  // Ink bounding box (pixels above `threshold`); false when empty.
  bool Bounds(int& x0, int& y0, int& x1, int& y1, float threshold = 0.02f) const;
  Mask Crop(int x, int y, int width, int height) const;
  Mask Shifted(int dx, int dy) const;
};

Mask Dilate(const Mask& m, float radius);  // grows the shape by `radius` pixels (round pen)
Mask Erode(const Mask& m, float radius);
Mask Blur(const Mask& m, int radius);      // box blur applied three times
Mask Minus(const Mask& a, const Mask& b);  // a * (1 - b)
Mask Resize(const Mask& m, int w, int h);  // box filter (area average)

// Paints `colour(x, y)` through the mask placed with its top-left at (ox, oy).
void Paint(Image& img, const Mask& m, int ox, int oy, const std::function<Col(int, int)>& colour,
           float opacity = 1.f);
void Paint(Image& img, const Mask& m, int ox, int oy, Col colour, float opacity = 1.f);

// ---------------------------------------------------------------- shapes (signed distances)

using Sdf = std::function<float(float, float)>;  // < 0 inside, in pixels

Sdf Circle(float cx, float cy, float r);
Sdf Ellipse(float cx, float cy, float rx, float ry);
Sdf RoundBox(float x0, float y0, float x1, float y1, float radius);  // edges at x0..x1, y0..y1
Sdf Capsule(float ax, float ay, float bx, float by, float r);
Sdf Polygon(std::vector<float> xy);  // x0, y0, x1, y1, ...
Sdf Union(Sdf a, Sdf b);
Sdf Ring(Sdf s, float halfWidth);  // the band |d| < halfWidth

// Coverage of a shape over a w × h area (anti-aliased with `soft` pixels of ramp, 1 = normal;
// 0 gives hard pixel edges decided at the pixel centre).
Mask ShapeMask(int w, int h, const Sdf& s, float soft = 1.f);

// ---------------------------------------------------------------- noise

std::uint32_t Hash(std::uint32_t a, std::uint32_t b = 0, std::uint32_t c = 0);
float Hash01(std::uint32_t a, std::uint32_t b = 0, std::uint32_t c = 0);  // 0..1
// Smooth value noise, 0..1, lattice cells of `cell` pixels; repeats every `period` cells
// when period > 0 (so a tile of cell·period pixels tiles seamlessly).
float ValueNoise(float x, float y, float cell, int period, std::uint32_t seed);
float Fbm(float x, float y, float cell, int period, int octaves, std::uint32_t seed);

// A small fixed-seed generator (xorshift) for scattering things.
struct Rng {
  std::uint32_t s;
  explicit Rng(std::uint32_t seed) : s(seed ? seed : 0x9E3779B9u) {}
  std::uint32_t Next() {
    s ^= s << 13;
    s ^= s >> 17;
    s ^= s << 5;
    return s;
  }
  float Uniform() { return static_cast<float>(Next() >> 8) / 16777216.f; }
  float Range(float lo, float hi) { return lo + (hi - lo) * Uniform(); }
  int Int(int n) { return static_cast<int>(Next() % static_cast<std::uint32_t>(n)); }
};

// ---------------------------------------------------------------- lettering

// Only fonts of the Debian packages fonts-dejavu-core, fonts-liberation2 and fonts-freefont-ttf.
namespace fonts {
inline const char* const DejaVuSansBold = "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf";
inline const char* const DejaVuSerifBold = "/usr/share/fonts/truetype/dejavu/DejaVuSerif-Bold.ttf";
inline const char* const LiberationSansRegular =
    "/usr/share/fonts/truetype/liberation2/LiberationSans-Regular.ttf";
inline const char* const LiberationSansBold =
    "/usr/share/fonts/truetype/liberation2/LiberationSans-Bold.ttf";
inline const char* const LiberationSansBoldItalic =
    "/usr/share/fonts/truetype/liberation2/LiberationSans-BoldItalic.ttf";
inline const char* const LiberationSerifBold =
    "/usr/share/fonts/truetype/liberation2/LiberationSerif-Bold.ttf";
inline const char* const FreeMonoBold = "/usr/share/fonts/truetype/freefont/FreeMonoBold.ttf";
}  // namespace fonts

// Starts and stops SDL2_ttf around the painting.
struct TextSystem {
  TextSystem();
  ~TextSystem();
};

struct TextMask {
  Mask mask;        // coverage, cropped to the ink
  int baseline = 0;  // row of the baseline inside `mask` (may lie outside it)
  int advance = 0;   // pen advance in pixels
};

// Renders UTF-8 text at `pixelSize` (anti-aliased, light hinting), cropped to its ink.
// `scale` > 1 renders that many times larger and averages down (smoother large lettering).
TextMask RenderText(const std::string& fontPath, int pixelSize, const std::string& utf8,
                    int scale = 1);
// The same with `tracking` extra pixels between the letters.
TextMask RenderTracked(const std::string& fontPath, int pixelSize, const std::string& utf8,
                       float tracking, int scale = 1);

// Text as large as fits in a w × h box with `pad` pixels kept free on every side (for outlines and
// shadows), `tracking` × size extra space between letters, centred on its ink. A w × h mask.
Mask TextInBox(const std::string& fontPath, const std::string& utf8, int w, int h, int pad,
               int maxSize, float tracking = 0.f, int scale = 2);

// Raised relief of a shape: light along its upper-left edges, shadow along its lower-right ones.
void Emboss(Image& img, const Mask& m, int ox, int oy, Col light, Col dark, float strength = 1.f);
// Engraved (sunk) relief: the reverse.
void Engrave(Image& img, const Mask& m, int ox, int oy, Col light, Col dark, float strength = 1.f);

}  // namespace art
