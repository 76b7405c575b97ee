#pragma once
// The command lines of a quillmere-headless script.
#include <optional>
#include <set>
#include <string>
#include <vector>

struct ScriptCommand {
  enum Kind { Key, Tick, Random, Dialog, Paint, Close, Dump, Board, Screenshot };
  Kind kind = Dump;
  int vk = 0;                    // Key
  bool shift = false;            // Key
  std::set<int> held;            // Key: virtual-key codes held down meanwhile
  long count = 1;                // Tick
  std::vector<long long> values; // Random
  bool cancel = false;           // Dialog
  std::string path;              // Dialog, Screenshot
};

// Parses one script line. Blank lines and comments give nothing; a line that cannot be parsed
// gives nothing and sets `error` to the reason.
std::optional<ScriptCommand> ParseScriptLine(const std::string& line, std::string& error);

// The virtual-key code of a key name (enter, escape, left, up, right, down, shift, 0..9, a..z,
// vk:N), or nothing when the name is unknown.
std::optional<int> KeyCode(const std::string& name);
