#include "tools/solver/play_step.h"

#include "game/game_state.h"
#include "play/flow.h"
#include "rules/play_host.h"
#include "rules/player_moves.h"

namespace {

// The window as the rules see it during a search: nothing is drawn, one digit key may be held.
class StepHost : public PlayHost {
 public:
  StepHost(GameState& s, int heldKey) : s_(s), heldKey_(heldKey) {}
  void DrawCell(int, int, std::uint8_t) override {}
  void PlaceBoard() override {}
  void PresentBoard() override {}
  void UpdateRubyStatus() override {}
  bool IsKeyDown(int key) override { return key == heldKey_; }
  bool LevelFinished() override {
    finished = true;
    return FinishLevel(s_);
  }
  void LeavePlayForMenu() override {}
  SoundSink& Sounds() override { return silence_; }

  bool finished = false;

 private:
  GameState& s_;
  int heldKey_;
  SilentSounds silence_;
};

const char* KeyName(int key) {
  switch (key) {
    case vk::Left:
      return "left";
    case vk::Up:
      return "up";
    case vk::Right:
      return "right";
    case vk::Down:
      return "down";
    default:
      return "?";
  }
}

}  // namespace

StepOutcome PlayStep(GameState& s, const StepAction& a, RandomSource& rng) {
  if (a.key != 0) {
    StepHost host(s, a.item != 0 ? vk::Digit0 + a.item : 0);
    PlayKeyDown(s, host, a.key, a.shift);
    if (host.finished) return StepOutcome::Finished;
  }
  // The timer fires only while it runs; a key press in play has just started it.
  if (!s.world.Timer1Enabled) return StepOutcome::Playing;
  SilentSounds silence;
  TickWorld(s, rng, silence);
  return s.world.PlayerDead != 0 ? StepOutcome::Caught : StepOutcome::Playing;
}

std::string KeyLine(const StepAction& a) {
  std::string line = std::string("key ") + KeyName(a.key);
  if (a.shift) line += " shift";
  if (a.item != 0) line += " hold " + std::to_string(a.item);
  return line;
}
