#include "menu/main_menu.h"

#include <array>
#include <cstddef>

#include "view/design_scale.h"

namespace {

constexpr int kEntries = 6;

// The selection frame on the first entry, in design pixels.
constexpr int kFrameLeft = 521;
constexpr int kFrameWidth = 162;
constexpr int kFrameHeight = 41;
// Top edge of the selection frame for each entry, in design pixels.
constexpr std::array<int, kEntries + 1> kFrameTops{0, 189, 229, 272, 317, 361, 424};

constexpr std::array<MenuEntry, kEntries + 1> kEntryOf{
    MenuEntry::None,   MenuEntry::Return, MenuEntry::New, MenuEntry::Restart,
    MenuEntry::Custom, MenuEntry::Load,   MenuEntry::Exit};

// The pictures of the main menu, which leaving it takes away.
constexpr std::array<Element, 5> kMenuPictures{Element::ImShot1, Element::ImShot2,
                                               Element::ImShot3, Element::ImMenu,
                                               Element::ImSelect};

int FrameTop(int entry, int screenHeight) {
  return ScaleY(kFrameTops[static_cast<std::size_t>(entry)], screenHeight);
}

}  // namespace

MenuEntry MenuKeyDown(GameState& s, int key) {
  if (key == vk::Enter && s.screens.MenuItem >= 1 && s.screens.MenuItem <= kEntries) {
    return kEntryOf[static_cast<std::size_t>(s.screens.MenuItem)];
  }
  if (key == vk::Up) {
    s.screens.MenuItem = s.screens.MenuItem <= 1 ? kEntries : s.screens.MenuItem - 1;
  } else if (key == vk::Down) {
    s.screens.MenuItem = s.screens.MenuItem >= kEntries ? 1 : s.screens.MenuItem + 1;
  }
  return MenuEntry::None;
}

void LayOutMainMenu(WindowModel& window, int screenWidth, int screenHeight) {
  window.SetBounds(Element::ImSelect, ScaleX(kFrameLeft, screenWidth), FrameTop(1, screenHeight),
                   ScaleX(kFrameWidth, screenWidth), ScaleY(kFrameHeight, screenHeight));
}

void PlaceMenuFrame(const GameState& s, WindowModel& window) {
  if (s.screens.MenuItem < 1 || s.screens.MenuItem > kEntries) return;
  const PictureElement& frame = window.Get(Element::ImSelect);
  window.SetPosition(Element::ImSelect, frame.Left,
                     FrameTop(s.screens.MenuItem, s.view.ScreenHeight));
}

void ShowRandomShot(WindowModel& window, RandomSource& random) {
  const int k = random.Random(3) + 1;
  window.Show(kShots[static_cast<std::size_t>(k - 1)]);
}

void RaiseMenu(GameState& s, WindowModel& window) {
  s.world.Timer1Enabled = false;
  window.Hide(Element::ImMenu);
  window.Show(Element::ImMenu);
  window.Hide(Element::ImSelect);
  window.Show(Element::ImSelect);
}

void ShowMenuOverBoard(GameState& s, WindowModel& window) {
  s.world.PlayerDead = 0;
  s.screens.MenuItem = 1;
  PlaceMenuFrame(s, window);
  RaiseMenu(s, window);
}

void LeavePlayForMenu(GameState& s, WindowModel& window, RandomSource& random) {
  s.screens.ScreenState = Screen::Menu;
  ShowRandomShot(window, random);
  window.Hide(Element::ImSelectSP);
  for (const Element place : kMoneyPlaces) window.Hide(place);
  s.screens.MenuItem = 1;
  window.SetPosition(Element::ImSelect, ScaleX(kFrameLeft, s.view.ScreenWidth),
                     FrameTop(1, s.view.ScreenHeight));
  RaiseMenu(s, window);
}

void HideMenu(WindowModel& window) {
  for (const Element picture : kMenuPictures) window.Hide(picture);
}
