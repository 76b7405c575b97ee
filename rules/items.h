#pragma once
// Items in play: holding digit key 1..4 with an arrow uses an item on the cell beside the player.
#include <optional>

#include "game/game_state.h"
#include "rules/play_host.h"

// One board step; items and moves both aim with the arrow keys.
struct Direction {
  int dx;
  int dy;
};

// The board step of an arrow key (Left, Up, Right, Down); nothing for any other key.
std::optional<Direction> ArrowDirection(int key);

// Gives the key press to the first held item key (1..4) whose count is at least 1 and uses that
// item when `key` is an arrow. False when no such item key is held: the press is a move.
bool UseHeldItem(GameState& s, PlayHost& host, int key);
