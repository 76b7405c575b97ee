#pragma once
// The snapshot: what the player owned when the current campaign level began, so that dying or
// restarting gives it back.
#include <string>

#include "game/game_state.h"

// Money and Inventory[1..9], one decimal per CR LF line: all the snapshot holds, and what a saved
// campaign holds after its level number.
std::string HoldingsLines(const GameState& s);

// Writes HoldingsLines to a file only the owner can read; a symbolic link at `path` is refused.
// Throws RuntimeError naming `path` and the reason when the file cannot be written; an earlier
// snapshot then stays as it was.
void WriteSnapshot(const GameState& s, const std::string& path);

// Reads Money and Inventory[1..9] back when `path` can be opened; otherwise changes nothing.
// Throws RuntimeError("Invalid numeric input") at a bad value, keeping the values read before it.
void ReadSnapshot(GameState& s, const std::string& path);

// Removes the snapshot; a missing file is no error.
void DeleteSnapshot(const std::string& path);

