#pragma once
// Reading a level file into the game state.
#include <string>

#include "game/game_state.h"
#include "game/text_file.h"

// Reads the header and the cells of the level `name` from `reader` into `state` (the board was
// cleared before). A size outside 1..101 or a start outside the playfield is refused with a
// RuntimeError naming the file, leaving an empty playfield; a value that is not an integer
// throws "Invalid numeric input" and keeps the cells read before it.
void ReadLevel(TextReader& reader, GameState& state, const std::string& name);
