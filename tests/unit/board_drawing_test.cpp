// Drawing only the cells that changed shows the same pixels as drawing the whole board: the
// board view is driven at random (cells drawn, the same ones drawn again, the player walking
// and jumping across boards up to the largest, repaints, new levels) and after every step the
// board on the screen is compared with the board painted whole, in the test, from the cells
// drawn and the tile pictures. A real window given only the areas that changed must show the
// whole screen, in a game played at random as well.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <filesystem>
#include <random>
#include <sstream>
#include <string>

#include "app/tform1.h"
#include "game/tiles.h"
#include "platform/scripted/scripted_platform.h"
#include "test_files.h"
#include "view/board_view.h"

namespace {

constexpr int kScreenWidth = 1024;
constexpr int kScreenHeight = 768;
constexpr int kCell = tiles::TileSize;
constexpr int kNeverDrawn = -1;

// A tile picture that tells codes and pixels apart.
Surface TilePicture(int code) {
  Surface cell(kCell, kCell);
  for (std::size_t i = 0; i < cell.pixels.size(); ++i) {
    cell.pixels[i] = static_cast<std::uint32_t>(code * 977 + static_cast<int>(i)) & 0xFFFFFF;
  }
  return cell;
}

// The board view as the game uses it, beside what the test knows was drawn in each cell.
struct Board {
  GameState state;
  WindowModel window{kScreenWidth, kScreenHeight};
  BoardView view{state, window};
  std::array<Surface, 14> tiles;
  Surface unknown{kCell, kCell, 0xFF00FF};
  std::array<int, MaxBoardSize * MaxBoardSize> drawn{};  // a code 0..13, 14 for others
  Surface shown{kScreenWidth, kScreenHeight, kBlack};    // what got the changed areas

  Board() {
    state.view.ScreenWidth = kScreenWidth;
    state.view.ScreenHeight = kScreenHeight;
    state.view.ViewCenterX = kScreenWidth / 2 / kCell * kCell;
    state.view.ViewCenterY = kScreenHeight / 2 / kCell * kCell;
    for (int code = 0; code < 14; ++code) {
      tiles[static_cast<std::size_t>(code)] = TilePicture(code);
      window.SetElement(*TileElement(code), PictureElement{TilePicture(code), 0, 0, kCell, kCell});
    }
    view.BindPictures(unknown);
    drawn.fill(kNeverDrawn);
  }

  int& Drawn(int x, int y) { return drawn[static_cast<std::size_t>(x * MaxBoardSize + y)]; }

  void Draw(int x, int y, std::uint8_t code) {
    view.DrawCell(x, y, code);
    const int picture = code >= tiles::Mark ? code - tiles::Mark : code;
    Drawn(x, y) = std::min(picture, 14);
  }

  // A new level of `w` x `h`: cells beyond the smaller of the sizes are black again.
  void Resize(int w, int h) {
    for (int x = 0; x < MaxBoardSize; ++x) {
      for (int y = 0; y < MaxBoardSize; ++y) {
        if (x >= std::min(w, state.world.BoardWidth) || y >= std::min(h, state.world.BoardHeight)) {
          Drawn(x, y) = kNeverDrawn;
        }
      }
    }
    state.world.BoardWidth = w;
    state.world.BoardHeight = h;
    state.world.PlayerX = std::min(state.world.PlayerX, w - 1);
    state.world.PlayerY = std::min(state.world.PlayerY, h - 1);
    view.ResizeToBoard();
  }

  void Repaint() {
    window.InvalidateAll();
    window.FlushPaint([this](const Rect& clip) {
      view.PlaceBoard();
      view.PresentBoard(clip);
    });
  }

  // The pixel the whole board painted at the board origin shows at screen point (sx, sy).
  std::uint32_t Expected(int sx, int sy) {
    const int bx = sx - state.view.BoardOriginX;
    const int by = sy - state.view.BoardOriginY;
    const int code = Drawn(bx / kCell, by / kCell);
    if (code == kNeverDrawn) return kBlack;
    const Surface& picture = code < 14 ? tiles[static_cast<std::size_t>(code)] : unknown;
    return picture.At(bx % kCell, by % kCell);
  }

  void ExpectWholeBoard(int step) {
    for (const Rect& r : window.TakeChanged()) Blit(shown, 0, 0, window.Screen(), r);
    ASSERT_TRUE(shown.pixels == window.Screen().pixels)
        << "the changed areas missed a change by step " << step;
    const Rect board{state.view.BoardOriginX, state.view.BoardOriginY,
                     state.world.BoardWidth * kCell, state.world.BoardHeight * kCell};
    const Rect onScreen = Intersect(board, Rect{0, 0, kScreenWidth, kScreenHeight});
    for (int sy = onScreen.top; sy < onScreen.Bottom(); ++sy) {
      for (int sx = onScreen.left; sx < onScreen.Right(); ++sx) {
        if (window.Screen().At(sx, sy) != Expected(sx, sy)) {
          FAIL() << "the board differs at " << sx << "," << sy << " by step " << step;
        }
      }
    }
  }
};

TEST(BoardDrawing, OnlyWhatChangedShowsTheSamePixelsAsTheWholeBoard) {
  std::mt19937 rng(20240613);
  auto roll = [&rng](int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); };
  Board b;
  b.Resize(60, 45);
  b.view.ClearScreen();
  constexpr std::array<std::uint8_t, 8> kExtraCodes{50, 99, 101, 104, 108, 112, 113, 255};
  for (int step = 0; step < 400; ++step) {
    const int e = roll(100);
    World& w = b.state.world;
    if (e < 40) {
      // A tick: cells around the player drawn, most of them as they were.
      for (int i = 0; i < 60; ++i) {
        const int x = std::clamp(w.PlayerX + roll(31) - 15, 0, w.BoardWidth - 1);
        const int y = std::clamp(w.PlayerY + roll(23) - 11, 0, w.BoardHeight - 1);
        const int c = roll(20);
        const std::uint8_t code = c < 14 ? static_cast<std::uint8_t>(c)
                                         : kExtraCodes[static_cast<std::size_t>(c % 8)];
        b.Draw(x, y, code);
      }
    } else if (e < 75) {
      w.PlayerX = std::clamp(w.PlayerX + roll(3) - 1, 0, w.BoardWidth - 1);
      w.PlayerY = std::clamp(w.PlayerY + roll(3) - 1, 0, w.BoardHeight - 1);
    } else if (e < 85) {
      w.PlayerX = roll(w.BoardWidth);
      w.PlayerY = roll(w.BoardHeight);
    } else if (e < 95) {
      b.Repaint();
    } else {
      // A new level, now and then the largest.
      const bool largest = e == 99;
      b.Resize(largest ? MaxBoardSize : 1 + roll(MaxBoardSize),
               largest ? MaxBoardSize : 1 + roll(MaxBoardSize));
    }
    b.view.PlaceBoard();
    b.view.PresentBoard();
    ASSERT_NO_FATAL_FAILURE(b.ExpectWholeBoard(step));
  }
}

// The board picture holds only the cells around the view: a walk to every edge of the largest
// board moves it many times, and cells never drawn must stay black.
TEST(BoardDrawing, AWalkAcrossTheLargestBoardShowsTheWholeBoard) {
  Board b;
  b.Resize(MaxBoardSize, MaxBoardSize);
  b.state.world.PlayerX = 50;
  b.state.world.PlayerY = 50;
  for (int x = 0; x < MaxBoardSize; ++x) {
    for (int y = 0; y < MaxBoardSize; ++y) {
      if ((x * 3 + y * 5) % 7 != 0) b.Draw(x, y, static_cast<std::uint8_t>((x + y) % 14));
    }
  }
  struct Leg {
    int dx, dy, steps;
  };
  constexpr Leg kLegs[] = {{1, 0, 52}, {0, 1, 52}, {-1, 0, 101}, {0, -1, 101}, {1, 0, 60}};
  int step = 0;
  for (const Leg& leg : kLegs) {
    for (int i = 0; i < leg.steps; ++i, ++step) {
      World& w = b.state.world;
      w.PlayerX = std::clamp(w.PlayerX + leg.dx, 0, MaxBoardSize - 1);
      w.PlayerY = std::clamp(w.PlayerY + leg.dy, 0, MaxBoardSize - 1);
      if (step % 7 == 3) b.Draw(w.PlayerX, w.PlayerY, tiles::Empty);
      b.view.PlaceBoard();
      b.view.PresentBoard();
      ASSERT_NO_FATAL_FAILURE(b.ExpectWholeBoard(step));
    }
  }
}

// A level larger than the screen, so that the board scrolls, with everything that moves.
std::string BusyLevel(std::mt19937& rng) {
  constexpr int kW = 60;
  constexpr int kH = 45;
  constexpr int kCodes[] = {1, 3, 3, 3, 4, 5, 5, 5, 5, 6, 8, 9, 10, 11, 12, 13, 50};
  std::string level = std::to_string(kW) + "\r\n" + std::to_string(kH) + "\r\n30\r\n20\r\n3\r\n";
  std::uniform_int_distribution<std::size_t> pick(0, std::size(kCodes) - 1);
  for (int y = 0; y < kH; ++y) {
    for (int x = 0; x < kW; ++x) {
      level += std::to_string(x == 30 && y == 20 ? 5 : kCodes[pick(rng)]);
      level += x + 1 < kW ? " " : "\r\n";
    }
  }
  return level;
}

TEST(BoardDrawing, AWindowGivenOnlyTheChangedAreasShowsTheWholeScreen) {
  std::mt19937 rng(20240613);
  const std::string folder = TempDir() + "/changed/";
  std::filesystem::create_directories(folder);
  const std::string level = BusyLevel(rng);
  WriteTempFile("changed/Level1.cam", level);
  WriteTempFile("changed/Level2.cam", level);
  const std::string assets = std::string(QUILLMERE_SOURCE_DIR) + "/assets/";
  std::ostringstream log;
  ScriptedPlatform platform{kScreenWidth, kScreenHeight, log};
  ForcedRandom random;
  TForm1 form{platform, random, FormOptions{folder, assets, folder + "snapshot.tmp"}};
  platform.KeepShownPicture();
  ASSERT_EQ(::chdir(folder.c_str()), 0);
  form.LoadPictures(DecodeGamePictures(assets, true));
  form.FormCreate();
  constexpr int kArrows[] = {37, 38, 39, 40};
  std::uniform_int_distribution<int> event(0, 99);
  std::uniform_int_distribution<std::size_t> arrow(0, std::size(kArrows) - 1);
  for (int step = 0; step < 300 && !form.IsClosed(); ++step) {
    // Mostly play: ticks and arrows, now and then Escape, Enter in the menu or a repaint.
    const int e = event(rng);
    const bool inMenu = form.State().screens.ScreenState == Screen::Menu;
    const int k = inMenu && e % 2 == 0 ? 13 : e == 97 ? 27 : kArrows[arrow(rng)];
    const bool shift = event(rng) < 20;
    if (e < 55) {
      form.OnTimer();
    } else if (e < 98) {
      form.OnKeyDown(k, shift);
    } else {
      form.OnPaint();
    }
    ASSERT_TRUE(platform.ShownPicture().pixels == form.Window().Screen().pixels)
        << "the changed areas missed a change by event " << step;
  }
}

}  // namespace
