#include "tools/solver/replay_check.h"

#include <unistd.h>

#include <climits>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/script_commands.h"
#include "app/script_runner.h"
#include "app/tform1.h"
#include "game/level_file.h"
#include "game/runtime_error.h"
#include "game/text_file.h"
#include "platform/scripted/scripted_platform.h"
#include "tools/solver/play_step.h"

namespace {

namespace fs = std::filesystem;

// Runs the script lines with the program folder `folder` as the working folder.
std::string RunInFolder(const std::string& folder, const std::string& script,
                        const std::string& assetsFolder) {
  std::ostringstream shown;
  ScriptedPlatform platform(800, 600, shown);
  ForcedRandom random;
  TForm1 form(platform, random, FormOptions{folder, assetsFolder, folder + "snapshot.tmp"});
  form.LoadPictures(DecodeGamePictures(assetsFolder, false));
  form.FormCreate();
  ScriptContext context{form, platform, random, folder, folder, shown};
  std::istringstream in(script);
  std::string line;
  while (std::getline(in, line)) {
    std::string error;
    const auto command = ParseScriptLine(line, error);
    if (!error.empty()) return "bad script line: " + line + "\n";
    if (command && !RunScriptCommand(*command, context)) break;
  }
  return shown.str();
}

}  // namespace

GameState LoadLevelForPlay(const std::string& path) {
  GameState s;
  PutLevel(ReadLevelFile(path), s);
  s.campaign.CurrentLevelFile = "Level1.cam";
  s.screens.ScreenState = Screen::Play;
  s.world.Timer1Enabled = true;
  return s;
}

bool ReplayReachesExit(const std::string& levelPath, const std::string& script,
                       const std::string& assetsFolder, std::string& shown) {
  char pattern[] = "/tmp/quillmere-solve-XXXXXX";
  if (::mkdtemp(pattern) == nullptr) throw std::runtime_error("cannot make a scratch folder");
  const std::string folder = std::string(pattern) + "/";
  fs::copy_file(levelPath, folder + "Level1.cam");
  char previous[PATH_MAX];
  if (::getcwd(previous, sizeof previous) == nullptr || ::chdir(folder.c_str()) != 0) {
    throw std::runtime_error("cannot enter " + folder);
  }
  shown = RunInFolder(folder, script, assetsFolder);
  const bool back = ::chdir(previous) == 0;
  fs::remove_all(pattern);
  if (!back) throw std::runtime_error("cannot return to " + std::string(previous));
  const std::size_t last = shown.rfind("screen=");
  return last != std::string::npos && shown.compare(last, 9, "screen=2 ") == 0 &&
         shown.find("message ") == std::string::npos;
}

int SeedsReachingExit(const std::string& levelPath, const std::string& script, int seeds) {
  std::string error;
  const std::vector<StepAction> actions = ReadReplayActions(script, error);
  if (!error.empty()) return 0;
  int reached = 0;
  for (int seed = 1; seed <= seeds; ++seed) {
    GameState s = LoadLevelForPlay(levelPath);
    SeededRandom random(static_cast<unsigned>(seed));
    for (const StepAction& a : actions) {
      const StepOutcome outcome = PlayStep(s, a, random);
      if (outcome == StepOutcome::Caught) break;
      if (outcome == StepOutcome::Finished) {
        ++reached;
        break;
      }
    }
  }
  return reached;
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
