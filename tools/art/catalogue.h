#pragma once
// The painters of the picture catalogue, one function per picture.
#include <string>

#include "tools/art/paint.h"

namespace art {

// Colours shared between pictures (the see-through edges of the overlays are blended against
// what lies under them in the game).
inline constexpr Col kWhite = C(255, 255, 255);
inline constexpr Col kShopGround = C(74, 44, 22);    // ImMenuShop below the panel (money digits)
inline constexpr Col kMenuPanel = C(46, 58, 96);     // ImMenu: the panel behind the buttons
inline constexpr Col kScoreBase = C(153, 102, 0);    // ImScore: the board

// tiles.cpp
Image PaintTile(int code);  // Im0 … Im13, 36 × 36
Image PaintUnknownTile();   // the picture for board codes without one
// overlays.cpp
Image PaintMenuSelect();                     // ImSelect, 162 × 41
Image PaintShopFrame(int width, int height);  // ImSelectIt/Ct (40 × 40), ImSelectSP (80 × 40)
// letters.cpp
Image PaintDigitStrip();  // ImageList2: ten 26 × 39 digits side by side
Image PaintLetters();     // ImLetters, 4300 × 31
// menu.cpp
Image PaintMenu();  // ImMenu, 800 × 600
// shop.cpp
Image PaintMenuShop();  // ImMenuShop, 220 × 320
// score.cpp
Image PaintScore();  // ImScore, 800 × 600
// icon.cpp
struct Icon {
  Image picture;
  Mask opacity;  // 1 on the tile, 0 around its rounded corners
};
Icon PaintIcon(int size);  // the program's icon, size × size
// shots.cpp
// ImShot1 … ImShot3, 280 × 210: played by the game with the pictures already in `assetsDir`.
Image PaintShot(int n, const std::string& assetsDir);

}  // namespace art
