#include "game/settings_file.h"

#include <sstream>

namespace {

std::string Trimmed(const std::string& text) {
  const std::size_t first = text.find_first_not_of(" \t\r");
  if (first == std::string::npos) return {};
  const std::size_t last = text.find_last_not_of(" \t\r");
  return text.substr(first, last - first + 1);
}

}  // namespace

std::string SettingsText(const Settings& settings) {
  return std::string("; Quillmere's settings\n[sound]\non=") + (settings.soundOn ? "1" : "0") +
         "\n";
}

std::optional<Settings> ParseSettings(const std::string& text, std::string& why) {
  Settings settings;
  std::istringstream lines(text);
  std::string section;
  std::string raw;
  for (int number = 1; std::getline(lines, raw); ++number) {
    const std::string line = Trimmed(raw);
    const std::string where = "line " + std::to_string(number);
    if (line.empty() || line[0] == ';' || line[0] == '#') continue;
    if (line.front() == '[') {
      if (line.back() != ']') {
        why = where + ": a section without its ']'";
        return std::nullopt;
      }
      section = Trimmed(line.substr(1, line.size() - 2));
      continue;
    }
    const std::size_t equals = line.find('=');
    if (equals == std::string::npos) {
      why = where + ": neither a [section] nor a key=value";
      return std::nullopt;
    }
    const std::string key = Trimmed(line.substr(0, equals));
    const std::string value = Trimmed(line.substr(equals + 1));
    if (section != "sound" || key != "on") continue;
    if (value != "0" && value != "1") {
      why = where + ": sound on=" + value + " is neither 1 nor 0";
      return std::nullopt;
    }
    settings.soundOn = value == "1";
  }
  return settings;
}
