#pragma once
// What the window does once when it is created: the player's name and the pictures' layout.
#include <string>

#include "view/window_model.h"

// The player's name: the first line of Player.cfg in `folder` (empty: the working folder), after
// a byte-order mark if one leads it, as code page 1251 or UTF-8; "Player" when the file cannot
// be opened.
std::string ReadPlayerName(const std::string& folder);

// True when the screen differs from the design's size in both directions, so the player is
// warned that the game looks best at the design's size.
bool WarnAboutScreenSize(int screenWidth, int screenHeight);

// Sizes and places the menu, the score picture, the previews and the shop for the screen.
void LayOutPictures(WindowModel& window, int screenWidth, int screenHeight);
