#pragma once
// What the play rules need from the window: drawing, the status line, key state, screens.
#include <cstdint>

class PlayHost {
 public:
  virtual ~PlayHost() = default;
  // Copies the picture of `code` into the board picture at cell (x, y).
  virtual void DrawCell(int x, int y, std::uint8_t code) = 0;
  // Recomputes the board origin from the player's cell.
  virtual void PlaceBoard() = 0;
  // Draws the whole board picture onto the window at the board origin.
  virtual void PresentBoard() = 0;
  // Sets the status box to "Рубинов собрано:" + collected + "/" + required.
  virtual void UpdateRubyStatus() = 0;
  // True while the key with virtual-key code `vk` is held down (digit keys).
  virtual bool IsKeyDown(int vk) = 0;
  // The exit was reached: the level is finished (FinishLevel) and the shop shown; false when
  // the window closes instead.
  virtual bool LevelFinished() = 0;
  // Escape in play: shows the main menu (random preview, frame on Return) over the board.
  virtual void LeavePlayForMenu() = 0;
};
