#pragma once
// What the main menu's entries and the shop's Save do.
#include "game/game_state.h"
#include "menu/menu_host.h"
#include "view/window_model.h"

// Return: back to the level in play, as it was left.
void ReturnToLevel(GameState& s, WindowModel& window, MenuHost& host);
// New: the first campaign level with nothing bought. The level is read before anything changes.
void StartNewCampaign(GameState& s, MenuHost& host, const MenuFiles& files);
// Restart: the current level again, with the money and items it began with.
void RestartLevel(GameState& s, MenuHost& host, const MenuFiles& files);
// Custom: a single level chosen in a dialog.
void PlayCustomLevel(GameState& s, MenuHost& host, const MenuFiles& files);
// Load: a saved campaign chosen in a dialog, resumed in the shop before its level.
void LoadSavedCampaign(GameState& s, WindowModel& window, MenuHost& host, const MenuFiles& files);
// The shop's Save: the campaign level and the holdings, to a file chosen in a dialog.
void SaveCampaign(GameState& s, MenuHost& host, MenuFiles& files);

// Sets up the three dialogs the actions use: Custom's starts among the levels, Load's and Save's
// among the player's files.
void SetUpDialogs(MenuFiles& files);
