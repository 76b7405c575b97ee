// The fourteen cell pictures Im0 … Im13 and the warning picture for codes without one.
// Pixel art at 36 × 36, lit from the top left, every picture filling its whole cell.
#include <algorithm>
#include <array>
#include <cmath>

#include "tools/art/catalogue.h"

namespace art {
namespace {

constexpr int S = 36;
constexpr Col kBlack = C(0, 0, 0);

// A hard-edged silhouette: 1 inside, 0 outside (decided at pixel centres).
using Sil = std::array<std::array<bool, S>, S>;

Sil Silhouette(const Sdf& s) {
  Sil m{};
  for (int y = 0; y < S; ++y)
    for (int x = 0; x < S; ++x) m[y][x] = s(x + 0.5f, y + 0.5f) < 0;
  return m;
}

bool InSil(const Sil& m, int x, int y) { return x >= 0 && y >= 0 && x < S && y < S && m[y][x]; }

// The inner border of a silhouette (a pixel of it with a 4-neighbour outside).
bool OnEdge(const Sil& m, int x, int y) {
  return InSil(m, x, y) && (!InSil(m, x - 1, y) || !InSil(m, x + 1, y) || !InSil(m, x, y - 1) ||
                            !InSil(m, x, y + 1));
}

// Outline colour per edge pixel: the lit side (top left) a little lighter than the shadow side.
void Outline(Image& img, const Sil& m, Col lit, Col shade) {
  for (int y = 0; y < S; ++y)
    for (int x = 0; x < S; ++x)
      if (OnEdge(m, x, y)) {
        const bool litSide = !InSil(m, x - 1, y) || !InSil(m, x, y - 1);
        const bool shadeSide = !InSil(m, x + 1, y) || !InSil(m, x, y + 1);
        img.At(x, y) = (litSide && !shadeSide) ? lit : shade;
      }
}

// Lambert + Phong light on a sphere-like surface normal; light from the top left, a bit in front.
float Light(float nx, float ny, float nz, float ambient, float specular, float shininess) {
  const float lx = -0.55f, ly = -0.62f, lz = 0.56f;
  const float d = std::max(0.f, nx * lx + ny * ly + nz * lz);
  // Reflection of the light about the normal, against the viewer (0, 0, 1).
  const float rz = 2 * d * nz - lz;
  const float s = std::pow(std::max(0.f, rz), shininess);
  return ambient + (1 - ambient) * d + specular * s;
}

// Snaps a 0..1 shade to `levels` bands, with a 2 × 2 ordered dither at the band edges.
float Band(float v, int levels, int x, int y) {
  static const float kBayer[2][2] = {{0.0f, 0.5f}, {0.75f, 0.25f}};
  const float t = Clamp01(v) * static_cast<float>(levels - 1);
  const float f = t - std::floor(t);
  const float threshold = 0.38f + 0.24f * kBayer[y & 1][x & 1];
  float level = std::floor(t) + (f > threshold ? 1.f : 0.f);
  level = std::min(level, static_cast<float>(levels - 1));
  return level / static_cast<float>(levels - 1);
}

// ------------------------------------------------------------------ Im0: brick wall

Image BrickWall() {
  Image img(S, S);
  const Col mortar = C(118, 84, 56);
  const Col mortarDark = C(96, 66, 44);
  const std::array<Col, 4> tones{C(206, 146, 92), C(196, 136, 84), C(212, 156, 100), C(200, 142, 86)};
  for (int y = 0; y < S; ++y) {
    const int course = y / 9;
    const int row = y % 9;  // row 8 is the bed joint
    const int offset = (course % 2) ? 9 : 0;
    for (int x = 0; x < S; ++x) {
      const int bx = ((x - offset) % S + S) % S;  // x inside the running bond
      const int brick = bx / 18;
      const int col = bx % 18;  // column 17 is the head joint
      if (row == 8 || col == 17) {
        // The joint: darker under a brick's shadowed edge.
        const bool underShadow = (row == 8 && col != 17) || (col == 17 && row < 8);
        img.At(x, y) = underShadow && Hash01(static_cast<std::uint32_t>(x), static_cast<std::uint32_t>(y), 7) < 0.5f
                           ? mortarDark
                           : mortar;
        continue;
      }
      Col c = tones[static_cast<std::size_t>((course * 2 + brick * 3) % 4)];
      // Bevel: top and left edges catch the light, bottom and right edges fall into shadow.
      if (row == 0) c = c + C(26, 22, 16);
      else if (col == 0) c = c + C(16, 13, 10);
      if (row == 7) c = c - C(34, 28, 20);
      else if (col == 16) c = c - C(22, 18, 14);
      // Fine texture: speckles and the odd pit, fixed by position.
      const float n = Hash01(static_cast<std::uint32_t>(x), static_cast<std::uint32_t>(y), 11);
      if (row > 0 && row < 7 && col > 0 && col < 16) {
        if (n < 0.08f) c = c - C(30, 24, 18);
        else if (n < 0.22f) c = c - C(12, 10, 8);
        else if (n > 0.93f) c = c + C(12, 10, 8);
      }
      img.At(x, y) = c;
    }
  }
  // Keep every channel at 32 or more so that the dark walls are exactly 32 darker.
  for (Col& c : img.px) {
    c.r = std::max(c.r, 32.f);
    c.g = std::max(c.g, 32.f);
    c.b = std::max(c.b, 32.f);
  }
  return img;
}

Image DarkBrickWall() {
  Image img = BrickWall();
  for (Col& c : img.px) c = c - C(32, 32, 32);
  return img;
}

// ------------------------------------------------------------------ Im1: gem

Image Gem() {
  Image img(S, S, kBlack);
  // Crown and pavilion facets of a cut stone seen from the side.
  const float a[2] = {11, 9}, b[2] = {18, 9}, c[2] = {25, 9};
  const float g0[2] = {4.5f, 16}, g1[2] = {13.5f, 16}, g2[2] = {22.5f, 16}, g3[2] = {31.5f, 16};
  const float p[2] = {18, 32};
  auto tri = [](const float* u, const float* v, const float* w) {
    return Polygon({u[0], u[1], v[0], v[1], w[0], w[1]});
  };
  struct Facet {
    Sdf shape;
    Col colour;
  };
  const std::vector<Facet> facets{
      {tri(g0, a, g1), C(255, 252, 214)},  // upper left: facing the light
      {tri(a, b, g1), C(255, 238, 96)},
      {tri(b, g1, g2), C(250, 214, 40)},
      {tri(b, c, g2), C(236, 196, 30)},
      {tri(c, g2, g3), C(188, 160, 24)},
      {tri(g0, g1, p), C(238, 196, 28)},
      {tri(g1, g2, p), C(174, 150, 18)},
      {tri(g2, g3, p), C(120, 104, 12)},
  };
  Sdf whole = facets[0].shape;
  for (std::size_t i = 1; i < facets.size(); ++i) whole = Union(whole, facets[i].shape);
  const Sil sil = Silhouette(whole);
  for (int y = 0; y < S; ++y)
    for (int x = 0; x < S; ++x) {
      if (!sil[y][x]) continue;
      // The facet whose inside is deepest at this pixel.
      float best = 1e9f;
      Col col = facets[0].colour;
      for (const Facet& f : facets) {
        const float d = f.shape(x + 0.5f, y + 0.5f);
        if (d < best) {
          best = d;
          col = f.colour;
        }
      }
      img.At(x, y) = col;
    }
  // Facet ridges: the girdle line and the table edge catch light.
  for (int x = 6; x <= 30; ++x) {
    if (InSil(sil, x, 16)) img.At(x, 16) = Mix(img.At(x, 16), C(255, 250, 190), x < 18 ? 0.7f : 0.35f);
  }
  Outline(img, sil, C(120, 104, 20), C(70, 58, 6));
  // Glints on the lit facets.
  img.Set(12, 11, C(255, 255, 255));
  img.Set(11, 12, C(255, 255, 255));
  img.Set(12, 12, C(255, 255, 240));
  img.Set(13, 11, C(255, 255, 230));
  img.Set(10, 13, C(255, 255, 230));
  img.Set(16, 20, C(255, 246, 170));
  img.Set(15, 19, C(255, 246, 170));
  // Sparkles: a four-pointed star, yellow along the axes, teal on the diagonals.
  auto sparkle = [&img](int cx, int cy, int len) {
    img.Set(cx, cy, C(255, 255, 255));
    for (int i = 1; i <= len; ++i) {
      const float t = static_cast<float>(i - 1) / static_cast<float>(len);
      const Col yellow = Mix(C(255, 246, 120), C(200, 170, 20), t);
      img.Set(cx + i, cy, yellow);
      img.Set(cx - i, cy, yellow);
      img.Set(cx, cy + i, yellow);
      img.Set(cx, cy - i, yellow);
    }
    for (int i = 1; i <= len / 2; ++i) {
      const Col teal = i == 1 ? C(120, 240, 230) : C(20, 160, 160);
      img.Set(cx + i, cy + i, teal);
      img.Set(cx - i, cy - i, teal);
      img.Set(cx + i, cy - i, teal);
      img.Set(cx - i, cy + i, teal);
    }
  };
  sparkle(29, 5, 4);
  sparkle(6, 27, 3);
  img.Set(33, 12, C(40, 190, 190));
  img.Set(2, 8, C(230, 210, 60));
  return img;
}

// ------------------------------------------------------------------ Im2: player

Image Player() {
  Image img(S, S, kBlack);
  const float cx = 17.5f, cy = 19.5f, r = 12.6f;
  const Sdf ball = Circle(cx, cy, r);
  const Sdf foot = Ellipse(9.5f, 31.2f, 5.2f, 2.8f);
  const std::vector<Col> yellow{C(112, 66, 0), C(190, 128, 0), C(236, 182, 10), C(255, 222, 60),
                                C(255, 246, 170)};
  // The foot, behind the ball.
  const Sil footSil = Silhouette(foot);
  for (int y = 0; y < S; ++y)
    for (int x = 0; x < S; ++x)
      if (footSil[y][x]) {
        const float t = Clamp01(0.75f - (y - 29.0f) * 0.16f - (x - 6.0f) * 0.03f);
        img.At(x, y) = Ramp(yellow, Band(t, 5, x, y) * 0.85f);
      }
  Outline(img, footSil, C(96, 56, 0), C(72, 40, 0));
  // The ball.
  const Sil ballSil = Silhouette(ball);
  for (int y = 0; y < S; ++y)
    for (int x = 0; x < S; ++x)
      if (ballSil[y][x]) {
        const float nx = (x + 0.5f - cx) / r, ny = (y + 0.5f - cy) / r;
        const float nz = std::sqrt(std::max(0.f, 1 - nx * nx - ny * ny));
        float l = Light(nx, ny, nz, 0.12f, 0.35f, 12.f);
        // Bounce light from the ground at the lower rim.
        l += 0.10f * Clamp01(ny) * (1 - nz);
        img.At(x, y) = Ramp(yellow, Band(l, 9, x, y));
      }
  Outline(img, ballSil, C(150, 96, 0), C(86, 48, 0));
  // The tuft: a swept lock of brown hair on the crown, three pointed wisps.
  const Col hair = C(134, 78, 26), hairLit = C(196, 132, 60), hairDark = C(76, 38, 8);
  const Sdf tuft = Union(Union(Polygon({13.f, 9.5f, 15.f, 5.f, 11.f, 1.5f, 17.5f, 4.5f, 19.f, 9.5f}),
                               Polygon({16.5f, 9.5f, 18.5f, 3.5f, 21.f, 0.5f, 21.5f, 5.f, 21.f, 9.5f})),
                         Polygon({19.5f, 9.5f, 22.5f, 4.5f, 27.5f, 3.f, 24.5f, 7.f, 23.5f, 10.f}));
  const Sil tuftSil = Silhouette(tuft);
  for (int y = 0; y < S; ++y)
    for (int x = 0; x < S; ++x)
      if (tuftSil[y][x] && !(y >= 9 && InSil(ballSil, x, y + 1) && ballSil[y][x])) img.At(x, y) = hair;
  for (int y = 0; y < S; ++y)
    for (int x = 0; x < S; ++x)
      if (tuftSil[y][x] && !ballSil[y][x]) {
        if (!InSil(tuftSil, x - 1, y) || !InSil(tuftSil, x, y - 1)) img.At(x, y) = hairLit;
        if (!InSil(tuftSil, x + 1, y) && !InSil(tuftSil, x, y - 1)) img.At(x, y) = hairLit;
        if (!InSil(tuftSil, x + 1, y) && InSil(tuftSil, x, y - 1)) img.At(x, y) = hairDark;
      }
  // Strands.
  img.Set(16, 6, hairDark);
  img.Set(16, 7, hairDark);
  img.Set(20, 5, hairDark);
  img.Set(20, 6, hairDark);
  img.Set(22, 7, hairDark);
  // The eye: a large white-grey ball looking right, with a dark pupil and a glint.
  const float ex = 21.5f, ey = 16.5f, er = 6.6f;
  const Sil eyeSil = Silhouette(Circle(ex, ey, er));
  const std::vector<Col> white{C(120, 124, 136), C(176, 180, 192), C(216, 218, 226), C(244, 244, 248),
                               C(255, 255, 255)};
  for (int y = 0; y < S; ++y)
    for (int x = 0; x < S; ++x)
      if (eyeSil[y][x]) {
        const float nx = (x + 0.5f - ex) / er, ny = (y + 0.5f - ey) / er;
        const float nz = std::sqrt(std::max(0.f, 1 - nx * nx - ny * ny));
        img.At(x, y) = Ramp(white, Band(Light(nx, ny, nz, 0.3f, 0.2f, 8.f), 5, x, y));
      }
  Outline(img, eyeSil, C(70, 50, 20), C(50, 32, 8));
  const Sil pupil = Silhouette(Circle(23.6f, 17.0f, 2.9f));
  for (int y = 0; y < S; ++y)
    for (int x = 0; x < S; ++x)
      if (pupil[y][x]) img.At(x, y) = OnEdge(pupil, x, y) ? C(40, 44, 70) : C(14, 14, 28);
  img.Set(22, 15, C(255, 255, 255));
  img.Set(23, 15, C(220, 226, 255));
  img.Set(22, 16, C(200, 206, 240));
  // A little smile under the eye.
  const Col lip = C(110, 56, 0);
  img.Set(20, 25, lip);
  img.Set(21, 26, lip);
  img.Set(22, 26, lip);
  img.Set(23, 26, lip);
  img.Set(24, 25, lip);
  return img;
}

// ------------------------------------------------------------------ Im3 / Im12: dithers

// 4 × 4 Bayer thresholds, 0..1.
float Bayer4(int x, int y) {
  static const int kB[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};
  return (static_cast<float>(kB[y & 3][x & 3]) + 0.5f) / 16.f;
}

Image Earth() {
  Image img(S, S);
  const Col brown = C(150, 94, 44), black = C(0, 0, 0);
  for (int y = 0; y < S; ++y)
    for (int x = 0; x < S; ++x) {
      // Clods: tileable noise (period 36) decides the local density of brown; the grains are
      // scattered by a fixed hash mixed with a 2 × 2 order, so the soil looks loose, not woven.
      const float n = Fbm(x + 0.5f, y + 0.5f, 9.f, 4, 3, 301);
      const float density = Clampf(0.54f + (n - 0.5f) * 0.55f, 0.3f, 0.8f);
      const float order = ((x + y) & 1) ? 0.62f : 0.38f;
      const float grain = Hash01(static_cast<std::uint32_t>(x), static_cast<std::uint32_t>(y), 303);
      img.At(x, y) = (density > 0.4f * order + 0.6f * grain) ? brown : black;
    }
  return img;
}

Image Slime() {
  Image img(S, S);
  const Col black = C(0, 0, 0), dark = C(0, 112, 24), bright = C(72, 226, 48);
  // Bubbles: small bright domes at fixed places, lit from the top left.
  struct Bubble {
    float x, y, r;
  };
  const std::array<Bubble, 7> bubbles{{{7, 8, 3.4f}, {25, 5, 2.6f}, {16, 20, 3.8f}, {31, 24, 2.8f},
                                       {6, 29, 2.4f}, {23, 31, 3.0f}, {33, 13, 2.0f}}};
  for (int y = 0; y < S; ++y)
    for (int x = 0; x < S; ++x) {
      // Ooze: fine tileable noise, period 36.
      const float n = Fbm(x + 0.5f, y + 0.5f, 6.f, 6, 3, 707);
      float v = Clampf((n - 0.5f) * 2.2f + 0.45f, 0.f, 1.f) * 0.8f;
      for (const Bubble& b : bubbles) {
        for (int wx = -1; wx <= 1; ++wx)
          for (int wy = -1; wy <= 1; ++wy) {
            const float dx = x + 0.5f - b.x - wx * S, dy = y + 0.5f - b.y - wy * S;
            const float d = std::sqrt(dx * dx + dy * dy) / b.r;
            if (d < 1.f) v = std::max(v, 0.55f + 0.6f * Clamp01(0.6f - (dx + dy) / (2 * b.r)));
            else if (d < 1.35f) v = std::min(v, 0.2f);  // a dark rim around each bubble
          }
      }
      const float t = v * 2.f + (Bayer4(x, y) - 0.5f) * 0.8f;
      img.At(x, y) = t < 0.6f ? black : (t < 1.3f ? dark : bright);
    }
  return img;
}

// ------------------------------------------------------------------ Im4: boulder

float BoulderRadius(float angle) {
  // A lumpy outline: a few fixed harmonics.
  return 12.6f + 0.9f * std::sin(3 * angle + 0.7f) + 0.6f * std::sin(5 * angle + 2.1f) +
         0.4f * std::sin(7 * angle + 4.0f);
}

struct Crater {
  float x, y, r;
};

const std::array<Crater, 5> kCraters{{{12.5f, 15.5f, 3.2f}, {21.5f, 22.5f, 3.6f}, {10.5f, 25.f, 2.2f},
                                       {21.f, 11.f, 1.8f}, {16.f, 30.f, 1.6f}}};

Image Boulder() {
  Image img(S, S, kBlack);
  const float cx = 16.5f, cy = 19.f;
  const Sdf rock = [=](float x, float y) {
    const float dx = x - cx, dy = (y - cy) * 1.08f;
    return std::sqrt(dx * dx + dy * dy) - BoulderRadius(std::atan2(dy, dx));
  };
  const Sil sil = Silhouette(rock);
  const std::vector<Col> grey{C(40, 40, 46), C(78, 78, 86), C(118, 118, 126), C(158, 158, 164),
                              C(196, 196, 200), C(232, 232, 236)};
  for (int y = 0; y < S; ++y)
    for (int x = 0; x < S; ++x) {
      if (!sil[y][x]) continue;
      const float px = x + 0.5f, py = y + 0.5f;
      const float dx = px - cx, dy = py - cy;
      const float rr = BoulderRadius(std::atan2(dy, dx)) + 0.5f;
      float nx = dx / rr, ny = dy / rr;
      float nz = std::sqrt(std::max(0.f, 1 - nx * nx - ny * ny));
      // Surface grain.
      const float grain = (Fbm(px, py, 4.f, 0, 2, 404) - 0.5f) * 0.22f;
      float l = Light(nx, ny, nz, 0.14f, 0.18f, 10.f) + grain;
      // Craters: bowls lit from the opposite side.
      for (const Crater& c : kCraters) {
        const float ux = (px - c.x) / c.r, uy = (py - c.y) / c.r;
        const float d2 = ux * ux + uy * uy;
        if (d2 < 1.f) {
          const float bz = std::sqrt(1 - d2);
          l = Light(-ux, -uy, bz, 0.1f, 0.0f, 1.f) * 0.85f;
        } else if (d2 < 1.9f) {
          // A raised rim: lit on its top-left side.
          const float rim = (1.9f - d2) / 0.9f;
          l += rim * 0.12f * (-(ux + uy) * 0.7f);
        }
      }
      img.At(x, y) = Ramp(grey, Band(l, 11, x, y));
    }
  Outline(img, sil, C(64, 64, 70), C(24, 24, 28));
  // Chips flying off to the right, with streaks behind them.
  struct Chip {
    int x, y;
    int shape;  // 0: 2 × 2, 1: 3 × 2, 2: single pixel
  };
  const std::array<Chip, 4> chips{{{31, 10, 1}, {33, 17, 0}, {30, 23, 0}, {34, 13, 2}}};
  for (const Chip& ch : chips) {
    const int w = ch.shape == 1 ? 3 : (ch.shape == 0 ? 2 : 1), h = ch.shape == 2 ? 1 : 2;
    for (int j = 0; j < h; ++j)
      for (int i = 0; i < w; ++i) {
        const Col c = (i == 0 && j == 0) ? C(226, 226, 232) : ((i + j) >= 2 ? C(96, 96, 104) : C(160, 160, 168));
        img.Set(ch.x + i, ch.y + j, c);
      }
    img.Set(ch.x - 2, ch.y, C(70, 70, 78));
    img.Set(ch.x - 3, ch.y, C(40, 40, 46));
  }
  return img;
}

// ------------------------------------------------------------------ Im7: exit house

Image House() {
  Image img(S, S, kBlack);
  const Col wall = C(236, 196, 44), wallLit = C(255, 226, 96), wallShade = C(190, 146, 20),
            wallDark = C(140, 100, 10);
  // Chimney behind the roof.
  for (int y = 3; y <= 12; ++y)
    for (int x = 24; x <= 28; ++x) {
      Col c = x == 24 ? C(190, 190, 196) : (x == 28 ? C(92, 92, 100) : C(146, 146, 154));
      if (y == 3) c = C(210, 210, 216);
      if (y == 4) c = C(70, 70, 78);
      img.Set(x, y, c);
    }
  img.Set(26, 1, C(120, 120, 128));  // a puff of smoke
  img.Set(27, 0, C(90, 90, 98));
  img.Set(25, 1, C(80, 80, 88));
  // Walls.
  for (int y = 17; y <= 33; ++y)
    for (int x = 6; x <= 29; ++x) {
      Col c = wall;
      if (x == 6) c = wallLit;
      if (x >= 27) c = wallShade;
      if (x == 29 || y == 33) c = wallDark;
      if (y == 17 || y == 18) c = wallShade;  // under the eaves
      if (y == 17) c = wallDark;
      // Horizontal siding lines.
      if (y > 18 && y < 33 && (y % 4) == 1 && x > 6 && x < 29) c = Mix(c, wallShade, 0.55f);
      img.Set(x, y, c);
    }
  // Roof: a red gable with an overhang and rows of tiles.
  const Sdf roof = Polygon({18.f, 3.f, 34.5f, 18.5f, 1.5f, 18.5f});
  const Sil roofSil = Silhouette(roof);
  for (int y = 0; y < S; ++y)
    for (int x = 0; x < S; ++x) {
      if (!roofSil[y][x]) continue;
      const bool left = x < 18;
      Col c = left ? C(220, 50, 36) : C(172, 28, 24);
      if ((y - 4) % 4 == 3) c = left ? C(160, 26, 20) : C(118, 14, 12);  // tile rows
      else if ((y - 4) % 4 == 0 && left) c = C(244, 96, 72);
      img.At(x, y) = c;
    }
  Outline(img, roofSil, C(255, 130, 100), C(90, 8, 8));
  for (int y = 4; y <= 17; ++y)
    if (InSil(roofSil, 18, y)) img.Set(18, y, C(255, 140, 110));  // ridge catches the light
  // Window: cyan panes, a white frame with a cross bar.
  for (int y = 21; y <= 28; ++y)
    for (int x = 9; x <= 16; ++x) {
      Col c = C(80, 220, 236);
      if (x == 9 || y == 21) c = C(96, 64, 16);
      else if (x == 16 || y == 28) c = C(255, 244, 200);
      else if (x == 12 || x == 13 || y == 24) c = C(250, 240, 210);
      else if (x + y < 10 + 23 || (x == 14 && y == 22)) c = C(210, 255, 255);
      else if (x == 15 || y == 27) c = C(30, 150, 176);
      img.Set(x, y, c);
    }
  // Door with a knob and a step.
  for (int y = 22; y <= 33; ++y)
    for (int x = 20; x <= 25; ++x) {
      Col c = C(140, 80, 30);
      if (x == 20 || y == 22) c = C(80, 42, 12);
      else if (x == 25) c = C(96, 52, 16);
      else if (x == 21) c = C(176, 110, 50);
      else if (x == 23 && y > 23 && y < 33) c = C(118, 64, 22);
      img.Set(x, y, c);
    }
  img.Set(24, 28, C(255, 230, 90));
  for (int x = 19; x <= 26; ++x) img.Set(x, 34, C(120, 120, 128));
  for (int x = 19; x <= 26; ++x) img.Set(x, 35, C(70, 70, 78));
  return img;
}

// ------------------------------------------------------------------ Im8 … Im11: creatures

struct Metal {
  Col dark, base, light, shine, emblem, emblemLit;
};

Image Creature(const Metal& m) {
  Image img(S, S, kBlack);
  const float cx = 18.f, cy = 18.f, r = 16.2f;
  const Sil disc = Silhouette(Circle(cx, cy, r));
  // The three-armed spiral: three comma-shaped arms (a round head near the hub and a tail that
  // sweeps outwards around it), turning clockwise.
  auto emblem = [&](float x, float y) {
    float d = 1e9f;
    for (int k = 0; k < 3; ++k) {
      const float a0 = static_cast<float>(k) * 2.0943951f - 1.5707963f;
      const float hx = cx + 5.0f * std::cos(a0), hy = cy + 5.0f * std::sin(a0);
      d = std::min(d, Circle(hx, hy, 2.9f)(x, y));
      float px = hx, py = hy;
      for (int i = 1; i <= 12; ++i) {
        const float t = static_cast<float>(i) / 12.f;
        const float rad = 5.0f + t * 6.6f;
        const float ang = a0 - t * 2.0f;
        const float qx = cx + rad * std::cos(ang), qy = cy + rad * std::sin(ang);
        d = std::min(d, Capsule(px, py, qx, qy, 2.3f * (1 - t) + 0.55f)(x, y));
        px = qx;
        py = qy;
      }
    }
    return d;
  };
  const Sil mark = Silhouette(emblem);
  const std::vector<Col> ramp{m.dark, m.base, m.light, m.shine};
  for (int y = 0; y < S; ++y)
    for (int x = 0; x < S; ++x) {
      if (!disc[y][x]) continue;
      const float dx = (x + 0.5f - cx) / r, dy = (y + 0.5f - cy) / r;
      const float d = std::sqrt(dx * dx + dy * dy);
      float l;
      if (d > 0.80f) {
        // A bevelled rim: a torus lit from the top left.
        const float k = (d - 0.9f) / 0.1f;  // -1 .. 1 across the rim
        const float nx = dx / d * k, ny = dy / d * k;
        const float nz = std::sqrt(std::max(0.f, 1 - nx * nx - ny * ny));
        l = Light(nx * 0.9f, ny * 0.9f, nz, 0.15f, 0.5f, 10.f);
      } else {
        // The face: a shallow dome.
        const float nx = dx * 0.55f, ny = dy * 0.55f;
        const float nz = std::sqrt(std::max(0.f, 1 - nx * nx - ny * ny));
        l = Light(nx, ny, nz, 0.2f, 0.25f, 16.f) * 0.82f;
      }
      img.At(x, y) = Ramp(ramp, Band(l, 10, x, y));
    }
  // A groove between rim and face.
  for (int y = 0; y < S; ++y)
    for (int x = 0; x < S; ++x) {
      const float d = std::hypot(x + 0.5f - cx, y + 0.5f - cy) / r;
      if (disc[y][x] && d > 0.77f && d <= 0.84f) {
        const bool lit = (x + 0.5f - cx) + (y + 0.5f - cy) > 0;  // the groove's far wall is lit
        img.At(x, y) = lit ? Mix(m.base, m.light, 0.5f) : m.dark;
      }
    }
  // The emblem, engraved: its upper-left inner edge in shadow, its lower-right edge lit.
  for (int y = 0; y < S; ++y)
    for (int x = 0; x < S; ++x) {
      if (!mark[y][x]) continue;
      Col c = m.emblem;
      if (!InSil(mark, x - 1, y - 1) || !InSil(mark, x, y - 1)) c = Mix(m.emblem, m.dark, 0.7f);
      else if (!InSil(mark, x + 1, y + 1) || !InSil(mark, x + 1, y)) c = m.emblemLit;
      img.At(x, y) = c;
    }
  Outline(img, disc, Mix(m.dark, m.base, 0.5f), Mix(m.dark, C(0, 0, 0), 0.4f));
  return img;
}

const std::array<Metal, 4> kMetals{{
    // copper disc, brown emblem
    {C(86, 36, 12), C(190, 100, 48), C(236, 156, 96), C(255, 220, 180), C(112, 54, 20), C(158, 84, 36)},
    // steel grey-blue
    {C(40, 50, 74), C(112, 132, 164), C(176, 196, 222), C(236, 244, 255), C(56, 70, 104), C(140, 160, 196)},
    // gold
    {C(116, 80, 0), C(222, 176, 28), C(255, 226, 100), C(255, 250, 210), C(150, 100, 0), C(255, 214, 70)},
    // green
    {C(14, 66, 18), C(56, 168, 56), C(130, 224, 110), C(220, 255, 200), C(18, 94, 26), C(90, 200, 80)},
}};

}  // namespace

Image PaintTile(int code) {
  switch (code) {
    case 0: return BrickWall();
    case 1: return Gem();
    case 2: return Player();
    case 3: return Earth();
    case 4: return Boulder();
    case 5: return Image(S, S, kBlack);
    case 6: return DarkBrickWall();
    case 7: return House();
    case 8: case 9: case 10: case 11: return Creature(kMetals[static_cast<std::size_t>(code - 8)]);
    case 12: return Slime();
    case 13: return DarkBrickWall();
    default: return PaintUnknownTile();
  }
}

Image PaintUnknownTile() {
  Image img(S, S);
  const Col magenta = C(255, 0, 255), black = C(0, 0, 0);
  // Warning stripes around the edge, a black plate in the middle with a magenta "?".
  for (int y = 0; y < S; ++y)
    for (int x = 0; x < S; ++x) img.At(x, y) = (((x + y) / 4) % 2) ? black : magenta;
  img.FillRect(5, 5, 31, 31, black);
  for (int i = 5; i < 31; ++i) {
    img.Set(i, 5, magenta);
    img.Set(i, 30, magenta);
    img.Set(5, i, magenta);
    img.Set(30, i, magenta);
  }
  const TextMask q = RenderText(fonts::DejaVuSansBold, 22, "?");
  const int ox = (S - q.mask.w) / 2, oy = (S - q.mask.h) / 2;
  for (int y = 0; y < q.mask.h; ++y)
    for (int x = 0; x < q.mask.w; ++x)
      if (q.mask.At(x, y) >= 0.5f) img.Set(ox + x, oy + y, magenta);
  return img;
}

}  // namespace art
