#pragma once
// The main menu: six entries over a random preview, chosen with the arrow keys and Enter.
#include "game/game_state.h"
#include "game/random.h"
#include "game/sounds.h"
#include "view/window_model.h"

enum class MenuEntry { None, Return, New, Restart, Custom, Load, Exit };

// Moves the selection for `key` (Up, Down, wrapping); Enter returns the selected entry, any
// other key None. Moving and choosing each raise their sound.
MenuEntry MenuKeyDown(GameState& s, int key, SoundSink& sounds);

// Sizes the selection frame for the screen and puts it on the first entry.
void LayOutMainMenu(WindowModel& window, int screenWidth, int screenHeight);
// Moves the selection frame to entry MenuItem (nothing for an entry outside 1..6).
void PlaceMenuFrame(const GameState& s, WindowModel& window);
// Shows one of the three previews, drawn at random.
void ShowRandomShot(WindowModel& window, RandomSource& random);
// Stops the world and repaints the menu and its frame over whatever the window shows.
void RaiseMenu(GameState& s, WindowModel& window);
// The menu with the frame on its first entry, over the board.
void ShowMenuOverBoard(GameState& s, WindowModel& window);
// Escape in play: the menu with a random preview, the frame on Return, the shop's frames gone.
void LeavePlayForMenu(GameState& s, WindowModel& window, RandomSource& random);
// Takes the menu, its frame and the previews off the window.
void HideMenu(WindowModel& window);
