#include <string>

#include "app/tform1.h"
#include "game/cp1251.h"
#include "game/runtime_error.h"
#include "game/text_file.h"
#include "view/placement.h"

namespace {

constexpr int kDesignWidth = 800;
constexpr int kDesignHeight = 600;
constexpr int kEdit1Width = 137;
constexpr int kEdit1Height = 21;

struct Offset {
  Element id;
  int dx;
  int dy;
};

// Pictures placed over the shop panel, relative to its top-left corner.
constexpr Offset kShopLayout[] = {
    {Element::ImSelectIt, 16, 123}, {Element::ImSelectCt, 164, 164},
    {Element::ImSelectSP, 120, 210}, {Element::ImCt1, 92, 269},
    {Element::ImCt2, 120, 265},      {Element::ImCt3, 147, 267},
    {Element::ImCt4, 175, 264},
};

int Scale(int value, int screen, int design) {
  return static_cast<int>(static_cast<long long>(screen) * value / design);
}

}  // namespace

void TForm1::FormCreate() {
  RunHandler([&] {
    window_.SetEdit1Text(Utf8ToCp1251("Осталось Рубинов:"));
    ReadPlayerName();
    const int sw = state_.ScreenWidth;
    const int sh = state_.ScreenHeight;
    if (sw != kDesignWidth && sh != kDesignHeight) {
      ShowMessage(Utf8ToCp1251("Предупреждение"),
                  Utf8ToCp1251("Игра оптимизирована для разрешения экрана 800х600.\r"
                               "Вы можете изменить его сейчас."));
    }
    platform_.SetTaskbarVisible(false);
    platform_.SeedRandom();
    openDialog1_ = {Utf8ToCp1251("Файлы уровней Kolbrin|*.lvl"), options_.programFolder, ""};
    openDialog2_ = {Utf8ToCp1251("Файлы Сохраненной Компании|*.ksv"), options_.programFolder, ""};
    saveDialog1_ = {Utf8ToCp1251("Файлы Записей Kolbrin|*.ksv"), options_.programFolder, ""};
    LayOutPictures();
    board_.ResizeToBoard();
    state_.ViewCenterX = ViewCenter(sw);
    state_.ViewCenterY = ViewCenter(sh);
    state_.CurrentLevelFile = "Level1.cam";
    // A broken first level is reported, and the menu still comes up in front of what is left.
    try {
      LoadLevel(state_.CurrentLevelFile);
    } catch (const RuntimeError& error) {
      ShowError(error.what());
    }
    ShowRandomShot();
    state_.PlayerDead = 0;
    window_.SetEdit1Bounds(Rect{sw / 2 - kEdit1Width / 2, 0, kEdit1Width, kEdit1Height});
    state_.ScreenState = screen_state::Menu;
    state_.MenuItem = 1;
    state_.Timer1Enabled = false;
    window_.Hide(Element::ImMenu);
    window_.Show(Element::ImMenu);
    window_.Hide(Element::ImSelect);
    window_.Show(Element::ImSelect);
  });
}

void TForm1::ReadPlayerName() {
  state_.PlayerName = "Player";
  if (const auto file = TextReader::Open("Player.cfg")) state_.PlayerName = file->ReadLine();
}

void TForm1::LayOutPictures() {
  const int sw = state_.ScreenWidth;
  const int sh = state_.ScreenHeight;
  window_.SetBounds(Element::ImMenu, 0, 0, sw, sh);
  window_.SetBounds(Element::ImScore, 0, 0, sw, sh);
  window_.SetBounds(Element::ImSelect, Scale(521, sw, kDesignWidth), Scale(189, sh, kDesignHeight),
                    Scale(162, sw, kDesignWidth), Scale(41, sh, kDesignHeight));
  const PictureElement& shop = window_.Get(Element::ImMenuShop);
  const int left = sw / 2 - shop.Width / 2;
  const int top = sh / 2 - shop.Height / 2;
  window_.SetPosition(Element::ImMenuShop, left, top);
  for (const Element shot : kShots) {
    window_.SetBounds(shot, Scale(131, sw, kDesignWidth), Scale(221, sh, kDesignHeight),
                      Scale(280, sw, kDesignWidth), Scale(210, sh, kDesignHeight));
    window_.Hide(shot);
  }
  for (const Offset& o : kShopLayout) window_.SetPosition(o.id, left + o.dx, top + o.dy);
  window_.Hide(Element::ImSelectIt);
  window_.Hide(Element::ImSelectCt);
}
