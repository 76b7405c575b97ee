#include "app/tform1.h"
#include "game/runtime_error.h"
#include "game/tiles.h"
#include "game/snapshot_file.h"
#include "rules/world_update.h"

void TForm1::Timer1Timer() {
  // The empty field a refused level leaves has no cell for the player.
  if (state_.InPlayfield(state_.PlayerX, state_.PlayerY)) {
    state_.Board(state_.PlayerX, state_.PlayerY) = tiles::Player;
  }
  UpdateWorld(state_, platform_.Random(), sounds_);
  board_.RedrawVisibleCells();
  board_.PlaceBoard();
  board_.PresentBoard();
  if (state_.PlayerDead != 0) GameOver();
}

void TForm1::GameOver() {
  state_.Timer1Enabled = false;
  sounds_.Raise(Sound::Caught);
  ShowMessage("Game Over", "Game Over");
  // A damaged snapshot is reported once; the level still restarts, so the game never sticks.
  try {
    ReadSnapshot(state_, options_.snapshotPath);
  } catch (const RuntimeError& error) {
    ShowError(error.what());
  }
  LoadLevel(state_.CurrentLevelFile);
  state_.PlayerDead = 0;
}
