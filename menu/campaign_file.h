#pragma once
// The saved campaign (".ksv"): the number of the next campaign level, Money and
// Inventory[1..9], one a line, CR LF.
#include <string>

#include "game/game_state.h"

// Writes the saved campaign to `path` (replacing it): `numberText`, then Money and
// Inventory[1..9] from `state`. Throws RuntimeError when the file cannot be written.
void WriteCampaignFile(const std::string& path, const std::string& numberText,
                       const GameState& state);

// Reads the saved campaign at `path` into Money and Inventory[1..9] of `state` and returns its
// first line as text. Missing values read as 0. Throws RuntimeError when the file cannot be
// opened or a value is not an integer; the values read before the error are kept.
std::string ReadCampaignFile(const std::string& path, GameState& state);
