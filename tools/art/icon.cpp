// The program's icon: a faceted ruby on a tile of earth with rounded corners, painted from shapes
// at each size it is shown at, so that no size is a blurred copy of another.
#include <vector>

#include "tools/art/catalogue.h"

namespace art {
namespace {

// The design is drawn on a 256 × 256 grid and scaled to the size painted.
constexpr float kGrid = 256.f;

struct Facet {
  std::vector<float> corners;  // x0, y0, x1, y1, … on the grid
  Col colour;
};

// The gem: the table and the crown above the girdle, the pavilion below it, lit from the top left.
const std::vector<Facet>& GemFacets() {
  static const std::vector<Facet> facets{
      {{58, 104, 198, 104, 230, 136, 128, 228, 26, 136}, C(120, 8, 24)},    // the whole stone
      {{26, 136, 230, 136, 128, 228}, C(150, 14, 34)},                       // pavilion
      {{26, 136, 92, 136, 128, 228}, C(214, 44, 62)},                        // pavilion, lit left
      {{92, 136, 164, 136, 128, 228}, C(178, 22, 44)},                       // pavilion, middle
      {{58, 104, 90, 104, 80, 136, 26, 136}, C(236, 84, 98)},                // crown, left
      {{166, 104, 198, 104, 230, 136, 176, 136}, C(160, 18, 38)},            // crown, right
      {{90, 104, 166, 104, 176, 136, 80, 136}, C(250, 120, 130)},            // table
  };
  return facets;
}

}  // namespace

Icon PaintIcon(int size) {
  const float k = static_cast<float>(size) / kGrid;
  Icon icon{Image(size, size), Mask(size, size)};
  // The tile: earth, darker towards the bottom, with a dark rim.
  const Sdf tile = RoundBox(10 * k, 10 * k, 246 * k, 246 * k, 44 * k);
  icon.opacity = ShapeMask(size, size, tile);
  Paint(icon.picture, icon.opacity, 0, 0, [&](int x, int y) {
    const float grain = Fbm(x / k, y / k, 24, 0, 3, 7);
    return Mix(C(150, 98, 52), C(88, 54, 28), static_cast<float>(y) / size * 0.7f + grain * 0.3f);
  });
  const Mask rim = ShapeMask(size, size, Ring(tile, 5 * k));
  Paint(icon.picture, rim, 0, 0, C(52, 30, 14));
  // The stone, outlined in near black, facet by facet.
  const auto scaled = [&](const std::vector<float>& corners) {
    std::vector<float> out;
    for (const float v : corners) out.push_back(v * k);
    return out;
  };
  const Mask outline = Dilate(ShapeMask(size, size, Polygon(scaled(GemFacets()[0].corners))), 7 * k);
  Paint(icon.picture, outline, 0, 0, C(36, 6, 10));
  for (const Facet& facet : GemFacets()) {
    Paint(icon.picture, ShapeMask(size, size, Polygon(scaled(facet.corners))), 0, 0, facet.colour);
  }
  // A glint on the table.
  Paint(icon.picture, ShapeMask(size, size, Circle(112 * k, 116 * k, 9 * k)), 0, 0,
        C(255, 236, 236), 0.9f);
  return icon;
}

}  // namespace art
