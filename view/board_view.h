#pragma once
// The off-screen picture of the board and how it reaches the window.
#include <array>
#include <cstdint>

#include "game/game_state.h"
#include "view/surface.h"
#include "view/window_model.h"

class BoardView {
 public:
  BoardView(GameState& state, WindowModel& window);

  // Takes the cell pictures from the window's elements "Im0".."Im13" and the picture for
  // codes without one; call again whenever those pictures change.
  void BindPictures(const Surface& unknownCode);

  // Paints the whole window surface black.
  void ClearScreen();
  // Copies the picture of `code` into the board picture at cell (x, y).
  void DrawCell(int x, int y, std::uint8_t code);
  // Repaints from the board every cell that the screen can show around the player.
  void RedrawVisibleCells();
  // Recomputes BoardOriginX/Y from the player's cell, the board size and the screen size.
  void PlaceBoard();
  // Draws the board picture onto the window at the board origin (clipped to `clip`).
  void PresentBoard();
  void PresentBoard(const Rect& clip);
  // Resizes the board picture to the playfield (old pixels kept where the sizes overlap).
  void ResizeToBoard();

  Surface BoardBitmap;

 private:
  const Surface& PictureOf(std::uint8_t code) const;

  GameState& state_;
  WindowModel& window_;
  std::array<const Surface*, 14> cells_{};
  Surface blank_;
  Surface unknown_;
};
