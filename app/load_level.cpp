#include <string>

#include "app/tform1.h"
#include "game/cp1251.h"
#include "game/level_file.h"
#include "game/level_names.h"
#include "game/runtime_error.h"
#include "game/score_table.h"
#include "game/text_file.h"
#include "menu/score_screen.h"

void TForm1::LoadLevel(const std::string& name) {
  ClearForLevel();
  std::unique_ptr<TextReader> file = OpenLevelFile(name);
  if (!file) {
    CampaignEnd();
    return;
  }
  Level level;
  try {
    ReadLevel(*file, level, name);
  } catch (const RuntimeError&) {
    // What was read before the bad value stays on the board.
    PutLevel(level, state_);
    throw;
  }
  file.reset();
  ShowLevel(level);
}

void TForm1::EnterLevel(const Level& level) {
  ClearForLevel();
  ShowLevel(level);
}

void TForm1::ClearForLevel() {
  state_.Timer1Enabled = false;
  state_.Board.Clear();
  board_.ClearScreen();
  state_.PlayerDead = 0;
  state_.RubiesCollected = 0;
}

void TForm1::ShowLevel(const Level& level) {
  PutLevel(level, state_);
  board_.ResizeToBoard();
  board_.PlaceBoard();
  board_.PresentBoard();
  HideMenu(window_);
  state_.Timer1Enabled = true;
  UpdateRubyStatus();
}

// The campaign has no next level (no file is behind the name).
void TForm1::CampaignEnd() {
  if (FileCanBeOpened(files_.playerFolder + kScoreTableFile)) {
    state_.CurrentLevelFile = CampaignLevelName(kFirstCampaignLevel);
    state_.ScreenState = screen_state::ScoreTable;
    ShowScoreTable(state_, window_, blankScore_, files_.playerFolder);
    return;
  }
  if (campaignEndDepth_ > 0) {
    // The first level is missing too: stop with an empty playfield instead of asking again.
    state_.BoardWidth = 0;
    state_.BoardHeight = 0;
    state_.PlayerX = 0;
    state_.PlayerY = 0;
    state_.RubiesRequired = 0;
    return;
  }
  state_.ScreenState = screen_state::Menu;
  ShowMessage("Sooorry!!!!", Utf8ToCp1251("Не найден файл с лучшими результатами"));
  state_.CurrentLevelFile = CampaignLevelName(kFirstCampaignLevel);
  ++campaignEndDepth_;
  try {
    LoadLevel(state_.CurrentLevelFile);
  } catch (...) {
    --campaignEndDepth_;
    throw;
  }
  --campaignEndDepth_;
  ShowRandomShot(window_, platform_.Random());
  ShowMenuOverBoard(state_, window_);
}
