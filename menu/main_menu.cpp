#include "menu/main_menu.h"

#include <array>
#include <cstddef>

#include "menu/frames.h"
#include "view/design_scale.h"

namespace {

constexpr int kEntries = static_cast<int>(kMenuFrameTops.size());

constexpr std::array<MenuEntry, kEntries + 1> kEntryOf{
    MenuEntry::None,   MenuEntry::Return, MenuEntry::New, MenuEntry::Restart,
    MenuEntry::Custom, MenuEntry::Load,   MenuEntry::Exit};

// The pictures of the main menu, which leaving it takes away.
constexpr std::array<Element, 5> kMenuPictures{Element::ImShot1, Element::ImShot2,
                                               Element::ImShot3, Element::ImMenu,
                                               Element::ImSelect};

int FrameTop(int entry, int screenHeight) {
  return ScaleY(kMenuFrameTops[static_cast<std::size_t>(entry - 1)], screenHeight);
}

}  // namespace

MenuEntry MenuKeyDown(GameState& s, int key, SoundSink& sounds) {
  if (key == vk::Enter && s.screens.MenuItem >= 1 && s.screens.MenuItem <= kEntries) {
    sounds.Raise(Sound::MenuChoose);
    return kEntryOf[static_cast<std::size_t>(s.screens.MenuItem)];
  }
  if (key == vk::Up) {
    s.screens.MenuItem = s.screens.MenuItem <= 1 ? kEntries : s.screens.MenuItem - 1;
    sounds.Raise(Sound::MenuMove);
  } else if (key == vk::Down) {
    s.screens.MenuItem = s.screens.MenuItem >= kEntries ? 1 : s.screens.MenuItem + 1;
    sounds.Raise(Sound::MenuMove);
  }
  return MenuEntry::None;
}

void LayOutMainMenu(WindowModel& window, int screenWidth, int screenHeight) {
  const CatalogueEntry& frame = CatalogueEntryOf(Element::ImSelect);
  window.SetBounds(Element::ImSelect, ScaleX(kMenuFrameLeft, screenWidth),
                   FrameTop(1, screenHeight), ScaleX(frame.width, screenWidth),
                   ScaleY(frame.height, screenHeight));
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
  window.SetPosition(Element::ImSelect, ScaleX(kMenuFrameLeft, s.view.ScreenWidth),
                     FrameTop(1, s.view.ScreenHeight));
  RaiseMenu(s, window);
}

void HideMenu(WindowModel& window) {
  for (const Element picture : kMenuPictures) window.Hide(picture);
}
