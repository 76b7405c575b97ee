#pragma once
// The saved campaign (".ksv"): the number of the next campaign level, Money and
// Inventory[1..9], one a line, CR LF.
#include <array>
#include <cstdint>
#include <string>

#include "game/game_state.h"

// What a saved campaign holds.
struct SavedCampaign {
  std::string NumberText;                     // the level number as written, e.g. "007"
  std::int32_t Money = 0;
  std::array<std::int32_t, 10> Inventory{};   // items 1..9; [0] unused
};

// Writes the saved campaign to `path`: `numberText`, then Money and Inventory[1..9] from
// `state`. The file is replaced in one step, so a failure leaves an earlier save of that name
// as it was. Throws RuntimeError naming `path` and the reason when the file cannot be written.
void WriteCampaignFile(const std::string& path, const std::string& numberText,
                       const GameState& state);

// Reads the saved campaign at `path` (a byte-order mark before it is passed over). Throws
// RuntimeError with the run-time library's message when it cannot be opened, and one naming it
// as `shownName` unless it holds exactly eleven lines: a level number, Money as a 32-bit
// integer, then Inventory[1..9] as integers that are not negative.
SavedCampaign ReadCampaignFile(const std::string& path, const std::string& shownName);
