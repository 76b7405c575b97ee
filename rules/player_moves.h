#pragma once
// What a key press does while a level is played: moves, digging, pushing, rubies, the exit.
#include "game/game_state.h"
#include "rules/play_host.h"

// Handles one key press in play (`shift`: Shift held). Throws RuntimeError only when a campaign
// level with a number beyond the 32-bit range is finished.
void PlayKeyDown(GameState& s, PlayHost& host, int key, bool shift);
