#include <string>
#include <vector>

#include "app/tform1.h"
#include "game/score_table.h"
#include "view/letters.h"

namespace {

constexpr int kLineImageHeight = 35;

// Draws the first ten entries of the table onto the blank score picture, so that a second
// table in the same run does not show through the first.
void DrawScoreTable(WindowModel& window, const Surface& blankScore, int screenWidth) {
  const std::vector<std::string> lines = ReadScoreLinesToDraw(kScoreTableFile);
  Surface& lineImage = window.Get(Element::ImTempLetter).Picture;
  lineImage = Surface(screenWidth, kLineImageHeight, kWhite);
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

void TForm1::ShowScoreTable() {
  UpdateScoreTable(kScoreTableFile, kScoreWorkFile, state_.PlayerName,
                   CampaignResult(state_.Money, state_.Inventory));
  DrawScoreTable(window_, blankScore_, state_.ScreenWidth);
  window_.Show(Element::ImScore);
}
