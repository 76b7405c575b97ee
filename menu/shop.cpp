#include <array>
#include <cstdint>

#include "app/tform1.h"
#include "game/int32.h"
#include "game/shop_prices.h"
#include "menu/snapshot_file.h"

namespace {

constexpr int kFirstItem = 1;
constexpr int kLastItem = 4;
constexpr int kSave = 5;
constexpr int kPlay = 6;

struct Offset {
  int dx;
  int dy;
};

// Where the frames stand, relative to the shop panel's top-left corner: around the icon and
// the price of items 1..4 ([0] unused), and around the two buttons.
constexpr std::array<Offset, kLastItem + 1> kItemFrame{{{0, 0}, {17, 25}, {16, 72}, {16, 118},
                                                        {16, 163}}};
constexpr std::array<Offset, kLastItem + 1> kPriceFrame{{{0, 0}, {164, 25}, {164, 73},
                                                         {164, 120}, {164, 164}}};
constexpr std::array<Offset, 2> kButtonFrame{{{21, 210}, {120, 210}}};  // Save, Play

bool IsItem(int entry) { return entry >= kFirstItem && entry <= kLastItem; }

}  // namespace

void TForm1::ShopKeyDown(int key) {
  if (key == vk::Enter && state_.ShopItem == kPlay) {
    // Without a snapshot dying could not give back what the level began with: the shop stays.
    WriteSnapshot(state_, options_.snapshotPath);
    window_.Hide(Element::ImMenuShop);
    window_.Hide(Element::ImSelectSP);
    for (const Element place : kMoneyPlaces) window_.Hide(place);
    state_.ScreenState = screen_state::Play;
    LoadLevel(state_.CurrentLevelFile);
    return;
  }
  if (key == vk::Enter && state_.ShopItem == kSave) {
    SaveCampaign();
  } else if (key == vk::Enter && IsItem(state_.ShopItem)) {
    ImTrShop(state_.ShopItem);
  } else if (key == vk::Up) {
    state_.ShopItem = state_.ShopItem == 1 ? kPlay : state_.ShopItem - 1;
  } else if (key == vk::Down) {
    state_.ShopItem = state_.ShopItem == kPlay ? 1 : state_.ShopItem + 1;
  }
  PlaceShopFrames();
}

void TForm1::ImTrShop(int index) {
  if (IsItem(index)) {
    const std::int32_t price = ShopPrices[static_cast<std::size_t>(index)];
    if (price <= state_.Money) {
      std::int32_t& count = state_.Inventory[static_cast<std::size_t>(index)];
      count = Wrap32(std::int64_t{count} + 1);
      state_.Money = Wrap32(std::int64_t{state_.Money} - price);
    }
  }
  Edit2Change();
}

void TForm1::PlaceShopFrames() {
  const int entry = state_.ShopItem;
  const PictureElement& panel = window_.Get(Element::ImMenuShop);
  if (IsItem(entry)) {
    const Offset item = kItemFrame[static_cast<std::size_t>(entry)];
    const Offset price = kPriceFrame[static_cast<std::size_t>(entry)];
    window_.SetPosition(Element::ImSelectIt, panel.Left + item.dx, panel.Top + item.dy);
    window_.SetPosition(Element::ImSelectCt, panel.Left + price.dx, panel.Top + price.dy);
    window_.Show(Element::ImSelectIt);
    window_.Show(Element::ImSelectCt);
    window_.Hide(Element::ImSelectSP);
  } else if (entry == kSave || entry == kPlay) {
    const Offset button = kButtonFrame[static_cast<std::size_t>(entry - kSave)];
    window_.Hide(Element::ImSelectIt);
    window_.Hide(Element::ImSelectCt);
    window_.SetPosition(Element::ImSelectSP, panel.Left + button.dx, panel.Top + button.dy);
    window_.Show(Element::ImSelectSP);
  }
}

void TForm1::ShowShop() {
  window_.Hide(Element::ImMenuShop);
  window_.Show(Element::ImMenuShop);
  window_.Hide(Element::ImSelectIt);
  window_.Hide(Element::ImSelectCt);
  window_.Show(Element::ImSelectSP);
  for (const Element place : kMoneyPlaces) window_.Show(place);
}

void TForm1::ShowShopAfterLevel() {
  Edit2Change();
  ShowShop();
}
