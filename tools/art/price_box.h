#pragma once
// The price boxes of the shop panel (ImMenuShop): a gold plate with the price in pixel digits.
// Header-only and built on Surface and the shop's frames alone, so that the catalogue test can
// paint the same box from game/shop_prices.h and compare it with the committed picture.
#include <array>
#include <string>
#include <utility>

#include "menu/frames.h"
#include "view/surface.h"

namespace art {

inline constexpr int kPriceBoxSize = 34;
// Top-left corner in ImMenuShop of the price box of item `row` + 1: 3 pixels inside its
// 40 × 40 selection frame.
constexpr PanelOffset PriceBoxAt(std::size_t row) {
  return {kShopPriceFrames[row].dx + 3, kShopPriceFrames[row].dy + 3};
}

namespace price_detail {

// 7 × 11 pixel digits, two-pixel strokes.
inline constexpr std::array<std::array<const char*, 11>, 10> kDigits{{
    {"..###..", ".##.##.", "##...##", "##...##", "##...##", "##...##", "##...##", "##...##", "##...##", ".##.##.", "..###.."},
    {"...##..", "..###..", ".####..", "...##..", "...##..", "...##..", "...##..", "...##..", "...##..", "...##..", ".######"},
    {".#####.", "##...##", ".....##", ".....##", "....##.", "...##..", "..##...", ".##....", "##.....", "##.....", "#######"},
    {".#####.", "##...##", ".....##", ".....##", "..####.", ".....##", ".....##", ".....##", ".....##", "##...##", ".#####."},
    {"....##.", "...###.", "..####.", ".##.##.", "##..##.", "##..##.", "#######", "....##.", "....##.", "....##.", "....##."},
    {"#######", "##.....", "##.....", "######.", ".....##", ".....##", ".....##", ".....##", ".....##", "##...##", ".#####."},
    {"..####.", ".##....", "##.....", "##.....", "######.", "##...##", "##...##", "##...##", "##...##", "##...##", ".#####."},
    {"#######", ".....##", ".....##", "....##.", "....##.", "...##..", "...##..", "..##...", "..##...", "..##...", "..##..."},
    {".#####.", "##...##", "##...##", "##...##", ".#####.", "##...##", "##...##", "##...##", "##...##", "##...##", ".#####."},
    {".#####.", "##...##", "##...##", "##...##", "##...##", ".######", ".....##", ".....##", ".....##", "....##.", ".####.."},
}};

inline int Lerp(int a, int b, int t, int n) { return a + (b - a) * t / n; }

}  // namespace price_detail

// The 34 × 34 price box showing `price` (0 … 9999; more digits are cut to the last four).
inline Surface PaintPriceBox(int price) {
  using namespace price_detail;
  constexpr int S = kPriceBoxSize;
  Surface box(S, S);
  // The plate: a dark rim, a bevel lit from the top left, a warm gold face.
  for (int y = 0; y < S; ++y)
    for (int x = 0; x < S; ++x) {
      std::uint32_t c = Rgb(Lerp(255, 238, y, S), Lerp(216, 168, y, S), Lerp(72, 16, y, S));
      if (x == 1 || y == 1) c = Rgb(255, 246, 170);
      if (x == S - 2 || y == S - 2) c = Rgb(184, 120, 8);
      if ((x == 1 && y == S - 2) || (x == S - 2 && y == 1)) c = Rgb(232, 180, 60);
      if (x == 0 || y == 0 || x == S - 1 || y == S - 1) c = Rgb(96, 56, 0);
      box.Set(x, y, c);
    }
  // Round the plate's corners into the ground colour of the row.
  for (const auto& [cx, cy] : std::array<std::pair<int, int>, 4>{{{0, 0}, {S - 1, 0}, {0, S - 1}, {S - 1, S - 1}}})
    box.Set(cx, cy, Rgb(150, 104, 10));
  std::string text = std::to_string(price < 0 ? 0 : price);
  if (text.size() > 4) text = text.substr(text.size() - 4);
  const int width = static_cast<int>(text.size()) * 8 - 1;
  const int left = (S - width) / 2, top = (S - 11) / 2;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto& glyph = kDigits[static_cast<std::size_t>(text[i] - '0')];
    const int gx = left + static_cast<int>(i) * 8;
    // An engraved look: a light edge to the lower right of every stroke, then the stroke.
    for (int y = 0; y < 11; ++y)
      for (int x = 0; x < 7; ++x)
        if (glyph[static_cast<std::size_t>(y)][x] == '#') box.Set(gx + x + 1, top + y + 1, Rgb(255, 244, 180));
    for (int y = 0; y < 11; ++y)
      for (int x = 0; x < 7; ++x)
        if (glyph[static_cast<std::size_t>(y)][x] == '#') box.Set(gx + x, top + y, Rgb(96, 30, 0));
  }
  return box;
}

}  // namespace art
