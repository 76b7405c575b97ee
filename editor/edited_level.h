#pragma once
// A level as the editor holds it: the cells, the header values and the comments after them,
// read from and written to the game's level format.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "game/game_state.h"
#include "platform/file_system.h"

struct EditedLevel {
  BoardGrid Board;  // cells outside the playfield hold tile 0
  std::int32_t Width = 0;
  std::int32_t Height = 0;
  std::int32_t StartX = 0;  // the player's start; may lie off the board in a file read
  std::int32_t StartY = 0;
  std::int32_t RubiesRequired = 0;
  // What followed each of the five header values on its line ("" or " ; a comment"), kept as
  // read so that writing the file back changes nothing.
  std::array<std::string, 5> Comments;

  bool OnBoard(int x, int y) const { return x >= 0 && x < Width && y >= 0 && y < Height; }
  bool operator==(const EditedLevel& o) const {
    return Board.bytes == o.Board.bytes && Width == o.Width && Height == o.Height &&
           StartX == o.StartX && StartY == o.StartY && RubiesRequired == o.RubiesRequired &&
           Comments == o.Comments;
  }
};

// The smallest and largest side of a level made with the new-level question.
inline constexpr int kNewLevelMinSide = 5;
inline constexpr int kNewLevelMaxSide = MaxBoardSize;

// A level that can be finished as it stands: earth inside a ring of wall, the player at (1, 1),
// an open exit at (width - 2, height - 2), no rubies required. Sides within 5..101.
EditedLevel NewLevel(int width, int height);

// Reads the level file `path` as the game reads it, keeping every cell code and the comments of
// the header lines. A file that cannot be opened, a size outside 1..101 or a value that is not an
// integer throws RuntimeError naming the file (code page 1251); a start off the board is kept.
EditedLevel ReadEditedLevel(const std::string& path);

// The file's text: the five header values one to a line with their comments, then one line per
// row with the codes separated by one blank; CR LF line ends.
std::string LevelText(const EditedLevel& level);

// Writes the level to `path` in one step (the old file stays whole when it fails).
FileError SaveEditedLevel(const std::string& path, const EditedLevel& level);

// What is wrong with a level, in the player's words (UTF-8). An error stops saving and playing;
// a warning is only said.
struct LevelProblem {
  bool warning = false;
  std::string text;
};

// The checks made before saving and playing: no exit at all, the start off the board (errors);
// more rubies required than the board holds plus what blasts can make, closed exits that never
// open because no rubies are required (warnings).
std::vector<LevelProblem> CheckLevel(const EditedLevel& level);

// The rubies lying on the board.
int RubiesOnBoard(const EditedLevel& level);

// The most rubies a level can ever offer: those on the board and nine for each creature (the
// cells its blast turns into rubies).
int MostRubies(const EditedLevel& level);
