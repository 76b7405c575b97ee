#pragma once
// What the game's flow needs from the window: message boxes, the board's picture and the
// screens that a level's start and end bring up, and the sounds.
#include <string>

#include "game/sounds.h"

class FlowHost {
 public:
  virtual ~FlowHost() = default;
  // A message box with `caption` and `text` (code page 1251); returns when it is closed.
  virtual void ShowMessage(const std::string& caption, const std::string& text) = 0;
  // The run-time error box with `text`.
  virtual void ShowError(const std::string& text) = 0;
  // Empties the board picture and the screen for the next level.
  virtual void ClearBoardView() = 0;
  // The level just put on the board: board picture sized, drawn and shown, menu hidden, the
  // status line updated.
  virtual void ShowLevel() = 0;
  // The tick's drawing: the cells in view redrawn, the board placed and shown.
  virtual void RedrawBoard() = 0;
  // Where the table of best results is: "High.scr" among the player's files.
  virtual std::string ScoreTablePath() = 0;
  // The campaign is over: the result entered in the table of best results, and the table shown.
  virtual void ShowScoreTable() = 0;
  // The campaign is over without a table: the menu over a random preview and the first level.
  virtual void ShowMenuOverFirstLevel() = 0;
  // Where the flow raises its sounds.
  virtual SoundSink& Sounds() = 0;
};
