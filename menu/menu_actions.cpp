#include <array>
#include <cstddef>
#include <filesystem>
#include <functional>
#include <iterator>
#include <optional>
#include <string>

#include "app/tform1.h"
#include "menu/campaign_file.h"
#include "menu/snapshot_file.h"

namespace {

constexpr const char* kFirstLevel = "Level1.cam";
constexpr int kPlayEntry = 6;
// Items 1..4 are sold in the shop; a new campaign starts without them.
constexpr std::size_t kShopItems = 4;

// The pictures of the main menu, which the actions that leave it take away.
constexpr std::array<Element, 5> kMenuPictures{Element::ImShot1, Element::ImShot2, Element::ImShot3,
                                               Element::ImMenu, Element::ImSelect};

void HideMenu(WindowModel& window) {
  for (const Element picture : kMenuPictures) window.Hide(picture);
}

// The last `count` parts of `path` as it spells them, separators and all; the whole path when it
// has no more parts.
std::string LastParts(const std::string& path, std::ptrdiff_t count) {
  namespace fs = std::filesystem;
  const std::string separators{'/', static_cast<char>(fs::path::preferred_separator)};
  std::size_t start = path.size();
  for (; count > 0 && start > 0; --count) {
    start = path.find_last_of(separators, start - 1);
    if (start == std::string::npos) return path;
  }
  return path.substr(start + 1);
}

// The name a chosen file goes by: its path relative to the program's folder when it lies there
// or below, spelled as the dialog spelled it, else its full path (the working folder is the
// program's folder).
std::string NameInProgramFolder(const std::string& chosen, const std::string& programFolder) {
  namespace fs = std::filesystem;
  const fs::path relative = fs::path(chosen).lexically_normal().lexically_relative(
      fs::path(programFolder).lexically_normal());
  if (relative.empty() || *relative.begin() == ".." || relative == ".") return chosen;
  const std::string tail = LastParts(chosen, std::distance(relative.begin(), relative.end()));
  return fs::path(tail).lexically_normal() == relative ? tail : relative.string();
}

// Runs `change` on the money and items; when it fails, they are put back as they were.
void ChangeHoldings(GameState& state, const std::function<void()>& change) {
  const std::int32_t money = state.Money;
  const std::array<std::int32_t, 10> inventory = state.Inventory;
  try {
    change();
  } catch (...) {
    state.Money = money;
    state.Inventory = inventory;
    throw;
  }
}

}  // namespace

void TForm1::ImReturnMouseDown() {
  HideMenu(window_);
  state_.Timer1Enabled = true;
  state_.ScreenState = screen_state::Play;
  PlaceBoard();
  PresentBoard();
}

// A new campaign starts afresh. The first level is read before anything changes, so a level
// that cannot be read leaves the game in progress as it was, with the menu up.
void TForm1::ImNewMouseDown() {
  const Level level = ReadLevelFile(kFirstLevel);
  state_.CurrentLevelFile = kFirstLevel;
  DeleteSnapshot(options_.snapshotPath);
  state_.Money = 0;
  for (std::size_t item = 1; item <= kShopItems; ++item) state_.Inventory[item] = 0;
  state_.Timer1Enabled = true;
  state_.ScreenState = screen_state::Play;
  EnterLevel(level);
}

void TForm1::ImRestartMouseDown() {
  const Level level = ReadLevelFile(state_.CurrentLevelFile);
  ChangeHoldings(state_, [&] { ReadSnapshot(state_, options_.snapshotPath); });
  state_.Timer1Enabled = true;
  state_.ScreenState = screen_state::Play;
  EnterLevel(level);
}

void TForm1::ImCustomMouseDown() {
  const std::optional<std::string> chosen = platform_.OpenDialog(openDialog1_);
  if (!chosen) return;
  const std::string name = NameInProgramFolder(*chosen, options_.programFolder);
  const Level level = ReadLevelFile(name);
  state_.CurrentLevelFile = name;
  state_.Timer1Enabled = true;
  state_.ScreenState = screen_state::Play;
  EnterLevel(level);
}

// A saved campaign is read and checked, and the snapshot written, before anything changes.
void TForm1::ImLoadMouseDown() {
  const std::optional<std::string> chosen = platform_.OpenDialog(openDialog2_);
  if (!chosen) return;
  const SavedCampaign saved =
      ReadCampaignFile(*chosen, NameInProgramFolder(*chosen, options_.programFolder));
  ChangeHoldings(state_, [&] {
    state_.Money = saved.Money;
    for (std::size_t item = 1; item < saved.Inventory.size(); ++item) {
      state_.Inventory[item] = saved.Inventory[item];
    }
    WriteSnapshot(state_, options_.snapshotPath);
  });
  HideMenu(window_);
  state_.CurrentLevelFile = "Level" + saved.NumberText + ".cam";
  state_.ScreenState = screen_state::Shop;
  state_.ShopItem = kPlayEntry;
  Edit2Change();
  ShowShop();
  state_.Timer1Enabled = false;
}

void TForm1::ImExitMouseDown() { CloseWindow(); }
