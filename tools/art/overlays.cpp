// The selection frames: ImSelect over the menu's pills, ImSelectIt/Ct/SP over the shop panel.
// White is see-through; no painted pixel is pure white.
#include <algorithm>
#include <cmath>

#include "tools/art/catalogue.h"
#include "view/elements.h"

namespace art {
namespace {

// Pure white is the see-through key: a painted pixel must never come out as white.
Col NotWhite(Col c) {
  if (ToRgb(c) == 0xFFFFFF) return C(255, 255, 254);
  return c;
}

}  // namespace

Image PaintMenuSelect() {
  constexpr int W = CatalogueEntryOf(Element::ImSelect).width;
  constexpr int H = CatalogueEntryOf(Element::ImSelect).height;
  // A rounded pill outline 2.1 pixels wide, its outer edge on the picture's edge. Anti-aliased
  // against the colour of the menu panel that it lies on, so it has no light fringe there.
  const Sdf outer = RoundBox(0.f, 0.f, static_cast<float>(W), static_cast<float>(H), 20.5f);
  const float width = 2.1f;
  Image img(W, H, kWhite);
  for (int y = 0; y < H; ++y)
    for (int x = 0; x < W; ++x) {
      const float d = outer(x + 0.5f, y + 0.5f);  // <= 0 inside the outer edge
      const float cover = Clamp01(0.5f - d) * Clamp01(0.5f + d + width);
      if (cover < 0.3f) continue;  // no faint pixels: they would crowd the pill
      // Red at the left end fading to pink at the right; the outermost pixels a little deeper.
      const float t = Smooth(0.f, 1.f, static_cast<float>(x) / (W - 1));
      Col c = Ramp({C(206, 0, 8), C(232, 24, 40), C(255, 110, 150), C(255, 168, 198)}, t);
      const float depth = Clamp01(-d / width);  // 0 at the outer edge, 1 at the inner edge
      c = Mix(c * 0.78f, c, Smooth(0.f, 0.55f, depth));
      // Top left catches the light.
      if (y < H / 2 && depth > 0.3f) c = Mix(c, C(255, 220, 220), 0.18f * (1 - t));
      img.At(x, y) = NotWhite(Mix(kMenuPanel, c, Clamp01(cover)));
    }
  return img;
}

Image PaintShopFrame(int width, int height) {
  // A square frame with bevelled (cut) corners, three pixels wide: a lit outer bevel, a red
  // body and a dark inner bevel (raised frame, light from the top left). Hard pixel edges.
  Image img(width, height, kWhite);
  constexpr int kCut = 5;  // the corner cut, in pixels along each edge
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      const int dl = x, dt = y, dr = width - 1 - x, db = height - 1 - y;
      // Distance to the outer boundary in rings, the corners cut at 45 degrees.
      int ring = std::min(std::min(dl, dr), std::min(dt, db));
      const int corner = std::min(dl, dr) + std::min(dt, db) - kCut;
      if (corner < 0) continue;  // outside the cut corner
      ring = std::min(ring, corner);
      if (ring > 2) continue;  // inside: see-through
      // Which side faces the light: the top and left edges and the two upper cuts.
      bool topOrLeft;
      if (corner == ring && corner < std::min(std::min(dl, dr), std::min(dt, db))) {
        topOrLeft = dt < db;
      } else {
        topOrLeft = dt == ring || dl == ring;
        if ((db == ring && dt != ring) || (dr == ring && dt != ring)) topOrLeft = false;
      }
      Col c;
      switch (ring) {
        case 0: c = topOrLeft ? C(255, 104, 84) : C(128, 0, 0); break;
        case 1: c = topOrLeft ? C(230, 36, 30) : C(178, 10, 10); break;
        default: c = topOrLeft ? C(110, 0, 0) : C(240, 70, 56); break;
      }
      img.At(x, y) = c;
    }
  return img;
}

}  // namespace art
