#pragma once
// Reading a level file.
#include <cstdint>
#include <string>

#include "game/game_state.h"
#include "game/text_file.h"

// The largest level file that is read. A 101 x 101 level as the game writes it is under 50 KB;
// the rest allows for generous white space, and a bigger file is no level.
inline constexpr std::int64_t kMostLevelFileBytes = 1 << 20;

// A level as read from its file, before it replaces the one in play.
struct Level {
  BoardGrid Board;  // every cell outside the playfield holds tile 0
  std::int32_t Width = 0;
  std::int32_t Height = 0;
  std::int32_t PlayerX = 0;
  std::int32_t PlayerY = 0;
  std::int32_t RubiesRequired = 0;
};

// Reads the header and the cells of the level `name` from `reader` into `level` (empty before),
// and nothing after the last cell; a byte-order mark before the header is passed over. A file
// larger than kMostLevelFileBytes, a size outside 1..101 or a start outside the playfield is
// refused with a RuntimeError naming the file, leaving an empty playfield; a value that is not
// an integer throws "Invalid numeric input" and keeps the cells read before it.
void ReadLevel(TextReader& reader, Level& level, const std::string& name);

// Reads the level `name` completely; a file that cannot be opened is a RuntimeError naming it.
Level ReadLevelFile(const std::string& name);

// Puts `level` into `state`: the board, its size, the player's start and the rubies required.
void PutLevel(const Level& level, GameState& state);
