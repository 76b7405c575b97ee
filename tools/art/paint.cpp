#include "tools/art/paint.h"

#include <SDL_ttf.h>

#include <algorithm>
#include <map>
#include <memory>
#include <stdexcept>
#include <utility>

namespace art {

// ---------------------------------------------------------------- colours

Col FromRgb(std::uint32_t rgb) {
  return C(static_cast<int>((rgb >> 16) & 255), static_cast<int>((rgb >> 8) & 255),
           static_cast<int>(rgb & 255));
}

namespace {
int Channel(float v) {
  const int i = static_cast<int>(std::floor(v + 0.5f));
  return i < 0 ? 0 : (i > 255 ? 255 : i);
}
}  // namespace

std::uint32_t ToRgb(Col c) { return Rgb(Channel(c.r), Channel(c.g), Channel(c.b)); }

Col Ramp(const std::vector<Col>& stops, float t) {
  if (stops.empty()) return Col{};
  if (stops.size() == 1) return stops[0];
  t = Clamp01(t) * static_cast<float>(stops.size() - 1);
  const std::size_t i = std::min(static_cast<std::size_t>(t), stops.size() - 2);
  return Mix(stops[i], stops[i + 1], t - static_cast<float>(i));
}

// ---------------------------------------------------------------- canvas

Image::Image(int width, int height, Col fill)
    : w(width), h(height), px(static_cast<std::size_t>(width) * height, fill) {}

Image::Image(const Surface& s) : Image(s.width, s.height) {
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) At(x, y) = FromRgb(s.At(x, y));
}

void Image::Fill(Col c) { std::fill(px.begin(), px.end(), c); }

void Image::FillRect(int x0, int y0, int x1, int y1, Col c) {
  for (int y = std::max(y0, 0); y < std::min(y1, h); ++y)
    for (int x = std::max(x0, 0); x < std::min(x1, w); ++x) At(x, y) = c;
}

Surface Image::ToSurface() const {
  Surface s(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) s.Set(x, y, ToRgb(At(x, y)));
  return s;
}

Image Image::Crop(int x, int y, int width, int height) const {
  Image out(width, height);
  for (int j = 0; j < height; ++j)
    for (int i = 0; i < width; ++i)
      if (In(x + i, y + j)) out.At(i, j) = At(x + i, y + j);
  return out;
}

void Image::Paste(const Image& src, int x, int y) {
  for (int j = 0; j < src.h; ++j)
    for (int i = 0; i < src.w; ++i) Set(x + i, y + j, src.At(i, j));
}

namespace {
// Weights of source samples for each output sample of a box-filter resize along one axis.
std::vector<std::vector<std::pair<int, float>>> BoxWeights(int from, int to) {
  std::vector<std::vector<std::pair<int, float>>> out(static_cast<std::size_t>(to));
  const double k = static_cast<double>(from) / to;
  for (int o = 0; o < to; ++o) {
    const double a = o * k, b = (o + 1) * k;
    for (int s = static_cast<int>(std::floor(a)); s < static_cast<int>(std::ceil(b)) && s < from;
         ++s) {
      const double wgt = std::min<double>(b, s + 1) - std::max<double>(a, s);
      if (wgt > 1e-9) out[static_cast<std::size_t>(o)].push_back({s, static_cast<float>(wgt / k)});
    }
  }
  return out;
}
}  // namespace

Image Downscale(const Image& src, int w, int h) {
  const auto wx = BoxWeights(src.w, w);
  const auto wy = BoxWeights(src.h, h);
  Image tmp(w, src.h);
  for (int y = 0; y < src.h; ++y)
    for (int x = 0; x < w; ++x) {
      Col acc;
      for (const auto& [s, k] : wx[static_cast<std::size_t>(x)]) acc = acc + src.At(s, y) * k;
      tmp.At(x, y) = acc;
    }
  Image out(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      Col acc;
      for (const auto& [s, k] : wy[static_cast<std::size_t>(y)]) acc = acc + tmp.At(x, s) * k;
      out.At(x, y) = acc;
    }
  return out;
}

// ---------------------------------------------------------------- masks

Mask::Mask(int width, int height, float fill)
    : w(width), h(height), a(static_cast<std::size_t>(width) * height, fill) {}

bool Mask::Bounds(int& x0, int& y0, int& x1, int& y1, float threshold) const {
  x0 = w;
  y0 = h;
  x1 = -1;
  y1 = -1;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      if (At(x, y) > threshold) {
        x0 = std::min(x0, x);
        y0 = std::min(y0, y);
        x1 = std::max(x1, x);
        y1 = std::max(y1, y);
      }
  return x1 >= 0;
}

Mask Mask::Crop(int x, int y, int width, int height) const {
  Mask out(width, height);
  for (int j = 0; j < height; ++j)
    for (int i = 0; i < width; ++i) out.Ref(i, j) = At(x + i, y + j);
  return out;
}

Mask Mask::Shifted(int dx, int dy) const { return Crop(-dx, -dy, w, h); }

Mask Dilate(const Mask& m, float radius) {
  const int r = static_cast<int>(std::ceil(radius + 0.5f));
  struct Tap {
    int dx, dy;
    float k;
  };
  std::vector<Tap> taps;
  for (int dy = -r; dy <= r; ++dy)
    for (int dx = -r; dx <= r; ++dx) {
      const float d = std::sqrt(static_cast<float>(dx * dx + dy * dy));
      const float k = Clamp01(radius + 0.5f - d);
      if (k > 0) taps.push_back({dx, dy, k});
    }
  Mask out(m.w, m.h);
  for (int y = 0; y < m.h; ++y)
    for (int x = 0; x < m.w; ++x) {
      float best = 0;
      for (const Tap& t : taps) best = std::max(best, m.At(x + t.dx, y + t.dy) * t.k);
      out.Ref(x, y) = best;
    }
  return out;
}

Mask Erode(const Mask& m, float radius) {
  Mask inv(m.w, m.h);
  for (std::size_t i = 0; i < m.a.size(); ++i) inv.a[i] = 1 - m.a[i];
  // Outside the mask counts as empty, so the inverse is full there: pad it.
  const int p = static_cast<int>(std::ceil(radius)) + 2;
  Mask padded(m.w + 2 * p, m.h + 2 * p, 1.f);
  for (int y = 0; y < m.h; ++y)
    for (int x = 0; x < m.w; ++x) padded.Ref(x + p, y + p) = inv.At(x, y);
  const Mask grown = Dilate(padded, radius);
  Mask out(m.w, m.h);
  for (int y = 0; y < m.h; ++y)
    for (int x = 0; x < m.w; ++x) out.Ref(x, y) = 1 - grown.At(x + p, y + p);
  return out;
}

Mask Blur(const Mask& m, int radius) {
  if (radius <= 0) return m;
  Mask cur = m;
  const float k = 1.f / static_cast<float>(2 * radius + 1);
  for (int pass = 0; pass < 3; ++pass) {
    Mask tmp(m.w, m.h);
    for (int y = 0; y < m.h; ++y)
      for (int x = 0; x < m.w; ++x) {
        float s = 0;
        for (int d = -radius; d <= radius; ++d) s += cur.At(x + d, y);
        tmp.Ref(x, y) = s * k;
      }
    for (int y = 0; y < m.h; ++y)
      for (int x = 0; x < m.w; ++x) {
        float s = 0;
        for (int d = -radius; d <= radius; ++d) s += tmp.At(x, y + d);
        cur.Ref(x, y) = s * k;
      }
  }
  return cur;
}

Mask Minus(const Mask& a, const Mask& b) {
  Mask out = a;
  for (int y = 0; y < a.h; ++y)
    for (int x = 0; x < a.w; ++x) out.Ref(x, y) = a.At(x, y) * (1 - b.At(x, y));
  return out;
}

Mask Resize(const Mask& m, int w, int h) {
  const auto wx = BoxWeights(m.w, w);
  const auto wy = BoxWeights(m.h, h);
  Mask tmp(w, m.h);
  for (int y = 0; y < m.h; ++y)
    for (int x = 0; x < w; ++x) {
      float acc = 0;
      for (const auto& [s, k] : wx[static_cast<std::size_t>(x)]) acc += m.At(s, y) * k;
      tmp.Ref(x, y) = acc;
    }
  Mask out(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      float acc = 0;
      for (const auto& [s, k] : wy[static_cast<std::size_t>(y)]) acc += tmp.At(x, s) * k;
      out.Ref(x, y) = Clamp01(acc);
    }
  return out;
}

void Paint(Image& img, const Mask& m, int ox, int oy, const std::function<Col(int, int)>& colour,
           float opacity) {
  for (int y = 0; y < m.h; ++y)
    for (int x = 0; x < m.w; ++x) {
      const float a = m.At(x, y) * opacity;
      if (a <= 0) continue;
      const int X = ox + x, Y = oy + y;
      if (img.In(X, Y)) img.Blend(X, Y, colour(X, Y), a);
    }
}

void Paint(Image& img, const Mask& m, int ox, int oy, Col colour, float opacity) {
  Paint(img, m, ox, oy, [colour](int, int) { return colour; }, opacity);
}

// ---------------------------------------------------------------- shapes

Sdf Circle(float cx, float cy, float r) {
  return [=](float x, float y) { return std::hypot(x - cx, y - cy) - r; };
}

Sdf Ellipse(float cx, float cy, float rx, float ry) {
  return [=](float x, float y) {
    // Distance approximation: scaled circle distance, corrected by the gradient length.
    const float nx = (x - cx) / rx, ny = (y - cy) / ry;
    const float k = std::sqrt(nx * nx + ny * ny);
    const float gx = nx / rx, gy = ny / ry;
    const float g = std::sqrt(gx * gx + gy * gy);
    if (k < 1e-6f) return -std::min(rx, ry);
    return (k - 1) * k / std::max(g, 1e-6f);
  };
}

Sdf RoundBox(float x0, float y0, float x1, float y1, float radius) {
  const float cx = (x0 + x1) / 2, cy = (y0 + y1) / 2;
  const float hx = (x1 - x0) / 2, hy = (y1 - y0) / 2;
  return [=](float x, float y) {
    const float qx = std::fabs(x - cx) - hx + radius;
    const float qy = std::fabs(y - cy) - hy + radius;
    const float ox = std::max(qx, 0.f), oy = std::max(qy, 0.f);
    return std::sqrt(ox * ox + oy * oy) + std::min(std::max(qx, qy), 0.f) - radius;
  };
}

Sdf Capsule(float ax, float ay, float bx, float by, float r) {
  return [=](float x, float y) {
    const float px = x - ax, py = y - ay, vx = bx - ax, vy = by - ay;
    const float vv = vx * vx + vy * vy;
    const float t = vv > 0 ? Clamp01((px * vx + py * vy) / vv) : 0.f;
    return std::hypot(px - vx * t, py - vy * t) - r;
  };
}

Sdf Polygon(std::vector<float> v) {
  return [v](float x, float y) {
    const std::size_t n = v.size() / 2;
    float d = (x - v[0]) * (x - v[0]) + (y - v[1]) * (y - v[1]);
    float s = 1;
    for (std::size_t i = 0, j = n - 1; i < n; j = i, ++i) {
      const float ex = v[2 * j] - v[2 * i], ey = v[2 * j + 1] - v[2 * i + 1];
      const float wx = x - v[2 * i], wy = y - v[2 * i + 1];
      const float t = Clamp01((wx * ex + wy * ey) / (ex * ex + ey * ey));
      const float bx = wx - ex * t, by = wy - ey * t;
      d = std::min(d, bx * bx + by * by);
      const bool c1 = y >= v[2 * i + 1], c2 = y < v[2 * j + 1], c3 = ex * wy > ey * wx;
      if ((c1 && c2 && c3) || (!c1 && !c2 && !c3)) s = -s;
    }
    return s * std::sqrt(d);
  };
}

Sdf Union(Sdf a, Sdf b) {
  return [a, b](float x, float y) { return std::min(a(x, y), b(x, y)); };
}
Sdf Ring(Sdf s, float halfWidth) {
  return [s, halfWidth](float x, float y) { return std::fabs(s(x, y)) - halfWidth; };
}

Mask ShapeMask(int w, int h, const Sdf& s, float soft) {
  Mask m(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const float d = s(x + 0.5f, y + 0.5f);
      m.Ref(x, y) = soft <= 0 ? (d < 0 ? 1.f : 0.f) : Clamp01(0.5f - d / soft);
    }
  return m;
}

// ---------------------------------------------------------------- noise

std::uint32_t Hash(std::uint32_t a, std::uint32_t b, std::uint32_t c) {
  std::uint32_t h = a * 0x9E3779B1u ^ (b + 0x7F4A7C15u) * 0x85EBCA77u ^ (c + 0x165667B1u) * 0xC2B2AE3Du;
  h ^= h >> 15;
  h *= 0x2C1B3C6Du;
  h ^= h >> 12;
  h *= 0x297A2D39u;
  h ^= h >> 15;
  return h;
}

float Hash01(std::uint32_t a, std::uint32_t b, std::uint32_t c) {
  return static_cast<float>(Hash(a, b, c) >> 8) / 16777216.f;
}

float ValueNoise(float x, float y, float cell, int period, std::uint32_t seed) {
  const float fx = x / cell, fy = y / cell;
  const int ix = static_cast<int>(std::floor(fx)), iy = static_cast<int>(std::floor(fy));
  const float tx = fx - static_cast<float>(ix), ty = fy - static_cast<float>(iy);
  auto lattice = [&](int i, int j) {
    if (period > 0) {
      i = ((i % period) + period) % period;
      j = ((j % period) + period) % period;
    }
    return Hash01(static_cast<std::uint32_t>(i), static_cast<std::uint32_t>(j), seed);
  };
  const float sx = tx * tx * (3 - 2 * tx), sy = ty * ty * (3 - 2 * ty);
  const float a = lattice(ix, iy), b = lattice(ix + 1, iy);
  const float c = lattice(ix, iy + 1), d = lattice(ix + 1, iy + 1);
  return (a + (b - a) * sx) + ((c + (d - c) * sx) - (a + (b - a) * sx)) * sy;
}

float Fbm(float x, float y, float cell, int period, int octaves, std::uint32_t seed) {
  float sum = 0, amp = 1, norm = 0;
  for (int o = 0; o < octaves; ++o) {
    sum += amp * ValueNoise(x, y, cell, period, seed + static_cast<std::uint32_t>(o) * 101u);
    norm += amp;
    amp *= 0.5f;
    cell /= 2;
    if (period > 0) period *= 2;
  }
  return sum / norm;
}

// ---------------------------------------------------------------- lettering

namespace {
std::map<std::pair<std::string, int>, TTF_Font*>& FontCache() {
  static std::map<std::pair<std::string, int>, TTF_Font*> cache;
  return cache;
}

TTF_Font* GetFont(const std::string& path, int size) {
  auto& cache = FontCache();
  const auto key = std::make_pair(path, size);
  auto it = cache.find(key);
  if (it != cache.end()) return it->second;
  TTF_Font* f = TTF_OpenFont(path.c_str(), size);
  if (!f) throw std::runtime_error("cannot open font '" + path + "': " + TTF_GetError());
  TTF_SetFontHinting(f, TTF_HINTING_LIGHT);
  TTF_SetFontKerning(f, 1);
  cache[key] = f;
  return f;
}
}  // namespace

TextSystem::TextSystem() {
  if (TTF_Init() != 0) throw std::runtime_error(std::string("TTF_Init: ") + TTF_GetError());
}

TextSystem::~TextSystem() {
  for (auto& [key, f] : FontCache()) TTF_CloseFont(f);
  FontCache().clear();
  TTF_Quit();
}

namespace {

// A rendered run of text at full resolution: coverage, with the pen origin at (penX, ascent).
struct BigRun {
  Mask mask;
  int ascent = 0;
  int penX = 0;
  int advance = 0;
};

std::vector<std::string> SplitUtf8(const std::string& s) {
  std::vector<std::string> out;
  for (std::size_t i = 0; i < s.size();) {
    const unsigned char c = static_cast<unsigned char>(s[i]);
    const std::size_t n = c < 0x80 ? 1 : (c < 0xE0 ? 2 : (c < 0xF0 ? 3 : 4));
    out.push_back(s.substr(i, n));
    i += n;
  }
  return out;
}

BigRun RenderRun(TTF_Font* f, const std::string& utf8) {
  BigRun run;
  run.ascent = TTF_FontAscent(f);
  TTF_SizeUTF8(f, utf8.c_str(), &run.advance, nullptr);
  if (utf8.empty() || utf8 == " ") {
    run.mask = Mask(std::max(run.advance, 1), TTF_FontHeight(f));
    return run;
  }
  SDL_Surface* s = TTF_RenderUTF8_Blended(f, utf8.c_str(), SDL_Color{255, 255, 255, 255});
  if (!s) throw std::runtime_error("cannot render '" + utf8 + "': " + TTF_GetError());
  run.mask = Mask(s->w, s->h);
  for (int y = 0; y < s->h; ++y) {
    const auto* row = reinterpret_cast<const Uint32*>(static_cast<const Uint8*>(s->pixels) +
                                                      static_cast<std::ptrdiff_t>(y) * s->pitch);
    for (int x = 0; x < s->w; ++x) {
      Uint8 r, g, b, a;
      SDL_GetRGBA(row[x], s->format, &r, &g, &b, &a);
      run.mask.Ref(x, y) = static_cast<float>(a) / 255.f;
    }
  }
  SDL_FreeSurface(s);
  // SDL_ttf shifts the run right when its first glyph reaches left of the pen.
  const std::vector<std::string> chars = SplitUtf8(utf8);
  int minx = 0;
  if (!chars.empty()) {
    Uint32 cp = 0;
    const std::string& first = chars[0];
    const unsigned char c0 = static_cast<unsigned char>(first[0]);
    if (first.size() == 1) cp = c0;
    else if (first.size() == 2) cp = ((c0 & 0x1Fu) << 6) | (static_cast<unsigned char>(first[1]) & 0x3Fu);
    else if (first.size() == 3)
      cp = ((c0 & 0x0Fu) << 12) | ((static_cast<unsigned char>(first[1]) & 0x3Fu) << 6) |
           (static_cast<unsigned char>(first[2]) & 0x3Fu);
    int mx = 0, maxx, miny, maxy, adv;
    if (TTF_GlyphMetrics32(f, cp, &mx, &maxx, &miny, &maxy, &adv) == 0) minx = mx;
  }
  run.penX = minx < 0 ? -minx : 0;
  return run;
}

// Averages `scale` × `scale` blocks, keeping the baseline on a block edge; crops to the ink.
TextMask Finish(const Mask& big, int ascent, int advance, int scale) {
  const int padTop = (scale - ascent % scale) % scale;
  const int w = (big.w + scale - 1) / scale, h = (big.h + padTop + scale - 1) / scale;
  Mask small(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      float sum = 0;
      for (int j = 0; j < scale; ++j)
        for (int i = 0; i < scale; ++i) sum += big.At(x * scale + i, y * scale + j - padTop);
      small.Ref(x, y) = sum / static_cast<float>(scale * scale);
    }
  TextMask out;
  out.baseline = (ascent + padTop) / scale;
  out.advance = (advance + scale - 1) / scale;
  int x0, y0, x1, y1;
  if (!small.Bounds(x0, y0, x1, y1, 0.0f)) {
    out.mask = Mask(0, 0);
    return out;
  }
  out.mask = small.Crop(x0, y0, x1 - x0 + 1, y1 - y0 + 1);
  out.baseline -= y0;
  return out;
}

}  // namespace

TextMask RenderText(const std::string& fontPath, int pixelSize, const std::string& utf8,
                    int scale) {
  const BigRun run = RenderRun(GetFont(fontPath, pixelSize * scale), utf8);
  return Finish(run.mask, run.ascent, run.advance, scale);
}

TextMask RenderTracked(const std::string& fontPath, int pixelSize, const std::string& utf8,
                       float tracking, int scale) {
  TTF_Font* f = GetFont(fontPath, pixelSize * scale);
  const std::vector<std::string> chars = SplitUtf8(utf8);
  std::vector<BigRun> runs;
  std::vector<int> pens;
  int pen = 0, width = 0, height = 0;
  for (std::size_t i = 0; i < chars.size(); ++i) {
    runs.push_back(RenderRun(f, chars[i]));
    // Advance by the pair's width minus the second glyph's, which keeps the font's kerning.
    int pair = runs.back().advance;
    if (i + 1 < chars.size()) {
      int both = 0, second = 0;
      TTF_SizeUTF8(f, (chars[i] + chars[i + 1]).c_str(), &both, nullptr);
      TTF_SizeUTF8(f, chars[i + 1].c_str(), &second, nullptr);
      pair = both - second;
    }
    pens.push_back(pen);
    width = std::max(width, pen - runs.back().penX + runs.back().mask.w + 8 * scale);
    height = std::max(height, runs.back().mask.h);
    pen += pair + static_cast<int>(std::lround(tracking * static_cast<float>(scale)));
  }
  Mask big(width + 8 * scale, height);
  for (std::size_t i = 0; i < runs.size(); ++i) {
    const int ox = pens[i] - runs[i].penX + 4 * scale;
    for (int y = 0; y < runs[i].mask.h; ++y)
      for (int x = 0; x < runs[i].mask.w; ++x)
        if (ox + x >= 0 && ox + x < big.w)
          big.Ref(ox + x, y) = std::min(1.f, big.At(ox + x, y) + runs[i].mask.At(x, y));
  }
  return Finish(big, TTF_FontAscent(f), pen, scale);
}

Mask TextInBox(const std::string& fontPath, const std::string& utf8, int w, int h, int pad,
               int maxSize, float tracking, int scale) {
  for (int size = maxSize; size > 4; --size) {
    const TextMask t = RenderTracked(fontPath, size, utf8, tracking * static_cast<float>(size), scale);
    if (t.mask.w + 2 * pad <= w && t.mask.h + 2 * pad <= h) {
      Mask box(w, h);
      const int ox = (w - t.mask.w) / 2, oy = (h - t.mask.h) / 2;
      for (int y = 0; y < t.mask.h; ++y)
        for (int x = 0; x < t.mask.w; ++x) box.Ref(ox + x, oy + y) = t.mask.At(x, y);
      return box;
    }
  }
  throw std::runtime_error("text does not fit: " + utf8);
}

void Emboss(Image& img, const Mask& m, int ox, int oy, Col light, Col dark, float strength) {
  const Mask lit = Minus(m, m.Shifted(1, 1));
  const Mask shade = Minus(m, m.Shifted(-1, -1));
  Paint(img, lit, ox, oy, light, strength);
  Paint(img, shade, ox, oy, dark, strength);
}

void Engrave(Image& img, const Mask& m, int ox, int oy, Col light, Col dark, float strength) {
  Emboss(img, m, ox, oy, dark, light, strength);
}

}  // namespace art
