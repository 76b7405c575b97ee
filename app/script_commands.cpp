#include "app/script_commands.h"

#include <cerrno>
#include <cstdlib>
#include <sstream>

#include "game/game_state.h"

namespace {

struct NamedKey {
  const char* name;
  int vk;
};

constexpr NamedKey kNamedKeys[] = {
    {"enter", vk::Enter}, {"escape", vk::Escape}, {"left", vk::Left}, {"up", vk::Up},
    {"right", vk::Right}, {"down", vk::Down},     {"shift", vk::Shift},
    {"space", 32},        {"backspace", 8},       {"delete", 46},
    {"plus", 187},        {"minus", 189},
};

// F1 .. F12 are the virtual keys 112 .. 123.
constexpr int kF1 = 112;
constexpr int kFunctionKeys = 12;

struct NamedAnswer {
  const char* name;
  QuestionAnswer answer;
};

constexpr NamedAnswer kAnswers[] = {
    {"save", QuestionAnswer::kSave},
    {"discard", QuestionAnswer::kDiscard},
    {"stay", QuestionAnswer::kStay},
};

std::optional<long long> Integer(const std::string& text) {
  if (text.empty()) return std::nullopt;
  errno = 0;
  char* end = nullptr;
  const long long v = std::strtoll(text.c_str(), &end, 10);
  if (errno != 0 || *end != '\0') return std::nullopt;
  return v;
}

// The rest of the line after the command word, without surrounding blanks.
std::string Rest(const std::string& line, const std::string& word) {
  std::string rest = line.substr(line.find(word) + word.size());
  const auto first = rest.find_first_not_of(" \t");
  if (first == std::string::npos) return {};
  const auto last = rest.find_last_not_of(" \t\r");
  return rest.substr(first, last - first + 1);
}

std::optional<ScriptCommand> ParseKey(std::istringstream& in, std::string& error) {
  ScriptCommand c;
  c.kind = ScriptCommand::Key;
  std::string name;
  in >> name;
  const auto code = KeyCode(name);
  if (!code) {
    error = "unknown key '" + name + "'";
    return std::nullopt;
  }
  c.vk = *code;
  std::string word;
  while (in >> word) {
    if (word == "shift") {
      c.shift = true;
      continue;
    }
    std::string digit;
    if (word != "hold" || !(in >> digit) || digit.size() != 1 || digit[0] < '1' || digit[0] > '9') {
      error = "expected 'shift' or 'hold D' after the key";
      return std::nullopt;
    }
    c.held.insert(vk::Digit0 + (digit[0] - '0'));
  }
  if (c.vk >= vk::Digit0 && c.vk <= vk::Digit0 + 9) c.held.insert(c.vk);
  return c;
}

}  // namespace

std::optional<int> KeyCode(const std::string& name) {
  for (const NamedKey& k : kNamedKeys) {
    if (name == k.name) return k.vk;
  }
  if (name.size() >= 2 && name[0] == 'f' &&
      name.find_first_not_of("0123456789", 1) == std::string::npos) {
    const auto n = Integer(name.substr(1));
    if (n && *n >= 1 && *n <= kFunctionKeys) return kF1 + static_cast<int>(*n) - 1;
  }
  if (name.size() == 1 && name[0] >= '0' && name[0] <= '9') return vk::Digit0 + (name[0] - '0');
  if (name.size() == 1 && name[0] >= 'a' && name[0] <= 'z') return vk::A + (name[0] - 'a');
  if (name.rfind("vk:", 0) == 0) {
    const auto v = Integer(name.substr(3));
    if (v && *v >= 0 && *v <= 0xFFFF) return static_cast<int>(*v);
  }
  return std::nullopt;
}

std::optional<ScriptCommand> ParseScriptLine(const std::string& raw, std::string& error) {
  const std::string line = raw.empty() || raw.back() != '\r' ? raw : raw.substr(0, raw.size() - 1);
  std::istringstream in(line);
  std::string word;
  if (!(in >> word) || word[0] == '#') return std::nullopt;
  ScriptCommand c;
  std::string extra;
  if (word == "key") return ParseKey(in, error);
  if (word == "tick") {
    c.kind = ScriptCommand::Tick;
    std::string n;
    if (in >> n) {
      const auto v = Integer(n);
      if (!v || *v < 0 || *v > 100000000) {
        error = "bad tick count '" + n + "'";
        return std::nullopt;
      }
      c.count = static_cast<long>(*v);
    }
  } else if (word == "random") {
    c.kind = ScriptCommand::Random;
    std::string v;
    while (in >> v) {
      const auto value = Integer(v);
      if (!value) {
        error = "bad random value '" + v + "'";
        return std::nullopt;
      }
      c.values.push_back(*value);
    }
    if (c.values.empty()) error = "random needs values";
    return error.empty() ? std::optional<ScriptCommand>(c) : std::nullopt;
  } else if (word == "dialog") {
    c.kind = ScriptCommand::Dialog;
    std::string what;
    in >> what;
    if (what == "cancel") {
      c.cancel = true;
    } else if (what == "open" || what == "save") {
      c.path = Rest(line, what);
      if (c.path.empty()) error = "dialog " + what + " needs a path";
    } else {
      error = "expected 'dialog open PATH', 'dialog save PATH' or 'dialog cancel'";
    }
    return error.empty() ? std::optional<ScriptCommand>(c) : std::nullopt;
  } else if (word == "answer") {
    c.kind = ScriptCommand::Answer;
    std::string what;
    in >> what;
    error = "expected 'answer save', 'answer discard' or 'answer stay'";
    for (const NamedAnswer& a : kAnswers) {
      if (what == a.name) {
        c.answer = a.answer;
        error.clear();
      }
    }
    if (!error.empty()) return std::nullopt;
  } else if (word == "screenshot") {
    c.kind = ScriptCommand::Screenshot;
    c.path = Rest(line, word);
    if (c.path.empty()) error = "screenshot needs a file name";
    return error.empty() ? std::optional<ScriptCommand>(c) : std::nullopt;
  } else if (word == "paint") {
    c.kind = ScriptCommand::Paint;
  } else if (word == "close") {
    c.kind = ScriptCommand::Close;
  } else if (word == "dump") {
    c.kind = ScriptCommand::Dump;
  } else if (word == "board") {
    c.kind = ScriptCommand::Board;
  } else {
    error = "unknown command '" + word + "'";
    return std::nullopt;
  }
  if (in >> extra) {
    error = "unexpected '" + extra + "' after " + word;
    return std::nullopt;
  }
  return c;
}
