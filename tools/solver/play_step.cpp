#include "tools/solver/play_step.h"

#include <sstream>

#include "app/script_commands.h"
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

  bool finished = false;

 private:
  GameState& s_;
  int heldKey_;
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
  TickWorld(s, rng);
  return s.world.PlayerDead != 0 ? StepOutcome::Caught : StepOutcome::Playing;
}

std::string KeyLine(const StepAction& a) {
  std::string line = std::string("key ") + KeyName(a.key);
  if (a.shift) line += " shift";
  if (a.item != 0) line += " hold " + std::to_string(a.item);
  return line;
}

std::vector<StepAction> ReadReplayActions(const std::string& scriptText, std::string& error) {
  std::vector<StepAction> actions;
  std::istringstream in(scriptText);
  std::string line;
  bool entered = false;
  bool pendingKey = false;  // a key press whose tick has not come yet
  while (std::getline(in, line)) {
    const auto command = ParseScriptLine(line, error);
    if (!error.empty()) return {};
    if (!command || command->kind == ScriptCommand::Dump) continue;
    if (command->kind == ScriptCommand::Key) {
      if (!entered) {
        entered = true;
        continue;
      }
      StepAction a{command->vk, command->shift, 0};
      for (const int held : command->held) {
        if (a.item == 0 && held > vk::Digit0 && held <= vk::Digit0 + 4) a.item = held - vk::Digit0;
      }
      actions.push_back(a);
      pendingKey = true;
    } else if (command->kind == ScriptCommand::Tick) {
      for (long i = 0; i < command->count; ++i) {
        if (entered && !pendingKey) actions.push_back(StepAction{});
        pendingKey = false;
      }
    } else {
      error = "a replay holds only key, tick and dump lines";
      return {};
    }
  }
  return actions;
}
