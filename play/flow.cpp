#include "play/flow.h"

#include <memory>

#include "game/cp1251.h"
#include "game/int32.h"
#include "game/level_names.h"
#include "game/runtime_error.h"
#include "game/snapshot_file.h"
#include "game/text_file.h"
#include "game/tiles.h"
#include "platform/file_system.h"
#include "rules/world_update.h"

namespace {

// Stops the world; clears the board, the screen and the level's counters.
void ClearForLevel(GameState& s, FlowHost& host) {
  s.world.Timer1Enabled = false;
  s.world.Board.Clear();
  host.ClearBoardView();
  s.world.PlayerDead = 0;
  s.world.RubiesCollected = 0;
}

// Puts `level` on the board, shows it and starts the world.
void ShowLevel(GameState& s, FlowHost& host, const Level& level) {
  PutLevel(level, s);
  host.ShowLevel();
  s.world.Timer1Enabled = true;
}

// LoadLevel without the campaign's end: false when the file cannot be opened.
bool LoadLevelFile(GameState& s, FlowHost& host, const std::string& name) {
  ClearForLevel(s, host);
  std::unique_ptr<TextReader> file = OpenLevelFile(name);
  if (!file) return false;
  Level level;
  try {
    ReadLevel(*file, level, name);
  } catch (const RuntimeError&) {
    // What was read before the bad value stays on the board.
    PutLevel(level, s);
    throw;
  }
  file.reset();
  ShowLevel(s, host, level);
  return true;
}

}  // namespace

void PlacePlayerTile(GameState& s) {
  if (s.world.InPlayfield(s.world.PlayerX, s.world.PlayerY))
    s.world.Board(s.world.PlayerX, s.world.PlayerY) = tiles::Player;
}

void TickWorld(GameState& s, RandomSource& rng, SoundSink& sounds) {
  PlacePlayerTile(s);
  UpdateWorld(s, rng, sounds);
}

void Timer1Timer(GameState& s, FlowHost& host, RandomSource& rng,
                 const std::string& snapshotPath) {
  TickWorld(s, rng, host.Sounds());
  host.RedrawBoard();
  if (s.world.PlayerDead != 0) GameOver(s, host, snapshotPath);
}

void GameOver(GameState& s, FlowHost& host, const std::string& snapshotPath) {
  s.world.Timer1Enabled = false;
  host.Sounds().Raise(Sound::Caught);
  host.ShowMessage("Game Over", "Game Over");
  try {
    ReadSnapshot(s, snapshotPath);
  } catch (const RuntimeError& error) {
    host.ShowError(error.what());
  }
  LoadLevel(s, host, s.campaign.CurrentLevelFile);
  s.world.PlayerDead = 0;
}

void LoadLevel(GameState& s, FlowHost& host, const std::string& name) {
  if (!LoadLevelFile(s, host, name)) CampaignEnd(s, host);
}

void EnterLevel(GameState& s, FlowHost& host, const Level& level) {
  ClearForLevel(s, host);
  ShowLevel(s, host, level);
}

void CampaignEnd(GameState& s, FlowHost& host) {
  if (IsReadableFile(host.ScoreTablePath())) {
    s.campaign.CurrentLevelFile = CampaignLevelName(kFirstCampaignLevel);
    s.screens.ScreenState = Screen::ScoreTable;
    host.ShowScoreTable();
    return;
  }
  s.screens.ScreenState = Screen::Menu;
  host.ShowMessage("Sooorry!!!!", Utf8ToCp1251("Не найден файл с лучшими результатами"));
  s.campaign.CurrentLevelFile = CampaignLevelName(kFirstCampaignLevel);
  if (!LoadLevelFile(s, host, s.campaign.CurrentLevelFile)) {
    // The first level is missing too: an empty playfield under the menu.
    s.world.BoardWidth = 0;
    s.world.BoardHeight = 0;
    s.world.PlayerX = 0;
    s.world.PlayerY = 0;
    s.world.RubiesRequired = 0;
  }
  host.ShowMenuOverFirstLevel();
}

bool FinishLevel(GameState& s) {
  s.world.Timer1Enabled = false;
  if (!IsCampaignName(s.campaign.CurrentLevelFile)) return false;
  s.campaign.CurrentLevelFile = NextCampaignName(s.campaign.CurrentLevelFile);
  s.screens.ScreenState = Screen::Shop;
  s.screens.ShopItem = shop_entry::Play;
  s.campaign.Money =
      Wrap32(std::int64_t{s.campaign.Money} + s.world.RubiesCollected - s.world.RubiesRequired);
  return true;
}
