#pragma once
// Blasts: a struck creature turns its 3 x 3 surroundings into rubies and sets off every creature
// in reach, one complete blast after another.
#include "game/game_state.h"

// Blows up the playfield cell (x, y) and, depth first, every creature the chain reaches; sets
// PlayerDead when the player's cell is hit. Not reentrant: the chain lives in static storage.
void Explode(GameState& s, int x, int y);
