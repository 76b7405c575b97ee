// ImMenu: the main menu, 800 × 600. A torn parchment sheet on a dark ground, a diagonal brown
// band, the golden title, the framed preview window and the six blue pills on their panel.
// Positions the game relies on are the constants below.
#include <algorithm>
#include <array>
#include <cmath>
#include <string>

#include "tools/art/catalogue.h"

namespace art {
namespace {

constexpr int W = 800, H = 600;

// The six pills: x 525 … 675, 30 rows each from these tops.
constexpr int kPillLeft = 525, kPillWidth = 151, kPillHeight = 30;
constexpr std::array<int, 6> kPillTops{194, 235, 278, 322, 368, 429};
const std::array<const char*, 6> kPillWords{"Return", "New", "Restart", "Custom", "Load", "Exit"};

// The panel behind the pills (its inside is exactly kMenuPanel around the pills).
constexpr int kPanelX0 = 498, kPanelY0 = 168, kPanelX1 = 703, kPanelY1 = 486;

// The preview window: outer edge and opening.
constexpr int kFrameX0 = 126, kFrameY0 = 216, kFrameX1 = 415, kFrameY1 = 435;
constexpr int kOpenX0 = 130, kOpenY0 = 220, kOpenX1 = 409, kOpenY1 = 429;

// The title box.
constexpr int kTitleX0 = 224, kTitleY0 = 30, kTitleX1 = 717, kTitleY1 = 127;

// A hash input from a coordinate that may be negative (the shadow reaches left of and above
// the sheet): truncated to a whole number first, which then wraps as whole numbers do.
std::uint32_t Wrapped(float v) { return static_cast<std::uint32_t>(static_cast<std::int64_t>(v)); }

// How far inside the torn edge of the sheet lies at (x, y) (negative: outside the sheet). The
// sheet is a rectangle with rounded corners whose edge is bitten away by noise; `fibres` adds the
// pixel-fine raggedness of torn paper.
float SheetDepth(float x, float y, bool fibres = true) {
  const float edge = -RoundBox(0.f, 0.f, static_cast<float>(W), static_cast<float>(H), 26.f)(x, y);
  const float bite = Fbm(x, y, 38.f, 0, 3, 51) * 16.f;
  float d = edge - 9.f - bite;
  if (fibres) {
    d -= (Hash01(Wrapped(x), Wrapped(y), 53) - 0.5f) * 1.4f;
  }
  return d;
}

Col Parchment(int x, int y) {
  const float n = Fbm(static_cast<float>(x), static_cast<float>(y), 90.f, 0, 5, 61);
  const float m = Fbm(static_cast<float>(x), static_cast<float>(y), 14.f, 0, 2, 67);
  Col c = Mix(C(214, 190, 140), C(244, 230, 192), Smooth(0.25f, 0.75f, n));
  c = c * (0.96f + 0.08f * m);
  // Age spots.
  const float spot = Fbm(static_cast<float>(x), static_cast<float>(y), 40.f, 0, 3, 71);
  if (spot > 0.68f) c = Mix(c, C(190, 150, 96), Smooth(0.68f, 0.8f, spot) * 0.35f);
  return c;
}

// Signed distance to the diagonal band's centre line, in pixels (band from lower left to upper
// right), and the position along it.
float BandDistance(float x, float y, float& along) {
  const float ax = 0.f, ay = 520.f, bx = 800.f, by = 150.f;
  const float dx = bx - ax, dy = by - ay, len = std::hypot(dx, dy);
  along = ((x - ax) * dx + (y - ay) * dy) / len;
  return ((x - ax) * dy - (y - ay) * dx) / len;
}

void PaintPill(Image& img, int top, const std::string& word) {
  const float x0 = kPillLeft, x1 = kPillLeft + kPillWidth;
  const float y0 = static_cast<float>(top), y1 = static_cast<float>(top + kPillHeight);
  const float r = kPillHeight / 2.f;
  const Sdf pill = RoundBox(x0, y0, x1, y1, r);
  // A shadow under the pill, inside the panel.
  const Mask shadow = Blur(ShapeMask(W, H, [&](float x, float y) { return pill(x - 2, y - 2); }), 1);
  Paint(img, shadow, 0, 0, C(12, 16, 34), 0.7f);
  // The glossy body.
  const Mask body = ShapeMask(W, H, pill);
  Paint(img, body, 0, 0, [&](int x, int y) {
    const float t = (y + 0.5f - y0) / kPillHeight;
    Col c = Ramp({C(150, 200, 255), C(84, 146, 240), C(40, 92, 206), C(28, 66, 170), C(60, 120, 226)}, t);
    // A little lighter towards the left end (the light comes from there).
    c = c * (1.04f - 0.06f * (x - x0) / kPillWidth);
    return c;
  });
  // Gloss: a soft band over the upper half.
  const Sdf gloss = RoundBox(x0 + 6, y0 + 2.5f, x1 - 6, y0 + 13.f, 6.f);
  Paint(img, ShapeMask(W, H, gloss, 1.5f), 0, 0, [&](int, int y) {
    return Mix(C(255, 255, 255), C(180, 214, 255), (y - y0 - 2) / 11.f);
  }, 0.45f);
  // Rim: dark outline, lit top-left arc.
  const Mask rim = ShapeMask(W, H, Ring(pill, 0.6f));
  Paint(img, Minus(rim, Minus(body, body)), 0, 0, C(12, 28, 84), 0.9f);
  // The word: red, with a thin light rim and a dark shadow, so it reads on the blue.
  const TextMask t = RenderText(fonts::LiberationSansBold, 19, word, 4);
  const int tx = kPillLeft + (kPillWidth - t.mask.w) / 2;
  const int baseline = top + 21;
  const int ty = baseline - t.baseline;
  const Mask padded = t.mask.Crop(-3, -3, t.mask.w + 6, t.mask.h + 6);
  const Mask halo = Dilate(padded, 1.2f);
  Paint(img, Blur(halo.Shifted(1, 1), 1), tx - 3, ty - 3, C(10, 20, 60), 0.6f);
  Paint(img, halo, tx - 3, ty - 3, C(255, 236, 214), 0.95f);
  Paint(img, padded, tx - 3, ty - 3, [ty](int, int y) {
    return Mix(C(236, 28, 20), C(170, 0, 0), Clamp01(static_cast<float>(y - ty) / 14.f));
  });
}

// Draws a 36 × 36 cell picture `k` times larger (nearest pixel), black kept as see-through; a
// see-through piece casts a soft shadow to the lower right.
void PasteCellScaled(Image& img, const Image& cell, int x, int y, int k, bool keyBlack) {
  if (keyBlack) {
    Mask shape(cell.w * k + 16, cell.h * k + 16);
    for (int j = 0; j < cell.h * k; ++j)
      for (int i = 0; i < cell.w * k; ++i)
        if (ToRgb(cell.At(i / k, j / k)) != 0) shape.Ref(i + 8, j + 8) = 1;
    Paint(img, Blur(shape, 2), x - 8 + k + 2, y - 8 + k + 2, C(60, 36, 10), 0.45f);
  }
  for (int j = 0; j < cell.h * k; ++j)
    for (int i = 0; i < cell.w * k; ++i) {
      const Col c = cell.At(i / k, j / k);
      if (keyBlack && ToRgb(c) == 0) continue;
      img.Set(x + i, y + j, c);
    }
}

}  // namespace

Image PaintMenu() {
  Image img(W, H);
  // The dark ground under the sheet.
  for (int y = 0; y < H; ++y)
    for (int x = 0; x < W; ++x) {
      const float n = Fbm(static_cast<float>(x), static_cast<float>(y), 60.f, 0, 3, 41);
      img.At(x, y) = Mix(C(14, 12, 20), C(34, 28, 40), n);
    }
  // The parchment sheet with a torn edge, its shadow, a light fibrous rim and a darker, aged
  // margin inside the edge.
  Mask sheet(W, H), shadow(W, H);
  for (int y = 0; y < H; ++y)
    for (int x = 0; x < W; ++x) {
      sheet.Ref(x, y) = Clamp01(SheetDepth(x + 0.5f, y + 0.5f) + 0.5f);
      shadow.Ref(x, y) = Clamp01(SheetDepth(x - 3.5f, y - 3.5f) + 0.5f);
    }
  Paint(img, Blur(shadow, 3), 0, 0, C(0, 0, 0), 0.7f);
  Paint(img, sheet, 0, 0, [](int x, int y) {
    const float d = SheetDepth(x + 0.5f, y + 0.5f);
    Col c = Parchment(x, y);
    if (d < 2.2f) return Mix(C(250, 244, 226), c, Clamp01(d / 2.2f));  // torn fibres
    // Aged, slightly burnt margin.
    c = Mix(C(150, 108, 58), c, Smooth(2.f, 26.f, SheetDepth(x + 0.5f, y + 0.5f, false)));
    return c;
  });

  // The diagonal brown band, with ragged edges and a fold shadow.
  for (int y = 0; y < H; ++y)
    for (int x = 0; x < W; ++x) {
      if (sheet.At(x, y) <= 0) continue;
      float along;
      const float d = BandDistance(x + 0.5f, y + 0.5f, along);
      const float halfWidth = 64.f + (Fbm(along, 3.f, 30.f, 0, 3, 81) - 0.5f) * 10.f;
      const float edgeNoise = (Hash01(Wrapped(along * 2), d > 0 ? 1u : 2u, 83) - 0.5f) * 1.2f;
      const float inside = halfWidth + edgeNoise - std::fabs(d);
      if (inside < -3.f) {
        continue;
      }
      if (inside < 0.f) {
        // A soft shadow of the band on the parchment.
        img.Blend(x, y, C(90, 60, 30), 0.25f * (1 + inside / 3.f));
        continue;
      }
      const float grain = Fbm(along * 0.25f, d * 3.f, 6.f, 0, 3, 87);
      Col c = Mix(C(112, 66, 30), C(150, 94, 48), grain);
      c = c * (0.86f + 0.14f * Smooth(0.f, 60.f, halfWidth - std::fabs(d - 18.f)));
      c = Mix(C(72, 40, 16), c, Clamp01(inside / 3.f));  // a darker edge
      img.Blend(x, y, c, Clamp01(inside + 0.5f) * sheet.At(x, y));
    }
  // Two thin bronze lines along the band.
  for (int y = 0; y < H; ++y)
    for (int x = 0; x < W; ++x) {
      if (sheet.At(x, y) <= 0) continue;
      float along;
      const float d = BandDistance(x + 0.5f, y + 0.5f, along);
      for (const float off : {-48.f, 48.f}) {
        const float k = Clamp01(1.2f - std::fabs(d - off));
        if (k > 0) img.Blend(x, y, C(186, 136, 70), k * 0.8f * sheet.At(x, y));
      }
    }

  // The preview window: a grey frame (4 pixels on the top and left, 6 on the bottom and right,
  // where its shade falls) around a black opening.
  {
    // Drop shadow on the sheet.
    Mask sh(W, H);
    for (int y = kFrameY0 + 5; y <= kFrameY1 + 5; ++y)
      for (int x = kFrameX0 + 5; x <= kFrameX1 + 5; ++x) sh.Ref(x, y) = 1;
    Paint(img, Blur(sh, 3), 0, 0, C(30, 20, 10), 0.55f);
    for (int y = kFrameY0; y <= kFrameY1; ++y)
      for (int x = kFrameX0; x <= kFrameX1; ++x) {
        if (x >= kOpenX0 && x <= kOpenX1 && y >= kOpenY0 && y <= kOpenY1) {
          img.At(x, y) = C(0, 0, 0);
          continue;
        }
        const int dl = x - kFrameX0, dt = y - kFrameY0, dr = kFrameX1 - x, db = kFrameY1 - y;
        const bool outerRim = dl == 0 || dt == 0 || dr == 0 || db == 0;
        const bool aroundOpening = x >= kOpenX0 - 1 && x <= kOpenX1 + 1 && y >= kOpenY0 - 1 && y <= kOpenY1 + 1;
        const bool innerRim = aroundOpening && (x == kOpenX0 - 1 || y == kOpenY0 - 1 || x == kOpenX1 + 1 || y == kOpenY1 + 1);
        const bool lit = (dt < 4 && dt <= dr) || (dl < 4 && dl <= db);
        Col c = lit ? C(206, 208, 214) : C(118, 120, 128);
        if (!lit && (dr < 6 || db < 6)) c = Mix(C(150, 152, 160), C(96, 98, 106), Clamp01(std::min(dr, db) / 5.f));
        if (outerRim) c = lit ? C(232, 234, 240) : C(62, 62, 70);
        if (innerRim) c = lit ? C(84, 86, 94) : C(226, 228, 234);
        img.At(x, y) = c;
      }
  }

  // The panel behind the pills: a dark blue slab in a brass frame.
  {
    const Sdf slab = RoundBox(kPanelX0, kPanelY0, kPanelX1 + 1, kPanelY1 + 1, 14.f);
    const Mask shadowMask = Blur(ShapeMask(W, H, [&](float x, float y) { return slab(x - 5, y - 6); }), 4);
    Paint(img, shadowMask, 0, 0, C(20, 12, 6), 0.65f);
    const Mask m = ShapeMask(W, H, slab);
    Paint(img, m, 0, 0, C(184, 140, 60));  // brass rim
    const Sdf inner = RoundBox(kPanelX0 + 5, kPanelY0 + 5, kPanelX1 - 4, kPanelY1 - 4, 10.f);
    const Mask rimMask = Minus(m, ShapeMask(W, H, inner));
    Emboss(img, rimMask, 0, 0, C(255, 226, 140), C(100, 66, 16), 0.9f);
    Paint(img, Minus(m, ShapeMask(W, H, RoundBox(kPanelX0 + 1, kPanelY0 + 1, kPanelX1, kPanelY1, 13.f))),
          0, 0, C(80, 52, 10));
    Paint(img, ShapeMask(W, H, inner), 0, 0, kMenuPanel);
    // The slab's edge is sunk: a shadow line along its top and left inside the rim.
    Paint(img, Minus(ShapeMask(W, H, inner), ShapeMask(W, H, [&](float x, float y) { return inner(x - 2, y - 2); })),
          0, 0, C(20, 26, 48), 0.8f);
    // Rivets in the rim's corners.
    for (const float cx : {kPanelX0 + 9.f, kPanelX1 - 8.f})
      for (const float cy : {kPanelY0 + 9.f, kPanelY1 - 8.f}) {
        const Mask rv = ShapeMask(W, H, Circle(cx, cy, 2.6f));
        Paint(img, rv, 0, 0, C(214, 176, 96));
        Emboss(img, rv, 0, 0, C(255, 240, 190), C(90, 60, 10));
      }
  }
  for (std::size_t i = 0; i < kPillTops.size(); ++i) PaintPill(img, kPillTops[i], kPillWords[i]);

  // The title: big golden letters with a dark edge and a cast shadow.
  {
    const int bw = kTitleX1 - kTitleX0 + 1, bh = kTitleY1 - kTitleY0 + 1;
    const Mask text = TextInBox(fonts::DejaVuSerifBold, "Quillmere", bw, bh, 6, 140, 0.02f, 4);
    const Mask edge = Dilate(text, 2.4f);
    const Mask shadowMask = Blur(edge.Shifted(4, 4), 2);
    Paint(img, shadowMask, kTitleX0, kTitleY0, C(30, 16, 0), 0.7f);
    Paint(img, edge, kTitleX0, kTitleY0, C(70, 34, 0));
    int x0, y0, x1, y1;
    text.Bounds(x0, y0, x1, y1, 0.3f);
    const float top = static_cast<float>(kTitleY0 + y0), height = static_cast<float>(y1 - y0 + 1);
    Paint(img, text, kTitleX0, kTitleY0, [top, height](int x, int y) {
      const float t = (static_cast<float>(y) - top) / height;
      // Metallic: bright top, a dark horizon just under the middle, warm lower half.
      Col c = Ramp({C(255, 248, 190), C(255, 222, 96), C(236, 176, 36), C(150, 90, 6), C(214, 150, 30),
                    C(255, 210, 80), C(196, 126, 10)},
                   t);
      c = c * (0.97f + 0.03f * std::sin(static_cast<float>(x) * 0.05f));
      return c;
    });
    // An inner bevel: light on the upper-left inside edges, shade on the lower right.
    const Mask inner = Erode(text, 1.5f);
    Paint(img, Minus(text, inner.Shifted(1, 1)), kTitleX0, kTitleY0, C(255, 250, 214), 0.55f);
    Paint(img, Minus(text, inner.Shifted(-1, -1)), kTitleX0, kTitleY0, C(120, 64, 0), 0.45f);
  }

  // The hero of the game at the top left, a gem at the lower right, and a frieze of the board's
  // pieces under the preview window.
  PasteCellScaled(img, PaintTile(2), 50, 34, 4, true);
  PasteCellScaled(img, PaintTile(1), 704, 494, 2, true);
  {
    const int y = 470;
    const std::array<int, 6> cells{4, 1, 8, 12, 10, 7};
    for (std::size_t i = 0; i < cells.size(); ++i) {
      const int x = 134 + static_cast<int>(i) * 48;
      // A dark recess under each piece.
      const Mask well = ShapeMask(W, H, RoundBox(x - 3.f, y - 3.f, x + 39.f, y + 39.f, 4.f));
      Paint(img, well, 0, 0, C(24, 16, 10), 0.9f);
      Engrave(img, well, 0, 0, C(255, 240, 200), C(70, 44, 20), 0.8f);
      PasteCellScaled(img, PaintTile(cells[i]), x, y, 1, false);
    }
  }
  return img;
}

}  // namespace art
