#pragma once
// The off-screen picture of the board and how it reaches the window.
//
// The board picture remembers which picture each cell shows, and the window which cells it
// was last given: a tick copies only the cells whose picture changed, and the screen gets only
// those cells again while the board stays where it was on it. Moving the board, a new level, a
// repaint of the window or new pictures bring back the copy of everything in view.
//
// The board picture holds only the cells in view and a margin around them, not the whole
// board (53 MB for the largest); what every other cell shows is kept as a picture number, and
// the picture is drawn from those when the view leaves it.
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
  // Draws the board onto the window at the board origin (clipped to `clip`).
  void PresentBoard();
  void PresentBoard(const Rect& clip);
  // Resizes the board to the playfield (cells kept where the sizes overlap, new ones black).
  void ResizeToBoard();

  // The cells around the view; a board small enough to fit whole starts at its pixel (0, 0).
  Surface BoardBitmap;

 private:
  static constexpr std::uint8_t kUnknownPicture = 14;  // index of the picture for other codes
  static constexpr std::uint8_t kBlackCell = 255;       // never drawn since the board grew
  static constexpr int kCells = MaxBoardSize * MaxBoardSize;
  // Cells kept in the picture beyond each edge of the screen, so that the picture is drawn
  // anew only every few steps of a walk.
  static constexpr int kMarginCells = 6;

  // Which picture stands for `code`: 0..13, or kUnknownPicture.
  static std::uint8_t PictureIndex(std::uint8_t code);
  const Surface& Picture(std::uint8_t index) const;
  void ForgetPresented() { screenHolds_ = false; }
  // Moves the board picture, when needed, to hold every cell the screen shows at the board
  // origin; a moved picture is drawn anew.
  void FollowView();
  // Places the board picture at cell (x, y) with `w` x `h` cells and draws all of it.
  void PlacePicture(int x, int y, int w, int h);
  // Copies the picture of cell (x, y) into the board picture, when the picture holds it.
  void PaintCell(int x, int y);
  // Copies the board's part `area` (board pixels) to the screen, clipped to `clip`.
  void CopyToScreen(const Rect& area, const Rect& clip);

  GameState& state_;
  WindowModel& window_;
  std::array<const Surface*, kUnknownPicture> cells_{};
  Surface blank_;
  Surface unknown_;

  // Per playfield cell (x * MaxBoardSize + y): the picture index it shows, or kBlackCell.
  std::array<std::uint8_t, kCells> shows_{};
  int boardWidth_ = 0;  // cells
  int boardHeight_ = 0;
  // The cells the board picture holds.
  int pictureX_ = 0;
  int pictureY_ = 0;
  int pictureWidth_ = 0;
  int pictureHeight_ = 0;
  // Cells drawn since the screen last got the board, each listed once.
  std::vector<int> changed_;
  std::array<bool, kCells> listed_{};
  // Whether the screen shows the board picture as it was at the last present, at that origin.
  bool screenHolds_ = false;
  int presentedX_ = 0;
  int presentedY_ = 0;
  std::uint64_t presentedRepaints_ = 0;
};
