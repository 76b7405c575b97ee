// The digit images (ImageList2) and the letter strip (ImLetters).
// Both are see-through pictures: white is no paint. Their anti-aliased edges are blended against
// the colour they are drawn on in the game (the shop's brown ground, the score board), so no
// light fringe appears around them, and every pixel with no coverage is exactly white.
#include <algorithm>
#include <cmath>
#include <string>

#include "game/cp1251.h"
#include "tools/art/catalogue.h"

namespace art {
namespace {

constexpr int kDigitW = 26, kDigitH = 39;

// Composes glyph, outline and highlight over `ground`; pixels the outline does not reach
// become white.
void Letter(Image& img, int ox, int oy, const Mask& glyph, const Mask& outline, const Mask& highlight,
            Col ground, const std::function<Col(int, int)>& fill, Col outlineColour,
            Col highlightColour) {
  for (int y = 0; y < glyph.h; ++y)
    for (int x = 0; x < glyph.w; ++x) {
      const float o = outline.At(x, y);
      if (o < 0.06f) continue;  // stays white (see-through)
      Col c = Mix(ground, outlineColour, o);
      c = Mix(c, fill(x, y), glyph.At(x, y));
      c = Mix(c, highlightColour, highlight.At(x, y));
      if (ToRgb(c) == 0xFFFFFF) c = C(255, 255, 254);
      img.Set(ox + x, oy + y, c);
    }
}

}  // namespace

Image PaintDigitStrip() {
  Image strip(10 * kDigitW, kDigitH, kWhite);
  // Bold italic numerals, rendered large and squeezed a little sideways so that they fill the
  // tall 26 × 39 place. All digits share one size and one baseline.
  const int big = 4;            // supersampling of the lettering
  const float squeeze = 0.86f;  // horizontal scale
  const int size = 44;          // pixel size before squeezing
  const int baseline = 34;      // row of the baseline in the place
  for (int d = 0; d <= 9; ++d) {
    const TextMask t = RenderText(fonts::LiberationSansBoldItalic, size * big, std::string(1, static_cast<char>('0' + d)));
    // Into a big cell of the place's size times the scales, ink centred horizontally.
    const int bw = static_cast<int>(std::lround(kDigitW * big / squeeze));
    const int bh = kDigitH * big;
    Mask cell(bw, bh);
    const int ox = (bw - t.mask.w) / 2 + big / 2;
    const int oy = baseline * big - t.baseline;
    for (int y = 0; y < t.mask.h; ++y)
      for (int x = 0; x < t.mask.w; ++x)
        if (ox + x >= 0 && ox + x < bw && oy + y >= 0 && oy + y < bh) cell.Ref(ox + x, oy + y) = t.mask.At(x, y);
    const Mask glyph = Resize(cell, kDigitW, kDigitH);
    const Mask outline = Dilate(glyph, 1.3f);
    // Highlight: the glyph's core, strongest at the top, fading downwards.
    Mask highlight = Erode(glyph, 1.7f);
    for (int y = 0; y < kDigitH; ++y)
      for (int x = 0; x < kDigitW; ++x)
        highlight.Ref(x, y) *= Clamp01(1.15f - static_cast<float>(y) / 30.f) * 0.85f;
    highlight = Blur(highlight, 1);
    for (float& v : highlight.a) v = Clamp01(v * 1.3f);
    auto fill = [](int, int y) {
      return Ramp({C(255, 178, 40), C(255, 140, 0), C(232, 96, 0), C(196, 64, 0)},
                  static_cast<float>(y - 6) / 28.f);
    };
    Image place(kDigitW, kDigitH, kWhite);
    Letter(place, 0, 0, glyph, outline, highlight, kShopGround, fill, C(92, 30, 0), C(255, 236, 80));
    // The bottom-left pixel is the see-through key of every image.
    place.At(0, kDigitH - 1) = kWhite;
    strip.Paste(place, d * kDigitW, 0);
  }
  return strip;
}

Image PaintLetters() {
  constexpr int W = 4300, H = 31, kCellW = 17;
  Image strip(W, H, kWhite);
  // One monospaced serif face (FreeMono Bold), rendered 4 times larger, then mapped onto the
  // 17 × 31 cell a little narrower and taller than drawn, so the letters fill the tall cell.
  const std::string font = fonts::FreeMonoBold;
  constexpr int kBig = 4, kSize = 26;
  constexpr float kSx = 0.86f, kSy = 1.16f;
  constexpr int kBaseline = 23;  // the first row under the baseline, in the cell
  const int bw = static_cast<int>(std::lround(kCellW * kBig / kSx));
  const int bh = static_cast<int>(std::lround(H * kBig / kSy));
  const int bBase = static_cast<int>(std::lround(kBaseline * kBig / kSy));
  const int maxInkW = static_cast<int>((kCellW - 2) * kBig / kSx);  // one pixel each side for the outline
  const int maxUp = static_cast<int>((kBaseline - 1) * kBig / kSy);
  const int maxDown = static_cast<int>((H - 1 - kBaseline) * kBig / kSy);
  const auto blank = [](int c) {
    return c == 127 || c == 129 || c == 141 || c == 143 || c == 144 || c == 157 || c == 160 || c == 175;
  };
  for (int c = 33; c <= 255; ++c) {
    if (blank(c)) continue;
    char32_t cp = Cp1251ToUnicode(static_cast<unsigned char>(c));
    Mask glyph;
    int up = 0;  // rows of the glyph above the baseline (big pixels)
    if (cp == 0) {
      // 0x98 has no character in code page 1251: the empty-box sign of a missing glyph.
      glyph = Mask(9 * kBig, 15 * kBig);
      for (int y = 0; y < glyph.h; ++y)
        for (int x = 0; x < glyph.w; ++x)
          if (x < 2 * kBig || y < 2 * kBig || x >= 7 * kBig || y >= 13 * kBig) glyph.Ref(x, y) = 1;
      up = glyph.h;
    } else {
      if (cp == 0x00AD) cp = U'-';  // the soft hyphen shows as a hyphen
      const TextMask t = RenderText(font, kSize * kBig, Utf8FromCodePoint(cp));
      // Embolden the strokes a little (about half a pixel of the cell).
      glyph = Dilate(t.mask.Crop(-3, -3, t.mask.w + 6, t.mask.h + 6), 2.0f);
      up = t.baseline + 3;
    }
    // A few signs are too wide or too tall for the cell: squeeze just those.
    if (glyph.w > maxInkW) glyph = Resize(glyph, maxInkW, glyph.h);
    if (up > maxUp || glyph.h - up > maxDown) {
      const float k = std::min(up > 0 ? static_cast<float>(maxUp) / static_cast<float>(up) : 1.f,
                               glyph.h - up > 0 ? static_cast<float>(maxDown) / static_cast<float>(glyph.h - up) : 1.f);
      if (k < 1.f) {
        glyph = Resize(glyph, glyph.w, std::max(1, static_cast<int>(static_cast<float>(glyph.h) * k)));
        up = static_cast<int>(static_cast<float>(up) * k);
      }
    }
    Mask bigCell(bw, bh);
    const int ox = (bw - glyph.w) / 2;
    const int oy = bBase - up;
    for (int y = 0; y < glyph.h; ++y)
      for (int x = 0; x < glyph.w; ++x)
        if (oy + y >= 0 && oy + y < bh) bigCell.Ref(ox + x, oy + y) = glyph.At(x, y);
    const Mask cell = Resize(bigCell, kCellW, H);
    const Mask outline = Dilate(cell, 1.0f);
    // A bright rim along the glyph's top edges.
    Mask highlight = Minus(cell, cell.Shifted(0, 1));
    for (float& v : highlight.a) v *= 0.5f;
    auto fill = [](int, int y) {
      return Ramp({C(255, 238, 130), C(255, 204, 40), C(248, 156, 0), C(230, 108, 0)},
                  static_cast<float>(y - 3) / 25.f);
    };
    Letter(strip, 19 * (c - 33) + 1, 0, cell, outline, highlight, kScoreBase, fill, C(64, 26, 0),
           C(255, 250, 210));
  }
  return strip;
}

}  // namespace art
