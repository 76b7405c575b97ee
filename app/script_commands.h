#pragma once
// The command lines of a quillmere-headless script.
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/platform.h"

struct ScriptCommand {
  enum Kind { Key, Tick, Random, Dialog, Answer, Paint, Close, Dump, Board, Screenshot };
  Kind kind = Dump;
  int vk = 0;                    // Key
  bool shift = false;            // Key
  std::set<int> held;            // Key: virtual-key codes held down meanwhile
  long count = 1;                // Tick
  std::vector<long long> values; // Random
  bool cancel = false;           // Dialog
  QuestionAnswer answer = QuestionAnswer::kStay;  // Answer
  std::string path;              // Dialog, Screenshot
};

// Parses one script line. Blank lines and comments give nothing; a line that cannot be parsed
// gives nothing and sets `error` to the reason.
std::optional<ScriptCommand> ParseScriptLine(const std::string& line, std::string& error);

// The virtual-key code of a key name (enter, escape, left, up, right, down, shift, f1..f12,
// space, backspace, delete, plus, minus, 0..9, a..z, vk:N), or nothing when the name is unknown.
std::optional<int> KeyCode(const std::string& name);
