#pragma once
// The game's flow over the state: the tick, a level put into play, finished or lost, and the
// campaign's end. The window draws and asks through FlowHost; nothing here draws by itself.
#include <string>

#include "game/game_state.h"
#include "game/level_file.h"
#include "game/random.h"
#include "play/flow_host.h"

// The tick's first step: the player's tile written into the player's cell (none when the
// playfield is empty and has no such cell).
void PlacePlayerTile(GameState& s);

// The tick's work on the board: PlacePlayerTile, then one UpdateWorld pass drawing on `rng`.
void TickWorld(GameState& s, RandomSource& rng);

// Timer1Timer: TickWorld, the board redrawn, and Game Over when the player was caught.
void Timer1Timer(GameState& s, FlowHost& host, RandomSource& rng, const std::string& snapshotPath);

// Game Over: the message, the holdings the level began with (a damaged snapshot is reported
// and the level restarts all the same), and the current level again.
void GameOver(GameState& s, FlowHost& host, const std::string& snapshotPath);

// Loads the level file `name` into play. A file that cannot be opened ends the campaign; a bad
// value throws RuntimeError and leaves what was read before it on the board, the world stopped.
void LoadLevel(GameState& s, FlowHost& host, const std::string& name);

// Puts a level read completely beforehand into play.
void EnterLevel(GameState& s, FlowHost& host, const Level& level);

// The campaign has no next level: the table of best results when its file is there; else a
// message, and the menu over the first level (over an empty playfield when that is missing
// too).
void CampaignEnd(GameState& s, FlowHost& host);

// The exit was reached: the world stops; a campaign level earns its surplus rubies and opens
// the shop before the next level (true); a single level ends the game (false). The caller
// shows the shop or closes the window.
bool FinishLevel(GameState& s);
