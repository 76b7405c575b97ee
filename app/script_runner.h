#pragma once
// Carries out the commands of a headless script against the window and the scripted platform.
#include <functional>
#include <ostream>
#include <string>

#include "app/script_commands.h"
#include "app/tform1.h"
#include "platform/scripted/scripted_platform.h"

struct ScriptContext {
  TForm1& form;
  ScriptedPlatform& platform;
  ForcedRandom& random;
  std::string programFolder;  // dialog paths are relative to it
  std::string startFolder;    // screenshot paths are relative to it
  std::ostream& out;
};

// `path` as a full path: as it is when it is one, else relative to the folder `base`.
std::string Absolute(const std::string& path, const std::string& base);

// The full path a dialog answers for a script's `path`: without "." or ".." in it, its parts
// separated by "/" on every system, so that a replay names its files the same everywhere.
std::string DialogPath(const std::string& path, const std::string& base);

// What a script drives besides the platform: the window's events, the screen it shows, what
// `dump` and `board` print, and what follows each key (nothing for the game).
struct ScriptTarget {
  WindowEvents& window;
  const Surface& screen;
  std::function<void(ScriptCommand::Kind kind, std::ostream& out)> dump;
  std::function<void()> afterKey;
};

// Carries out one command against `target` and prints what it shows; false once the window was
// closed ("closed" has then been printed).
bool RunTargetCommand(const ScriptCommand& command, const ScriptTarget& target,
                      ScriptedPlatform& platform, ForcedRandom& random,
                      const std::string& programFolder, const std::string& startFolder,
                      std::ostream& out);

// Carries out one command against the game and prints what it shows; false once the window was
// closed ("closed" has then been printed).
bool RunScriptCommand(const ScriptCommand& command, ScriptContext& context);
