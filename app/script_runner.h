#pragma once
// Carries out the commands of a headless script against the window and the scripted platform.
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

// Carries out one command and prints what it shows; false once the window was closed
// ("closed" has then been printed).
bool RunScriptCommand(const ScriptCommand& command, ScriptContext& context);
