// ImMenuShop: the shop panel, 220 × 320. A green panel with yellow trim holding four item rows
// (icon, name, price) and two buttons; below it dark brown ground with a heap of gems at the
// left, where the money counter's digits are drawn by the game.
#include <algorithm>
#include <array>
#include <cmath>
#include <string>

#include "game/shop_prices.h"
#include "menu/frames.h"
#include "tools/art/catalogue.h"
#include "tools/art/price_box.h"

namespace art {
namespace {

constexpr int W = 220, H = 320;
constexpr int kPanelBottom = 259;  // last row of the panel

// Item rows and buttons lie under the game's selection frames (kShopIconFrames, …); boxes lie
// 3 pixels inside them.
const std::array<const char*, 4> kLabels{"Gem", "Rock", "Ground", "Anti-Rock"};

constexpr Col kGreen = C(40, 128, 52);
constexpr Col kGreenDark = C(20, 80, 30);
constexpr Col kYellow = C(250, 214, 58);
constexpr Col kYellowDark = C(196, 150, 20);

// A 34 × 34 icon: the central 32 × 32 of a cell picture in a dark box.
Image IconBox(const Image& cell) {
  Image box(34, 34, C(24, 40, 20));
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) box.At(x + 1, y + 1) = cell.At(x + 2, y + 2);
  for (int i = 0; i < 34; ++i) {
    box.At(i, 0) = C(16, 52, 20);
    box.At(0, i) = C(16, 52, 20);
    box.At(i, 33) = C(150, 210, 120);
    box.At(33, i) = C(150, 210, 120);
  }
  return box;
}

// The boulder crossed out by a red prohibition sign.
Image AntiRock() {
  Image cell = PaintTile(4);
  const Sdf sign = Union(Ring(Circle(18.f, 18.f, 13.2f), 1.9f),
                         Capsule(8.8f, 8.8f, 27.2f, 27.2f, 1.9f));
  const Mask m = ShapeMask(36, 36, sign);
  const Mask edge = Dilate(m, 1.f);
  Paint(cell, edge, 0, 0, C(90, 0, 0), 0.9f);
  Paint(cell, m, 0, 0, [](int x, int y) { return (x + y < 34) ? C(255, 52, 40) : C(210, 16, 16); });
  return cell;
}

void Label(Image& img, const std::string& text, int x0, int y0, int w, int h, int size, Col colour,
           Col shadow) {
  const TextMask t = RenderText(fonts::LiberationSansBold, size, text, 4);
  const int x = x0 + (w - t.mask.w) / 2;
  const int y = y0 + (h - t.mask.h) / 2;
  Paint(img, t.mask, x + 1, y + 1, shadow, 0.8f);
  Paint(img, t.mask, x, y, colour);
}

}  // namespace

Image PaintMenuShop() {
  Image img(W, H, kShopGround);

  // ---- the panel: green with a yellow rim, slightly rounded corners.
  {
    const Sdf panel = RoundBox(0.f, 0.f, static_cast<float>(W), kPanelBottom + 1.f, 8.f);
    Paint(img, ShapeMask(W, H, panel), 0, 0, kYellow);
    const Sdf inside = RoundBox(5.f, 5.f, W - 5.f, kPanelBottom + 1.f - 5.f, 5.f);
    Paint(img, ShapeMask(W, H, inside), 0, 0, [](int x, int y) {
      // Soft diagonal stripes in the green.
      const float s = std::sin((static_cast<float>(x) + static_cast<float>(y)) * 0.28f);
      return Mix(kGreen, C(52, 146, 64), 0.5f + 0.5f * s) * (1.04f - 0.0008f * static_cast<float>(y));
    });
    // Rim relief.
    Emboss(img, Minus(ShapeMask(W, H, panel), ShapeMask(W, H, inside)), 0, 0, C(255, 248, 170),
           kYellowDark, 0.9f);
    Engrave(img, ShapeMask(W, H, inside), 0, 0, C(110, 190, 100), kGreenDark, 0.9f);
    // A dark line under the panel and its shadow on the ground (only above row 264).
    for (int x = 0; x < W; ++x) {
      img.Blend(x, kPanelBottom + 1, C(30, 16, 6), 0.8f);
      img.Blend(x, kPanelBottom + 2, C(40, 22, 10), 0.5f);
      img.Blend(x, kPanelBottom + 3, C(50, 28, 12), 0.25f);
    }
  }
  // ---- the heading.
  Label(img, "SHOP", 60, 5, 100, 18, 15, kYellow, C(10, 50, 16));

  // ---- the four item rows: a yellow strip with the icon, the name and the price.
  const std::array<Image, 4> icons{IconBox(PaintTile(1)), IconBox(PaintTile(4)), IconBox(PaintTile(3)),
                                   IconBox(AntiRock())};
  for (std::size_t i = 0; i < 4; ++i) {
    const auto [ix, iy] = kShopIconFrames[i];
    const auto [px, py] = kShopPriceFrames[i];
    const int top = std::min(iy, py) + 1, bottom = std::max(iy, py) + 38;
    const Sdf strip = RoundBox(11.f, static_cast<float>(top), W - 11.f, static_cast<float>(bottom + 1), 6.f);
    const Mask sm = ShapeMask(W, H, strip);
    Paint(img, Blur(sm.Shifted(2, 2), 1), 0, 0, C(10, 50, 16), 0.55f);
    Paint(img, sm, 0, 0, [top, bottom](int, int y) {
      return Mix(C(255, 236, 120), kYellow, static_cast<float>(y - top) / static_cast<float>(bottom - top));
    });
    Emboss(img, sm, 0, 0, C(255, 252, 210), kYellowDark, 0.9f);
    img.Paste(icons[i], ix + 3, iy + 3);
    Label(img, kLabels[i], ix + 40, top, px - ix - 40, bottom - top + 1, 15, C(22, 86, 30), C(255, 250, 200));
    const Surface price = PaintPriceBox(ShopPrices[i + 1]);
    const PanelOffset at = PriceBoxAt(i);
    for (int y = 0; y < price.height; ++y)
      for (int x = 0; x < price.width; ++x) img.Set(at.dx + x, at.dy + y, FromRgb(price.At(x, y)));
  }

  // ---- the two buttons.
  const std::array<const char*, 2> words{"Save", "Play"};
  for (std::size_t i = 0; i < 2; ++i) {
    const auto [fx, fy] = kShopButtonFrames[i];
    const float x0 = static_cast<float>(fx + 3), y0 = static_cast<float>(fy + 3);
    const Sdf button = RoundBox(x0, y0, x0 + 74.f, y0 + 34.f, 7.f);
    const Mask bm = ShapeMask(W, H, button);
    Paint(img, Blur(bm.Shifted(2, 2), 1), 0, 0, C(10, 50, 16), 0.6f);
    Paint(img, bm, 0, 0, [y0](int, int y) {
      return Ramp({C(255, 244, 150), C(252, 208, 50), C(236, 160, 20)}, (static_cast<float>(y) - y0) / 34.f);
    });
    Emboss(img, bm, 0, 0, C(255, 255, 220), C(150, 90, 0), 1.f);
    Label(img, words[i], fx + 3, fy + 3, 74, 34, 18, C(20, 96, 30), C(255, 250, 200));
  }

  // ---- below the panel: brown ground, a heap of gems at the lower left. The money digits are
  // drawn over x 92 … 200, y 264 … 307, which stays plain ground.
  {
    Rng rng(20240607u);
    const std::array<Col, 5> hues{C(250, 214, 40), C(230, 40, 40), C(60, 200, 90), C(70, 140, 255),
                                  C(200, 90, 240)};
    struct Stone {
      float x, y, r;
      int hue;
    };
    std::vector<Stone> stones;
    // A mound: rows of stones, each row narrower than the one under it.
    for (int row = 0; row < 6; ++row) {
      const float y = 311.f - static_cast<float>(row) * 6.5f;
      const float half = 36.f - static_cast<float>(row) * 6.5f;
      for (float x = 44.f - half; x <= 44.f + half + 0.1f; x += 7.5f)
        stones.push_back({x + rng.Range(-1.8f, 1.8f), y + rng.Range(-1.5f, 1.5f), rng.Range(3.8f, 5.4f), rng.Int(5)});
    }
    // A few loose stones rolled off to the sides.
    stones.push_back({8.f, 313.f, 3.6f, 2});
    stones.push_back({84.f, 314.f, 3.4f, 0});
    std::sort(stones.begin(), stones.end(), [](const Stone& a, const Stone& b) { return a.y < b.y; });
    // The mound's shadow.
    Paint(img, Blur(ShapeMask(W, H, Ellipse(45.f, 315.f, 44.f, 4.f)), 2), 0, 0, C(30, 16, 6), 0.7f);
    for (const Stone& s : stones) {
      const Col base = hues[static_cast<std::size_t>(s.hue)];
      // A cut stone: a rounded hexagon lit from the top left, with a glint.
      std::vector<float> pts;
      for (int k = 0; k < 6; ++k) {
        const float a = static_cast<float>(k) * 1.0471976f + 0.5235988f;
        pts.push_back(s.x + s.r * std::cos(a));
        pts.push_back(s.y + s.r * 0.8f * std::sin(a));
      }
      const Sdf gem = Polygon(pts);
      const Mask gm = ShapeMask(W, H, gem);
      Paint(img, Dilate(gm, 0.8f), 0, 0, C(20, 10, 4), 0.8f);
      Paint(img, gm, 0, 0, [&](int x, int y) {
        const float t = Clamp01(((static_cast<float>(x) - s.x) + (static_cast<float>(y) - s.y)) / (2.f * s.r) + 0.5f);
        return Ramp({Mix(base, C(255, 255, 255), 0.55f), base, base * 0.55f}, t);
      });
      img.Blend(static_cast<int>(s.x - s.r * 0.35f), static_cast<int>(s.y - s.r * 0.35f), C(255, 255, 255), 0.9f);
    }
  }
  return img;
}

}  // namespace art
