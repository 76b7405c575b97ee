#pragma once
// Where the selection frames of the main menu and the shop stand, in design pixels: the screens
// move the frames there, the art tool paints the pictures under them to match, the tests check
// the two against each other.
#include <array>

// The main menu's frame (ImSelect) over its six entries: the left edge, and the top edge for
// each entry from the first.
inline constexpr int kMenuFrameLeft = 521;
inline constexpr std::array<int, 6> kMenuFrameTops{189, 229, 272, 317, 361, 424};

// A corner relative to the shop panel's (ImMenuShop) top-left corner.
struct PanelOffset {
  int dx;
  int dy;
};

// The shop's frames around the icon (ImSelectIt) and the price (ImSelectCt) of items 1..4,
// from the first, and around the two buttons (ImSelectSP), Save then Play.
inline constexpr std::array<PanelOffset, 4> kShopIconFrames{
    {{17, 25}, {16, 72}, {16, 118}, {16, 163}}};
inline constexpr std::array<PanelOffset, 4> kShopPriceFrames{
    {{164, 25}, {164, 73}, {164, 120}, {164, 164}}};
inline constexpr std::array<PanelOffset, 2> kShopButtonFrames{{{21, 210}, {120, 210}}};
