#pragma once
// One step of a replay as a person plays it: at most one key press, then one timer tick.
#include <random>
#include <string>
#include <vector>

#include "game/game_state.h"
#include "game/random.h"

// A key press (or none: the player only waits for the next tick).
struct StepAction {
  int key = 0;         // virtual-key code of an arrow; 0 waits
  bool shift = false;  // Shift held: dig, collect or push beside the player
  int item = 0;        // 1..4: this item's digit key is held, so the arrow uses the item
};

enum class StepOutcome { Playing, Finished, Caught };

// Plays `a` on `s` with the game's own key handler and, when the timer is running, one tick of
// the game's own world update (the player's tile written first, as the window's tick does).
StepOutcome PlayStep(GameState& s, const StepAction& a, RandomSource& rng);

// The script line of a key press, e.g. "key right shift" or "key up hold 2".
std::string KeyLine(const StepAction& a);

// Slime that never grows: what the search assumes, so that a plan never relies on a draw.
class NoGrowth : public RandomSource {
 public:
  std::int32_t Random(std::int32_t n) override { return n - 1; }
};

// The same draws for the same seed on every run: what replays are checked on.
class SeededRandom : public RandomSource {
 public:
  explicit SeededRandom(unsigned seed) : engine_(seed) {}
  std::int32_t Random(std::int32_t n) override {
    return std::uniform_int_distribution<std::int32_t>(0, n - 1)(engine_);
  }

 private:
  std::mt19937 engine_;
};
