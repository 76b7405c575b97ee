// Buying in the shop: an item changes hands only when Money covers its price.
#include <gtest/gtest.h>

#include <cstdint>

#include "menu/shop.h"

namespace {

TEST(Shop, BuyingTakesThePriceWhenMoneyCoversIt) {
  struct Case {
    int entry;
    std::int32_t money;
    std::int32_t count;  // of the entry's item before
    bool bought;
    std::int32_t moneyAfter;
    std::int32_t countAfter;
  };
  const Case cases[] = {
      {1, 13, 0, true, 0, 1},    // exactly the price
      {1, 12, 0, false, 12, 0},  // one short
      {4, 100, 2, true, 70, 3},
      {3, 5, INT32_MAX, true, 0, INT32_MIN},  // the count wraps at 32 bits
      {2, -5, 0, false, -5, 0},
      {5, 100, 0, false, 100, 0},  // Save and Play are not for sale
      {shop_entry::Play, 100, 0, false, 100, 0},
  };
  for (const Case& c : cases) {
    GameState s;
    s.campaign.Money = c.money;
    s.campaign.Inventory.fill(7);
    if (c.entry <= 4) s.campaign.Inventory[static_cast<std::size_t>(c.entry)] = c.count;
    auto expected = s.campaign.Inventory;
    if (c.entry <= 4) expected[static_cast<std::size_t>(c.entry)] = c.countAfter;
    EXPECT_EQ(BuyItem(s, c.entry), c.bought) << "entry " << c.entry << " money " << c.money;
    EXPECT_EQ(s.campaign.Money, c.moneyAfter) << "entry " << c.entry;
    EXPECT_EQ(s.campaign.Inventory, expected) << "entry " << c.entry;
  }
}

}  // namespace
