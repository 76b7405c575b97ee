// ImShot1 … ImShot3: the menu's preview pictures, 280 × 210. Each is an 800 × 600 "screenshot"
// of play composed from the tool's own cell pictures (the board at 36 pixels a cell, the status
// box at the top centre; the third with the shop panel and a money counter reading 0026),
// reduced to 280 × 210 with an area filter.
// This file alone composes the scenes: swap it for real screenshots rendered by the game.
#include <algorithm>
#include <array>
#include <string>

#include "tools/art/catalogue.h"

namespace art {
namespace {

constexpr int SW = 800, SH = 600, T = 36;

// Board legend: '#' outer wall, 'W' wall, '*' ruby, 'P' player, '.' earth, 'O' rock, ' ' empty,
// 'X' closed exit, 'E' exit, '>' 'v' '<' '^' creatures by heading, 's' slime.
int CodeOf(char c) {
  switch (c) {
    case '#': return 0;
    case '*': return 1;
    case 'P': return 2;
    case '.': return 3;
    case 'O': return 4;
    case 'X': return 6;
    case 'E': return 7;
    case '>': return 8;
    case 'v': return 9;
    case '<': return 10;
    case '^': return 11;
    case 's': return 12;
    case 'W': return 13;
    default: return 5;
  }
}

struct Scene {
  std::array<const char*, 17> rows;  // 23 cells each (what fits on an 800 × 600 screen)
  int originX, originY;               // where cell (0, 0) of the rows lands on the screen
  const char* status;                 // the status box text
};

const std::array<Scene, 3> kScenes{{
    {{
         "#######################",
         "#....O...*...O.. ...O..",
         "#.OO...W.....*..WWWW...",
         "#..*...W..>.....W  s...",
         "#......W........W sss..",
         "#WWWWW.W.O..OO..W  ss..",
         "#.....*W........WWWW...",
         "#.O.....   *  ..O......",
         "#...OO..  P   ...*..O..",
         "#..*....   ...O........",
         "#WWWW..WWWWWWWW..v.....",
         "#....O.   ....W..  ....",
         "#.*..   ^  ...W..O..*..",
         "#....   ...*..W........",
         "#..O......O...WWW..X...",
         "#....*....O...........",
         "#......................",
     },
     -14, -6, "Рубинов собрано:3/16"},
    {{
         "..O...*.....ssss......#",
         "......WWWWW.sssss..O..#",
         ".*....W   W..sss...*..#",
         "..O...W > W.....OO....#",
         "......W   W..........#",
         "WWWW..WW WW..O...WWWWW#",
         "...W.........    W....#",
         ".*.W..OO..   P   W.*..#",
         "...W.....    *   W....#",
         "...WWW....O..........E#",
         "......ss.......WWWWWWW#",
         "..O..ssss..<...W......#",
         "....ssssss.....W..*...#",
         ".*...ssss..O...W..O...#",
         "......ss.......W......#",
         "..O.......*...........#",
         "#######################",
     },
     -22, -12, "Рубинов собрано:9/12"},
    {{
         "#######################",
         "#..O..*....WWWW...O...#",
         "#.....OO...W  W..*....#",
         "#..*.......W v W......#",
         "#WWW...O...W  W...ss..#",
         "#  W.......WW WW.ssss.#",
         "# >W...*........sssss.#",
         "#  W.....O......ssss..#",
         "#WWW..OO....*....ss...#",
         "#.....  ...P ...O.....#",
         "#..O..       .....*...#",
         "#.*.....WWWWWWW......O#",
         "#......W.....*W.......#",
         "#..OO..W..O...W..^....#",
         "#......WWWWWWWW.......#",
         "#...*.......O.......E.#",
         "#######################",
     },
     -14, -12, "Рубинов собрано:5/8"},
}};

// The disabled one-line text box at the top centre (137 × 21): a sunken grey box.
void StatusBox(Image& screen, const std::string& text) {
  const int w = 137, h = 21, x0 = SW / 2 - w / 2, y0 = 0;
  screen.FillRect(x0, y0, x0 + w, y0 + h, C(212, 208, 200));
  for (int x = x0; x < x0 + w; ++x) {
    screen.Set(x, y0, C(128, 128, 128));
    screen.Set(x, y0 + 1, C(64, 64, 64));
    screen.Set(x, y0 + h - 1, C(255, 255, 255));
    screen.Set(x, y0 + h - 2, C(212, 208, 200));
  }
  for (int y = y0; y < y0 + h; ++y) {
    screen.Set(x0, y, C(128, 128, 128));
    screen.Set(x0 + 1, y, C(64, 64, 64));
    screen.Set(x0 + w - 1, y, C(255, 255, 255));
  }
  const TextMask t = RenderText(fonts::LiberationSansRegular, 11, text);
  const int tx = x0 + 4, ty = y0 + 14 - t.baseline;
  Paint(screen, t.mask, tx + 1, ty + 1, C(255, 255, 255));
  Paint(screen, t.mask, tx, ty, C(128, 128, 128));
}

Image Screen(const Scene& scene) {
  Image screen(SW, SH, C(0, 0, 0));
  std::array<Image, 14> cells;
  for (int code = 0; code < 14; ++code) cells[static_cast<std::size_t>(code)] = PaintTile(code);
  for (int r = 0; r < 17; ++r) {
    const std::string row = scene.rows[static_cast<std::size_t>(r)];
    for (int c = 0; c < 23; ++c) {
      const char ch = c < static_cast<int>(row.size()) ? row[static_cast<std::size_t>(c)] : '.';
      screen.Paste(cells[static_cast<std::size_t>(CodeOf(ch))], scene.originX + c * T, scene.originY + r * T);
    }
  }
  return screen;
}

}  // namespace

Image PaintShot(int n) {
  const Scene& scene = kScenes[static_cast<std::size_t>(std::clamp(n, 1, 3) - 1)];
  Image screen = Screen(scene);
  if (n == 3) {
    // The shop over the board, centred, with the money counter reading 0026.
    const Image shop = PaintMenuShop();
    const int L = SW / 2 - shop.w / 2, T0 = SH / 2 - shop.h / 2;
    screen.Paste(shop, L, T0);
    const Image digits = PaintDigitStrip();
    const std::array<std::pair<int, int>, 4> places{{{92, 269}, {120, 265}, {147, 267}, {175, 264}}};
    const std::array<int, 4> value{0, 0, 2, 6};
    for (std::size_t i = 0; i < 4; ++i)
      for (int y = 0; y < 39; ++y)
        for (int x = 0; x < 26; ++x) {
          const Col c = digits.At(value[i] * 26 + x, y);
          if (ToRgb(c) != 0xFFFFFF) screen.Set(L + places[i].first + x, T0 + places[i].second + y, c);
        }
    // The selection frame on Play, as the shop opens.
    const Image frame = PaintShopFrame(80, 40);
    for (int y = 0; y < frame.h; ++y)
      for (int x = 0; x < frame.w; ++x)
        if (ToRgb(frame.At(x, y)) != 0xFFFFFF) screen.Set(L + 120 + x, T0 + 210 + y, frame.At(x, y));
  }
  StatusBox(screen, scene.status);
  return Downscale(screen, 280, 210);
}

}  // namespace art
