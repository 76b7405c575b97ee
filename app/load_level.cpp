#include <string>

#include "app/tform1.h"
#include "game/cp1251.h"
#include "game/level_file.h"
#include "game/text_file.h"

namespace {
constexpr const char* kFirstLevel = "Level1.cam";
constexpr const char* kScoreTableFile = "High.scr";
}  // namespace

void TForm1::LoadLevel(const std::string& name) {
  state_.Timer1Enabled = false;
  state_.Board.Clear();
  board_.ClearScreen();
  state_.PlayerDead = 0;
  state_.RubiesCollected = 0;
  std::unique_ptr<TextReader> file = TextReader::Open(name);
  if (!file) {
    CampaignEnd();
    return;
  }
  ReadLevel(*file, state_, name);
  board_.ResizeToBoard();
  board_.PlaceBoard();
  board_.PresentBoard();
  file.reset();
  window_.Hide(Element::ImMenu);
  window_.Hide(Element::ImSelect);
  state_.Timer1Enabled = true;
  UpdateRubyStatus();
  window_.Hide(Element::ImShot1);
  window_.Hide(Element::ImShot2);
  window_.Hide(Element::ImShot3);
}

// The campaign has no next level (or the named file cannot be opened).
void TForm1::CampaignEnd() {
  if (FileCanBeOpened(kScoreTableFile)) {
    state_.CurrentLevelFile = kFirstLevel;
    state_.ScreenState = screen_state::ScoreTable;
    ShowScoreTable();
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
  state_.CurrentLevelFile = kFirstLevel;
  ++campaignEndDepth_;
  try {
    LoadLevel(state_.CurrentLevelFile);
  } catch (...) {
    --campaignEndDepth_;
    throw;
  }
  --campaignEndDepth_;
  ShowRandomShot();
  ShowMenuOverBoard();
}

// The main menu with the frame on its first entry, repainted over whatever the window shows.
void TForm1::ShowMenuOverBoard() {
  state_.PlayerDead = 0;
  state_.MenuItem = 1;
  PlaceMenuFrame();
  state_.Timer1Enabled = false;
  window_.Hide(Element::ImMenu);
  window_.Show(Element::ImMenu);
  window_.Hide(Element::ImSelect);
  window_.Show(Element::ImSelect);
}
