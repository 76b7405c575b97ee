#pragma once
// Carries out the commands of a headless script against the level editor.
#include <ostream>
#include <string>

#include "app/script_commands.h"
#include "editor/editor_window.h"
#include "platform/scripted/scripted_platform.h"

struct EditScriptContext {
  EditorWindow& editor;
  ScriptedPlatform& platform;
  ForcedRandom& random;
  std::string programFolder;  // dialog paths are relative to it
  std::string startFolder;    // screenshot paths are relative to it
  std::ostream& out;
};

// The level as the editor would save it, in UTF-8 without the CR, between "level:" and "end".
void WriteLevelDump(std::ostream& out, const EditedLevel& level);

// Carries out one command; a key that starts a check runs it to its end. False once the editor
// was closed ("closed" has then been printed).
bool RunEditScriptCommand(const ScriptCommand& command, EditScriptContext& context);
