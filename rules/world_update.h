#pragma once
// One pass of the world between key presses: falling and rolling, creatures, slime.
#include "game/game_state.h"
#include "game/random.h"
#include "game/sounds.h"

// Runs one update pass in place when Timer1Enabled is set, and leaves Timer1Enabled set exactly
// when something fell or rolled or a creature or slime was met. `rng` grows the slime; `sounds`
// hears each landing, blast and growth of slime.
void UpdateWorld(GameState& s, RandomSource& rng, SoundSink& sounds);
