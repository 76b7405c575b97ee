// ImScore: the board of honour, 800 × 600. A bevelled golden-brown board; the title in light
// grey and the line under it in dark letters; the band y 135 … 484 (where the game draws the
// table lines from x 50) is left as plain board colour.
#include <algorithm>
#include <cmath>

#include "tools/art/catalogue.h"

namespace art {
namespace {

constexpr int W = 800, H = 600;
constexpr int kBevel = 14;

// Distance (in pixels) of (x, y) from the nearest picture edge, and whether that edge is top/left.
int EdgeDistance(int x, int y, bool& topLeft) {
  const int dl = x, dt = y, dr = W - 1 - x, db = H - 1 - y;
  const int d = std::min(std::min(dl, dr), std::min(dt, db));
  // Mitred corners: the upper-left half of the frame faces the light.
  topLeft = (d == dl || d == dt) && !((d == dr && dr < dt) || (d == db && db < dl));
  if (d == dl && d == db) topLeft = dl < db;
  if (d == dr && d == dt) topLeft = dt <= dr;
  return d;
}

// A groove (engraved line) along a rectangle's outline.
void GrooveRect(Image& img, int x0, int y0, int x1, int y1, Col dark, Col light) {
  for (int x = x0; x <= x1; ++x) {
    img.Set(x, y0, dark);
    img.Set(x, y1, dark);
    img.Set(x, y0 + 1, light);
    img.Set(x, y1 + 1, light);
  }
  for (int y = y0; y <= y1; ++y) {
    img.Set(x0, y, dark);
    img.Set(x1, y, dark);
    img.Set(x0 + 1, y, light);
    img.Set(x1 + 1, y, light);
  }
  img.Set(x0 + 1, y0, dark);
  img.Set(x1 + 1, y1 + 1, light);
}

// A raised round boss (a rivet head) at (cx, cy).
void Boss(Image& img, float cx, float cy, float r) {
  for (int y = static_cast<int>(cy - r - 2); y <= static_cast<int>(cy + r + 2); ++y)
    for (int x = static_cast<int>(cx - r - 2); x <= static_cast<int>(cx + r + 2); ++x) {
      const float dx = (x + 0.5f - cx) / r, dy = (y + 0.5f - cy) / r;
      const float d = std::sqrt(dx * dx + dy * dy);
      // Shadow on the board to the lower right.
      const float sd = std::hypot(x + 0.5f - cx - 1.5f, y + 0.5f - cy - 1.5f) / r;
      if (d > 1.f && sd < 1.05f) img.Blend(x, y, C(70, 44, 0), 0.6f * Clamp01((1.05f - sd) * 8));
      if (d >= 1.f + 0.5f / r) continue;
      const float nz = std::sqrt(std::max(0.f, 1 - d * d));
      const float l = Clamp01(0.25f + 0.75f * std::max(0.f, -0.55f * dx - 0.6f * dy + 0.58f * nz));
      const float shine = std::pow(Clamp01(-0.4f * dx - 0.45f * dy + 0.8f * nz), 20.f);
      Col c = Ramp({C(92, 58, 0), C(170, 118, 10), C(232, 190, 70), C(255, 236, 160)}, l);
      c = Mix(c, C(255, 250, 220), shine * 0.8f);
      img.Blend(x, y, c, Clamp01((1.f - d) * r + 0.5f));
    }
}

}  // namespace

Image PaintScore() {
  Image img(W, H, kScoreBase);

  // The raised frame: a bevel around the edge, a dark rim outside, light and shade from the top
  // left, mitred corners.
  for (int y = 0; y < H; ++y)
    for (int x = 0; x < W; ++x) {
      bool topLeft;
      const int d = EdgeDistance(x, y, topLeft);
      if (d >= kBevel) continue;
      Col c;
      if (d == 0) {
        c = C(58, 34, 0);
      } else if (d < kBevel - 3) {
        const float t = static_cast<float>(d - 1) / static_cast<float>(kBevel - 4);
        c = topLeft ? Mix(C(236, 192, 86), C(196, 146, 40), t) : Mix(C(92, 56, 0), C(124, 80, 0), t);
      } else {
        // The bevel's foot, sinking back to the board.
        c = topLeft ? C(120, 78, 0) : C(196, 150, 52);
      }
      img.At(x, y) = c;
    }
  // An engraved line just inside the frame.
  GrooveRect(img, 22, 22, W - 24, H - 24, C(104, 66, 0), C(196, 146, 44));
  // Rivets in the corners.
  for (const float cx : {36.f, W - 36.f})
    for (const float cy : {36.f, H - 36.f}) Boss(img, cx, cy, 6.f);

  // Title: light grey letters with a dark edge and a cast shadow, as if raised from the board.
  {
    const int bx = 176, by = 44, bw = 621 - 176 + 1, bh = 76 - 44 + 1;
    const Mask text = TextInBox(fonts::DejaVuSerifBold, "Доска почета", bw, bh, 3, 60, 0.24f, 4);
    const Mask outline = Dilate(text, 1.3f);
    const Mask shadow = Blur(outline.Shifted(2, 2), 1);
    Paint(img, shadow, bx, by, C(66, 40, 0), 0.75f);
    Paint(img, outline, bx, by, C(62, 38, 6));
    Paint(img, text, bx, by, [by](int, int y) {
      return Ramp({C(250, 250, 252), C(222, 222, 228), C(184, 186, 196), C(150, 152, 164)},
                  static_cast<float>(y - by - 4) / 26.f);
    });
    // A bright rim on the upper-left edges of the strokes.
    Paint(img, Minus(text, text.Shifted(1, 1)), bx, by, C(255, 255, 255), 0.7f);
  }
  // Beneath it, dark letters engraved in the board.
  {
    const int bx = 220, by = 101, bw = 579 - 220 + 1, bh = 120 - 101 + 1;
    const Mask text = TextInBox(fonts::LiberationSerifBold, "Здесь вешают лучших", bw, bh, 1, 40, 0.1f, 4);
    Paint(img, text.Shifted(1, 1), bx, by, C(214, 170, 70), 0.9f);
    Paint(img, text, bx, by, C(58, 32, 0));
  }
  // Engraved rules closing the heading and the foot, with a diamond at each end.
  auto rule = [&img](int y, int x0, int x1) {
    for (int x = x0; x <= x1; ++x) {
      img.Set(x, y, C(104, 66, 0));
      img.Set(x, y + 1, C(198, 150, 48));
    }
    for (const int cx : {x0 - 7, x1 + 7}) {
      const Sdf diamond = Polygon({static_cast<float>(cx), y - 4.5f, cx + 5.f, y + 0.5f,
                                   static_cast<float>(cx), y + 5.5f, cx - 5.f, y + 0.5f});
      const Mask m = ShapeMask(12, 12, [&](float px, float py) { return diamond(px + cx - 6, py + y - 5); });
      Paint(img, m, cx - 6, y - 5, C(200, 150, 40));
      Emboss(img, m, cx - 6, y - 5, C(250, 214, 120), C(96, 60, 0));
    }
  };
  rule(127, 90, W - 91);
  rule(491, 90, W - 91);
  // The foot: a row of small rivets.
  for (int i = 0; i < 9; ++i) Boss(img, 160.f + 60.f * static_cast<float>(i), 540.f, 4.f);
  return img;
}

}  // namespace art
