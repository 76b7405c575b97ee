#pragma once
// The settings file in the player's configuration folder, read at start-up and written when a
// setting changes. Neither ever stops the game.
#include "game/settings_file.h"

// The settings as the file keeps them. A missing file gives the defaults quietly; a damaged or
// unreadable one gives them with one line on standard error.
Settings LoadSettings();

// Keeps `settings` for the next run. A folder or file that cannot be written loses only that,
// with one line on standard error.
void SaveSettings(const Settings& settings);
