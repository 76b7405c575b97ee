#include <string>

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
    state_.PlayerName = ReadPlayerName(options_.playerFolder);
    const int sw = state_.ScreenWidth;
    const int sh = state_.ScreenHeight;
    if (WarnAboutScreenSize(sw, sh)) {
      ShowMessage(Utf8ToCp1251("Предупреждение"),
                  Utf8ToCp1251("Игра оптимизирована для разрешения экрана 800х600.\r"
                               "Вы можете изменить его сейчас."));
    }
    platform_.SetTaskbarVisible(false);
    platform_.SeedRandom();
    SetUpDialogs(files_);
    LayOutPictures(window_, sw, sh);
    board_.ResizeToBoard();
    state_.ViewCenterX = ViewCenter(sw);
    state_.ViewCenterY = ViewCenter(sh);
    state_.CurrentLevelFile = CampaignLevelName(kFirstCampaignLevel);
    // A broken first level is reported, and the menu still comes up in front of what is left.
    try {
      LoadLevel(state_.CurrentLevelFile);
    } catch (const RuntimeError& error) {
      ShowError(error.what());
    }
    ShowRandomShot(window_, platform_.Random());
    state_.PlayerDead = 0;
    window_.SetEdit1Bounds(
        Rect{sw / 2 - kStatusBoxWidth / 2, 0, kStatusBoxWidth, kStatusBoxHeight});
    state_.ScreenState = screen_state::Menu;
    state_.MenuItem = 1;
    RaiseMenu(state_, window_);
  });
}
