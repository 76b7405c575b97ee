#pragma once
// Checks a replay the way CI plays it, and against other slime growth.
#include <string>
#include <vector>

#include "game/game_state.h"
#include "tools/solver/play_step.h"

// Reads the level file `path` into a state in play, named as a first campaign level; throws
// RuntimeError when the file cannot be read.
GameState LoadLevelForPlay(const std::string& path);

// Runs `script` through the game itself (the scripted platform, the headless driver's script
// runner) in a scratch folder whose Level1.cam is the level `levelPath`. True when the last
// dump shows the shop (the exit reached) and no message box came up; `shown` gets the output.
bool ReplayReachesExit(const std::string& levelPath, const std::string& script,
                       const std::string& assetsFolder, std::string& shown);

// Plays the key presses of `script` on the level with `seeds` other generators (seeds 1..N);
// returns how many of them end at the exit.
int SeedsReachingExit(const std::string& levelPath, const std::string& script, int seeds);

// The key presses and waits of a replay script (its key and tick lines after the first key,
// which enters the level); empty with `error` set when the script holds other commands.
std::vector<StepAction> ReadReplayActions(const std::string& scriptText, std::string& error);
