#include "menu/menu_actions.h"

#include <array>
#include <cstddef>
#include <filesystem>
#include <functional>
#include <iterator>
#include <optional>
#include <string>

#include "game/campaign_file.h"
#include "game/cp1251.h"
#include "game/level_names.h"
#include "game/snapshot_file.h"
#include "menu/main_menu.h"
#include "menu/shop.h"

namespace {

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
  const std::int32_t money = state.campaign.Money;
  const std::array<std::int32_t, 10> inventory = state.campaign.Inventory;
  try {
    change();
  } catch (...) {
    state.campaign.Money = money;
    state.campaign.Inventory = inventory;
    throw;
  }
}

}  // namespace

void ReturnToLevel(GameState& s, WindowModel& window, MenuHost& host) {
  HideMenu(window);
  s.world.Timer1Enabled = true;
  s.screens.ScreenState = Screen::Play;
  host.PlaceBoard();
  host.PresentBoard();
}

// A new campaign starts afresh. The first level is read before anything changes, so a level
// that cannot be read leaves the game in progress as it was, with the menu up.
void StartNewCampaign(GameState& s, MenuHost& host, const MenuFiles& files) {
  const std::string first = CampaignLevelName(kFirstCampaignLevel);
  const Level level = ReadLevelFile(first);
  s.campaign.CurrentLevelFile = first;
  DeleteSnapshot(files.snapshotPath);
  ForgetPurchases(s);
  s.world.Timer1Enabled = true;
  s.screens.ScreenState = Screen::Play;
  host.EnterLevel(level);
}

void RestartLevel(GameState& s, MenuHost& host, const MenuFiles& files) {
  const Level level = ReadLevelFile(s.campaign.CurrentLevelFile);
  ChangeHoldings(s, [&] { ReadSnapshot(s, files.snapshotPath); });
  s.world.Timer1Enabled = true;
  s.screens.ScreenState = Screen::Play;
  host.EnterLevel(level);
}

void PlayCustomLevel(GameState& s, MenuHost& host, const MenuFiles& files) {
  const std::optional<std::string> chosen = host.OpenDialog(files.openDialog1);
  if (!chosen) return;
  const std::string name = NameInProgramFolder(*chosen, files.programFolder);
  const Level level = ReadLevelFile(name);
  s.campaign.CurrentLevelFile = name;
  s.world.Timer1Enabled = true;
  s.screens.ScreenState = Screen::Play;
  host.EnterLevel(level);
}

// A saved campaign is read and checked, and the snapshot written, before anything changes.
void LoadSavedCampaign(GameState& s, WindowModel& window, MenuHost& host, const MenuFiles& files) {
  const std::optional<std::string> chosen = host.OpenDialog(files.openDialog2);
  if (!chosen) return;
  const SavedCampaign saved =
      ReadCampaignFile(*chosen, NameInProgramFolder(*chosen, files.programFolder));
  ChangeHoldings(s, [&] {
    s.campaign.Money = saved.Money;
    for (std::size_t item = 1; item < saved.Inventory.size(); ++item) {
      s.campaign.Inventory[item] = saved.Inventory[item];
    }
    WriteSnapshot(s, files.snapshotPath);
  });
  HideMenu(window);
  s.campaign.CurrentLevelFile = CampaignLevelName(saved.NumberText);
  s.screens.ScreenState = Screen::Shop;
  s.screens.ShopItem = shop_entry::Play;
  host.Edit2Change();
  ShowShop(window);
  s.world.Timer1Enabled = false;
}

void SetUpDialogs(MenuFiles& files) {
  const auto orProgramFolder = [&](const std::string& folder) {
    return folder.empty() ? files.programFolder : folder;
  };
  const std::string levels = orProgramFolder(files.levelsFolder);
  const std::string player = orProgramFolder(files.playerFolder);
  files.openDialog1 = {Utf8ToCp1251("Файлы уровней Kolbrin|*.lvl"), levels, ""};
  files.openDialog2 = {Utf8ToCp1251("Файлы Сохраненной Компании|*.ksv"), player, ""};
  files.saveDialog1 = {Utf8ToCp1251("Файлы Записей Kolbrin|*.ksv"), player, ""};
}
