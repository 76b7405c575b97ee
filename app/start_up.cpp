#include "app/start_up.h"

#include "game/cp1251.h"
#include "game/text_file.h"
#include "menu/main_menu.h"
#include "menu/shop.h"
#include "view/design_scale.h"

namespace {

// The previews' place on the menu, in design pixels: all three at the first one's size.
constexpr int kShotLeft = 131;
constexpr int kShotTop = 221;
constexpr int kShotWidth = CatalogueEntryOf(Element::ImShot1).width;
constexpr int kShotHeight = CatalogueEntryOf(Element::ImShot1).height;

}  // namespace

std::string ReadPlayerName(const std::string& folder) {
  if (const auto file = TextReader::Open(folder + "Player.cfg")) {
    file->SkipByteOrderMark();
    return EditorTextToCp1251(file->ReadLine());
  }
  return "Player";
}

bool WarnAboutScreenSize(int screenWidth, int screenHeight) {
  return screenWidth != kDesignWidth && screenHeight != kDesignHeight;
}

void LayOutPictures(WindowModel& window, int screenWidth, int screenHeight) {
  const int sw = screenWidth;
  const int sh = screenHeight;
  window.SetBounds(Element::ImMenu, 0, 0, sw, sh);
  window.SetBounds(Element::ImScore, 0, 0, sw, sh);
  LayOutMainMenu(window, sw, sh);
  for (const Element shot : kShots) {
    window.SetBounds(shot, ScaleX(kShotLeft, sw), ScaleY(kShotTop, sh), ScaleX(kShotWidth, sw),
                     ScaleY(kShotHeight, sh));
    window.Hide(shot);
  }
  LayOutShop(window, sw, sh);
}
