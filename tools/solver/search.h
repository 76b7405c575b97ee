#pragma once
// Best-first search over key presses, each followed by one timer tick, played by the game's own
// rules: moves, Shift moves, pushes, the items the player holds, and waiting.
#include <cstdint>
#include <optional>
#include <ostream>
#include <vector>

#include "game/game_state.h"
#include "tools/solver/play_step.h"

// Where a stretch of the search ends: the player on a cell (or, with `blast`, the creature on
// that cell gone, as a blast takes it) with at least so many rubies; or the level finished.
struct SearchGoal {
  bool exit = true;
  bool blast = false;
  int x = 0;
  int y = 0;
  int rubies = 0;
};

struct SearchLimits {
  double weight = 1.0;               // f = steps + weight x estimate
  int rubyWeight = 40;               // steps a missing ruby counts for in the estimate
  std::size_t maxStates = 400000;    // states expanded before a stretch gives up
  bool useItems = true;              // also try the items the player holds
  bool exactStates = false;          // false: dug earth and far creatures do not tell states apart
  std::ostream* progress = nullptr;  // where to report every 50,000 states, if anywhere
};

struct SearchResult {
  std::vector<StepAction> actions;  // from the given state to the goal
  std::size_t expanded = 0;         // states taken from the queue and expanded
  std::size_t generated = 0;        // distinct states met
  bool found = false;
};

// Searches from `start` (a level in play, timer as the game left it) for `goal`; on success the
// state after the last action is left in `end`.
SearchResult Search(const GameState& start, const SearchGoal& goal, const SearchLimits& limits,
                    GameState* end);
