#include <string>

#include "app/player_settings.h"
#include "app/start_up.h"
#include "app/tform1.h"
#include "game/cp1251.h"
#include "game/level_names.h"
#include "game/runtime_error.h"
#include "menu/menu_actions.h"
#include "view/placement.h"
#include "view/text_box.h"

void TForm1::FormCreate() {
  RunHandler([&] {
    window_.SetEdit1Text(Utf8ToCp1251("Осталось Рубинов:"));
    state_.campaign.PlayerName = ReadPlayerName(options_.playerFolder);
    sounds_.SetOn(LoadSettings().soundOn);
    const int sw = state_.view.ScreenWidth;
    const int sh = state_.view.ScreenHeight;
    if (WarnAboutScreenSize(sw, sh)) {
      ShowMessage(Utf8ToCp1251("Предупреждение"),
                  Utf8ToCp1251("Игра оптимизирована для разрешения экрана 800х600.\r"
                               "Вы можете изменить его сейчас."));
    }
    platform_.SetTaskbarVisible(false);
    SetUpDialogs(files_);
    LayOutPictures(window_, sw, sh);
    board_.ResizeToBoard();
    state_.view.ViewCenterX = ViewCenter(sw);
    state_.view.ViewCenterY = ViewCenter(sh);
    state_.campaign.CurrentLevelFile = CampaignLevelName(kFirstCampaignLevel);
    // A broken first level is reported, and the menu still comes up in front of what is left.
    try {
      LoadLevel(state_.campaign.CurrentLevelFile);
    } catch (const RuntimeError& error) {
      ShowError(error.what());
    }
    ShowRandomShot(window_, random_);
    state_.world.PlayerDead = 0;
    window_.SetEdit1Bounds(
        Rect{sw / 2 - kStatusBoxWidth / 2, 0, kStatusBoxWidth, kStatusBoxHeight});
    state_.screens.ScreenState = Screen::Menu;
    state_.screens.MenuItem = 1;
    RaiseMenu(state_, window_);
  });
}
