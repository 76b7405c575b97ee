#pragma once
// Best-first search over key presses, each followed by one timer tick, played by the game's own
// rules: moves, Shift moves, pushes, the items the player holds, and waiting.
#include <cstddef>
#include <cstdint>
#include <memory>
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
  std::size_t maxBytes = std::size_t{1} << 30;  // memory the search may hold before it gives up
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

class Searcher;

// The same search a slice at a time, so that a window can keep answering keys between slices.
class SlicedSearch {
 public:
  SlicedSearch(const GameState& start, const SearchGoal& goal, const SearchLimits& limits);
  ~SlicedSearch();
  SlicedSearch(const SlicedSearch&) = delete;
  SlicedSearch& operator=(const SlicedSearch&) = delete;

  // Expands at most `states` more states; true once the search has ended: a way found, nothing
  // left to try, or the limit on states or memory reached.
  bool Run(std::size_t states);
  // What was found so far (`found` and `actions` once a way was found).
  const SearchResult& Result() const;
  // The state after the way's last action, once a way was found.
  const GameState& End() const;
  // The memory the search holds, roughly, in bytes.
  std::size_t MemoryBytes() const;

 private:
  std::unique_ptr<Searcher> searcher_;
};
