#include "menu/score_screen.h"

#include <string>
#include <vector>

#include "game/level_names.h"
#include "game/score_table.h"
#include "menu/main_menu.h"
#include "menu/shop.h"
#include "view/letters.h"

namespace {

// Draws the first ten entries of the table onto the blank score picture, so that a second
// table in the same run does not show through the first.
void DrawScoreTable(WindowModel& window, const Surface& blankScore, int screenWidth,
                    const std::string& tablePath) {
  const std::vector<std::string> lines = ReadScoreLinesToDraw(tablePath);
  Surface& lineImage = window.Get(Element::ImTempLetter).Picture;
  lineImage = Surface(screenWidth, kTableLineHeight, kWhite);
  const Surface& letters = window.Get(Element::ImLetters).Picture;
  PictureElement& score = window.Get(Element::ImScore);
  score.Picture = blankScore;
  for (std::size_t n = 1; n <= lines.size(); ++n) {
    DrawTableLine(lines[n - 1], static_cast<int>(n), lineImage, letters, score.Picture,
                  screenWidth);
  }
  window.Invalidate(score.Bounds());
}

}  // namespace

void ShowScoreTable(const GameState& s, WindowModel& window, const Surface& blankScore,
                    const std::string& folder) {
  const std::string table = folder + kScoreTableFile;
  UpdateScoreTable(table, folder + kScoreWorkFile, s.campaign.PlayerName,
                   CampaignResult(s.campaign.Money, s.campaign.Inventory));
  DrawScoreTable(window, blankScore, s.view.ScreenWidth, table);
  window.Show(Element::ImScore);
}

void LeaveScoreScreen(GameState& s, WindowModel& window, MenuHost& host) {
  s.screens.ScreenState = Screen::Menu;
  s.campaign.CurrentLevelFile = CampaignLevelName(kFirstCampaignLevel);
  host.LoadLevel(s.campaign.CurrentLevelFile);
  ShowRandomShot(window, host.Random());
  window.Hide(Element::ImScore);
  ShowMenuOverBoard(s, window);
  ForgetPurchases(s);
}
