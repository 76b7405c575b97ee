#pragma once
// The off-screen picture of the board and how it reaches the window.
//
// The board picture remembers which picture each cell shows, and the window which cells it
// was last given: a tick copies only the cells whose picture changed, and the screen gets only
// those cells again while the board stays where it was on it. Moving the board, a new level, a
// repaint of the window or new pictures bring back the copy of everything in view.
#include <array>
#include <cstdint>
#include <vector>

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

  // Off: every tick draws every cell in view again and every present copies the whole board
  // picture, as before cells were remembered (for comparing the two ways).
  void SetIncremental(bool on);

  Surface BoardBitmap;

 private:
  static constexpr std::uint8_t kUnknownPicture = 14;  // index of the picture for other codes
  static constexpr std::uint8_t kNotDrawn = 255;
  static constexpr int kCells = MaxBoardSize * MaxBoardSize;

  // Which picture stands for `code`: 0..13, or kUnknownPicture.
  static std::uint8_t PictureIndex(std::uint8_t code);
  const Surface& Picture(std::uint8_t index) const;
  // Forgets what the board picture and the screen hold, so that all is drawn anew.
  void ForgetDrawn();
  void ForgetPresented() { screenHolds_ = false; }
  // Forgets everything when the board picture changed size since it was drawn.
  void FollowBitmapSize();
  // Copies the board picture's part `area` (board pixels) to the screen, clipped to `clip`.
  void CopyToScreen(const Rect& area, const Rect& clip);

  GameState& state_;
  WindowModel& window_;
  std::array<const Surface*, kUnknownPicture> cells_{};
  Surface blank_;
  Surface unknown_;
  bool incremental_ = true;

  // Per playfield cell (x * 101 + y): the picture index in the board picture, or kNotDrawn.
  std::array<std::uint8_t, kCells> drawn_{};
  int drawnWidth_ = -1;  // the board picture's size when drawn_ was last true
  int drawnHeight_ = -1;
  // Cells drawn since the screen last got the board, each listed once.
  std::vector<int> changed_;
  std::array<bool, kCells> listed_{};
  // Whether the screen shows the board picture as it was at the last present, at that origin.
  bool screenHolds_ = false;
  int presentedX_ = 0;
  int presentedY_ = 0;
  std::uint64_t presentedRepaints_ = 0;
};
