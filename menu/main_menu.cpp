#include <array>
#include <string>

#include "app/tform1.h"

namespace {

constexpr int kDesignWidth = 800;
constexpr int kDesignHeight = 600;
constexpr int kFrameLeft = 521;
constexpr int kEntries = 6;

// Top edge of the selection frame for each entry, in design pixels.
constexpr std::array<int, kEntries + 1> kFrameTops{0, 189, 229, 272, 317, 361, 424};

// The action of each entry.
using MenuAction = void (TForm1::*)();

}  // namespace

void TForm1::MenuKeyDown(int key) {
  static constexpr std::array<MenuAction, kEntries + 1> kActions{
      nullptr,
      &TForm1::ImReturnMouseDown,
      &TForm1::ImNewMouseDown,
      &TForm1::ImRestartMouseDown,
      &TForm1::ImCustomMouseDown,
      &TForm1::ImLoadMouseDown,
      &TForm1::ImExitMouseDown};
  if (key == vk::Enter && state_.MenuItem >= 1 && state_.MenuItem <= kEntries) {
    (this->*kActions[static_cast<std::size_t>(state_.MenuItem)])();
  } else if (key == vk::Up) {
    state_.MenuItem = state_.MenuItem <= 1 ? kEntries : state_.MenuItem - 1;
  } else if (key == vk::Down) {
    state_.MenuItem = state_.MenuItem >= kEntries ? 1 : state_.MenuItem + 1;
  }
  PlaceMenuFrame();
}

void TForm1::PlaceMenuFrame() {
  if (state_.MenuItem < 1 || state_.MenuItem > kEntries) return;
  const PictureElement& frame = window_.Get(Element::ImSelect);
  const int top = static_cast<int>(static_cast<long long>(state_.ScreenHeight) *
                                   kFrameTops[static_cast<std::size_t>(state_.MenuItem)] /
                                   kDesignHeight);
  window_.SetPosition(Element::ImSelect, frame.Left, top);
}

void TForm1::ShowRandomShot() {
  const int k = platform_.Random().Random(3) + 1;
  window_.Show(kShots[static_cast<std::size_t>(k - 1)]);
}

void TForm1::LeaveScoreScreen() {
  state_.ScreenState = screen_state::Menu;
  state_.CurrentLevelFile = "Level1.cam";
  LoadLevel(state_.CurrentLevelFile);
  ShowRandomShot();
  window_.Hide(Element::ImScore);
  ShowMenuOverBoard();
  state_.Money = 0;
  for (int item = 1; item <= 4; ++item) state_.Inventory[static_cast<std::size_t>(item)] = 0;
}

void TForm1::LeavePlayForMenu() {
  state_.ScreenState = screen_state::Menu;
  ShowRandomShot();
  window_.Hide(Element::ImSelectSP);
  for (const Element place : kMoneyPlaces) window_.Hide(place);
  state_.MenuItem = 1;
  const int sw = state_.ScreenWidth;
  const int sh = state_.ScreenHeight;
  window_.SetPosition(Element::ImSelect, static_cast<int>(static_cast<long long>(sw) * kFrameLeft / kDesignWidth),
                      static_cast<int>(static_cast<long long>(sh) * kFrameTops[1] / kDesignHeight));
  state_.Timer1Enabled = false;
  window_.Hide(Element::ImMenu);
  window_.Hide(Element::ImSelect);
  window_.Show(Element::ImMenu);
  window_.Show(Element::ImSelect);
}
