#include <array>
#include <cstddef>
#include <filesystem>
#include <iterator>
#include <optional>
#include <string>

#include "app/tform1.h"
#include "game/runtime_error.h"
#include "menu/campaign_file.h"
#include "menu/snapshot_file.h"

namespace {

constexpr const char* kFirstLevel = "Level1.cam";
constexpr int kPlayEntry = 6;

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

// The name a single level is loaded under: its path relative to the program's folder when it
// lies there or below, spelled as the dialog spelled it, else its full path (the working folder
// is the program's folder).
std::string SingleLevelName(const std::string& chosen, const std::string& programFolder) {
  namespace fs = std::filesystem;
  const fs::path relative = fs::path(chosen).lexically_normal().lexically_relative(
      fs::path(programFolder).lexically_normal());
  if (relative.empty() || *relative.begin() == ".." || relative == ".") return chosen;
  const std::string tail = LastParts(chosen, std::distance(relative.begin(), relative.end()));
  return fs::path(tail).lexically_normal() == relative ? tail : relative.string();
}

}  // namespace

void TForm1::ImReturnMouseDown() {
  HideMenu(window_);
  state_.Timer1Enabled = true;
  state_.ScreenState = screen_state::Play;
  PlaceBoard();
  PresentBoard();
}

void TForm1::ImNewMouseDown() {
  state_.CurrentLevelFile = kFirstLevel;
  DeleteSnapshot(options_.snapshotPath);
  state_.Timer1Enabled = true;
  state_.ScreenState = screen_state::Play;
  StayInMenuOnError([&] { LoadLevel(state_.CurrentLevelFile); });
}

void TForm1::ImRestartMouseDown() {
  state_.Timer1Enabled = true;
  state_.ScreenState = screen_state::Play;
  StayInMenuOnError([&] {
    ReadSnapshot(state_, options_.snapshotPath);
    LoadLevel(state_.CurrentLevelFile);
  });
}

void TForm1::ImCustomMouseDown() {
  const std::optional<std::string> chosen = platform_.OpenDialog(openDialog1_);
  if (!chosen) return;
  state_.CurrentLevelFile = SingleLevelName(*chosen, options_.programFolder);
  state_.Timer1Enabled = true;
  state_.ScreenState = screen_state::Play;
  StayInMenuOnError([&] { LoadLevel(state_.CurrentLevelFile); });
}

// A level or snapshot that cannot be read would leave the menu's pictures over a screen that
// plays: after the error the menu is back, stopped and working.
void TForm1::StayInMenuOnError(const std::function<void()>& start) {
  try {
    start();
  } catch (const RuntimeError&) {
    state_.ScreenState = screen_state::Menu;
    state_.Timer1Enabled = false;
    window_.InvalidateAll();
    throw;
  }
}

void TForm1::ImLoadMouseDown() {
  const std::optional<std::string> chosen = platform_.OpenDialog(openDialog2_);
  if (!chosen) return;
  HideMenu(window_);
  std::string numberText;
  // A campaign that cannot be read leaves the player in the menu, not on a bare board.
  try {
    numberText = ReadCampaignFile(*chosen, state_);
    WriteSnapshot(state_, options_.snapshotPath);
  } catch (const RuntimeError&) {
    window_.Show(Element::ImMenu);
    window_.Show(Element::ImSelect);
    ShowRandomShot();
    throw;
  }
  state_.CurrentLevelFile = "Level" + numberText + ".cam";
  state_.ScreenState = screen_state::Shop;
  state_.ShopItem = kPlayEntry;
  Edit2Change();
  ShowShop();
  state_.Timer1Enabled = false;
}

void TForm1::ImExitMouseDown() { CloseWindow(); }
