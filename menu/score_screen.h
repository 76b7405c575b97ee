#pragma once
// The table of best results, shown when the campaign is over; any key leaves it.
#include <string>

#include "game/game_state.h"
#include "menu/menu_host.h"
#include "view/surface.h"
#include "view/window_model.h"

// Enters the campaign's result under the player's name into the table file in `folder` (empty:
// the working folder) and shows the table's first ten entries, drawn onto `blankScore` (the
// score picture as painted).
void ShowScoreTable(const GameState& s, WindowModel& window, const Surface& blankScore,
                    const std::string& folder);

// Any key: the main menu over the first level, with a new campaign's empty holdings.
void LeaveScoreScreen(GameState& s, WindowModel& window, MenuHost& host);
