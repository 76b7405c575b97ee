#pragma once
// The shop between campaign levels: four items to buy, Save and Play, chosen with the arrow
// keys and Enter; the money counter shows what is left.
#include "game/game_state.h"
#include "menu/menu_host.h"
#include "view/window_model.h"

// Buys one of shop item `index` (1..4) when Money covers its price; true when it was bought.
bool BuyItem(GameState& s, int index);

// Takes Money and the shop's items away, as a new campaign starts.
void ForgetPurchases(GameState& s);

// A key in the shop: moves the frames, buys, saves the campaign, or plays the next level.
void ShopKeyDown(GameState& s, WindowModel& window, MenuHost& host, MenuFiles& files, int key);

// Centres the shop panel on the screen and puts its frames and counter places on it.
void LayOutShop(WindowModel& window, int screenWidth, int screenHeight);
// Puts the frames around the selected entry ShopItem.
void PlaceShopFrames(const GameState& s, WindowModel& window);
// Shows the shop over the board with the frame on its buttons and the money counter.
void ShowShop(WindowModel& window);
