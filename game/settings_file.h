#pragma once
// The player's settings, kept beside the design (which has none) in settings.ini of his own
// configuration folder: whether sound plays. Later settings join it as further keys.
#include <optional>
#include <string>

struct Settings {
  bool soundOn = true;
};

inline constexpr const char* kSettingsFile = "settings.ini";

// The file's text: a [sound] section with on=1 or on=0, LF line ends.
std::string SettingsText(const Settings& settings);

// Reads the file's text: blank lines, "; comments", [sections] and key=value lines (CR LF or
// LF); keys this version does not know are passed over. Nothing, and the reason in `why`, for a
// line of another kind or a value it cannot take.
std::optional<Settings> ParseSettings(const std::string& text, std::string& why);
