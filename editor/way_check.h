#pragma once
// The check of a level: the solver's search for a way from the start to the exit, played by the
// game's own rules, run a slice at a time.
#include <cstddef>
#include <memory>
#include <vector>

#include "editor/edited_level.h"
#include "game/level_file.h"
#include "tools/solver/play_step.h"
#include "tools/solver/search.h"

// The level as the game's level reader gives it.
Level AsLevel(const EditedLevel& level);

// The level as the game puts it into play: the board, the start, the rubies, the timer running,
// no items. The start must lie on the board.
GameState LevelInPlay(const EditedLevel& level);

class WayCheck {
 public:
  // States one try may explore, and the memory it may hold; a try that reaches either gives up.
  static constexpr std::size_t kMostStates = 1000000;
  // With the rest of the program, about a gigabyte at most.
  static constexpr std::size_t kMostBytes = std::size_t{900} << 20;

  // Prepares the search on `level` (its start on the board).
  explicit WayCheck(const EditedLevel& level);

  // Explores about `states` more states; true once the check has ended.
  bool Run(std::size_t states);
  bool Done() const { return done_; }
  bool Found() const { return found_; }
  // States explored so far, over all tries.
  std::size_t Explored() const;
  // The most memory a try has held so far, in bytes.
  std::size_t PeakBytes() const { return peakBytes_; }
  // From the level as put into play: the first tick, then each key press with its tick (a step
  // without a key only waits).
  const std::vector<StepAction>& Way() const { return way_; }
  // The key presses of the way.
  int Keys() const;

 private:
  void StartTry();

  GameState start_;  // after the first tick
  std::size_t try_ = 0;
  std::unique_ptr<SlicedSearch> search_;
  std::size_t explored_ = 0;  // by the tries that have ended
  std::size_t peakBytes_ = 0;
  bool done_ = false;
  bool found_ = false;
  std::vector<StepAction> way_;
};
