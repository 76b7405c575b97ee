#include "app/player_settings.h"

#include <cstdio>
#include <optional>
#include <string>

#include "platform/file_system.h"

namespace {

// Far more than any settings file this game writes.
constexpr std::size_t kSettingsLimit = 64 * 1024;

void Report(const std::string& text) { std::fprintf(stderr, "Quillmere: %s\n", text.c_str()); }

}  // namespace

Settings LoadSettings() {
  const std::optional<std::string> folder = ConfigFolder(false);
  if (!folder) return {};
  const std::string path = *folder + kSettingsFile;
  const FileBytes file = ReadWholeFile(path, kSettingsLimit);
  if (file.error == FileError::kNotFound) return {};
  if (file.error != FileError::kNone) {
    Report("cannot read " + path + " (" + LastFileErrorText() + "); the settings are the defaults");
    return {};
  }
  std::string why;
  if (const std::optional<Settings> settings = ParseSettings(file.bytes, why)) return *settings;
  Report(path + " is damaged (" + why + "); the settings are the defaults");
  return {};
}

void SaveSettings(const Settings& settings) {
  const std::optional<std::string> folder = ConfigFolder(true);
  if (!folder) {
    Report("cannot make the settings folder (" + LastFileErrorText() +
           "); the choice holds until the game ends");
    return;
  }
  const std::string path = *folder + kSettingsFile;
  if (ReplaceFile(path, SettingsText(settings), false) != FileError::kNone) {
    Report("cannot write " + path + " (" + LastFileErrorText() +
           "); the choice holds until the game ends");
  }
}
