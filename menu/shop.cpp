#include "menu/shop.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>

#include "game/int32.h"
#include "game/level_file.h"
#include "game/shop_prices.h"
#include "game/snapshot_file.h"
#include "menu/menu_actions.h"

namespace {

struct Offset {
  int dx;
  int dy;
};

// Where the frames stand, relative to the shop panel's top-left corner: around the icon and
// the price of items 1..4 ([0] unused), and around the two buttons.
constexpr std::array<Offset, shop_entry::LastItem + 1> kItemFrame{
    {{0, 0}, {17, 25}, {16, 72}, {16, 118}, {16, 163}}};
constexpr std::array<Offset, shop_entry::LastItem + 1> kPriceFrame{
    {{0, 0}, {164, 25}, {164, 73}, {164, 120}, {164, 164}}};
constexpr std::array<Offset, 2> kButtonFrame{{{21, 210}, {120, 210}}};  // Save, Play

struct Placed {
  Element id;
  Offset at;
};

// Where the frames and the counter places start, relative to the panel's top-left corner.
constexpr Placed kShopLayout[] = {
    {Element::ImSelectIt, {16, 123}}, {Element::ImSelectCt, {164, 164}},
    {Element::ImSelectSP, {120, 210}}, {Element::ImCt1, {92, 269}},
    {Element::ImCt2, {120, 265}},      {Element::ImCt3, {147, 267}},
    {Element::ImCt4, {175, 264}},
};

bool IsItem(int entry) { return entry >= shop_entry::FirstItem && entry <= shop_entry::LastItem; }

void HideShop(WindowModel& window) {
  window.Hide(Element::ImMenuShop);
  window.Hide(Element::ImSelectSP);
  for (const Element place : kMoneyPlaces) window.Hide(place);
}

}  // namespace

bool BuyItem(GameState& s, int index) {
  if (!IsItem(index)) return false;
  const std::int32_t price = ShopPrices[static_cast<std::size_t>(index)];
  if (price > s.campaign.Money) return false;
  std::int32_t& count = s.campaign.Inventory[static_cast<std::size_t>(index)];
  count = Wrap32(std::int64_t{count} + 1);
  s.campaign.Money = Wrap32(std::int64_t{s.campaign.Money} - price);
  return true;
}

void ForgetPurchases(GameState& s) {
  s.campaign.Money = 0;
  for (int entry = shop_entry::FirstItem; entry <= shop_entry::LastItem; ++entry) {
    s.campaign.Inventory[static_cast<std::size_t>(entry)] = 0;
  }
}

void ShopKeyDown(GameState& s, WindowModel& window, MenuHost& host, MenuFiles& files, int key) {
  if (key == vk::Enter && s.screens.ShopItem == shop_entry::Play) {
    // A next level that is there but cannot be read keeps the shop open, so that the campaign
    // can still be saved; only a name with no file behind it ends the campaign.
    const std::optional<Level> next = ReadLevelIfPresent(s.campaign.CurrentLevelFile);
    // Without a snapshot dying could not give back what the level began with: the shop stays.
    WriteSnapshot(s, files.snapshotPath);
    HideShop(window);
    s.screens.ScreenState = Screen::Play;
    if (next) {
      host.EnterLevel(*next);
    } else {
      host.LoadLevel(s.campaign.CurrentLevelFile);
    }
    return;
  }
  if (key == vk::Enter && s.screens.ShopItem == shop_entry::Save) {
    SaveCampaign(s, host, files);
  } else if (key == vk::Enter && IsItem(s.screens.ShopItem)) {
    BuyItem(s, s.screens.ShopItem);
    host.Edit2Change();
  } else if (key == vk::Up) {
    s.screens.ShopItem =
        s.screens.ShopItem == shop_entry::FirstItem ? shop_entry::Play : s.screens.ShopItem - 1;
  } else if (key == vk::Down) {
    s.screens.ShopItem =
        s.screens.ShopItem == shop_entry::Play ? shop_entry::FirstItem : s.screens.ShopItem + 1;
  }
  PlaceShopFrames(s, window);
}

void LayOutShop(WindowModel& window, int screenWidth, int screenHeight) {
  const PictureElement& panel = window.Get(Element::ImMenuShop);
  const int left = screenWidth / 2 - panel.Width / 2;
  const int top = screenHeight / 2 - panel.Height / 2;
  window.SetPosition(Element::ImMenuShop, left, top);
  for (const Placed& p : kShopLayout) window.SetPosition(p.id, left + p.at.dx, top + p.at.dy);
  window.Hide(Element::ImSelectIt);
  window.Hide(Element::ImSelectCt);
}

void PlaceShopFrames(const GameState& s, WindowModel& window) {
  const int entry = s.screens.ShopItem;
  const PictureElement& panel = window.Get(Element::ImMenuShop);
  if (IsItem(entry)) {
    const Offset icon = kItemFrame[static_cast<std::size_t>(entry)];
    const Offset price = kPriceFrame[static_cast<std::size_t>(entry)];
    window.SetPosition(Element::ImSelectIt, panel.Left + icon.dx, panel.Top + icon.dy);
    window.SetPosition(Element::ImSelectCt, panel.Left + price.dx, panel.Top + price.dy);
    window.Show(Element::ImSelectIt);
    window.Show(Element::ImSelectCt);
    window.Hide(Element::ImSelectSP);
  } else if (entry == shop_entry::Save || entry == shop_entry::Play) {
    const Offset button = kButtonFrame[static_cast<std::size_t>(entry - shop_entry::Save)];
    window.Hide(Element::ImSelectIt);
    window.Hide(Element::ImSelectCt);
    window.SetPosition(Element::ImSelectSP, panel.Left + button.dx, panel.Top + button.dy);
    window.Show(Element::ImSelectSP);
  }
}

void ShowShop(WindowModel& window) {
  window.Hide(Element::ImMenuShop);
  window.Show(Element::ImMenuShop);
  window.Hide(Element::ImSelectIt);
  window.Hide(Element::ImSelectCt);
  window.Show(Element::ImSelectSP);
  for (const Element place : kMoneyPlaces) window.Show(place);
}
