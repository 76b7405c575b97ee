#pragma once
// Reading a level file.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "game/game_state.h"
#include "game/text_file.h"

// The largest level file that is read. A 101 x 101 level as the game writes it is under 50 KB;
// the rest allows for generous white space, and a bigger file is no level.
inline constexpr std::size_t kMostLevelFileBytes = 1 << 20;

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
// and nothing after the last cell; a byte-order mark before the header is passed over. A size
// outside 1..101 or a start outside the playfield is refused with a RuntimeError naming the
// file, leaving an empty playfield; a value that is not an integer throws "Invalid numeric
// input" and keeps the cells read before it.
void ReadLevel(TextReader& reader, Level& level, const std::string& name);

// Opens the level file `name`. Nothing but a name with no file behind it (missing, or a link to
// nothing) gives nullptr: the campaign has no such level. A file that is there but cannot be
// read (no permission, a folder, a pipe, larger than kMostLevelFileBytes) is a RuntimeError
// naming it.
std::unique_ptr<TextReader> OpenLevelFile(const std::string& name);

// Reads the level `name` completely; nothing when no file is behind the name, a RuntimeError
// naming the file for any other failure.
std::optional<Level> ReadLevelIfPresent(const std::string& name);

// Reads the level `name` completely; a missing file too is a RuntimeError naming it.
Level ReadLevelFile(const std::string& name);

// Puts `level` into `state`: the board, its size, the player's start and the rubies required.
void PutLevel(const Level& level, GameState& state);
