#pragma once
// The end of a campaign as a fuzz target reaches it, and what must hold of "High.scr" after it.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz/fuzz_session.h"

// The bytes up to the first CR, LF or byte 26 (where a text line read by the game ends).
std::string FirstLineOf(std::string_view bytes);

// The table's lines as the game splits them: only CR LF ends a line.
std::vector<std::string> TableLines(std::string_view bytes);

// From the main menu: loads a saved campaign whose next level is missing, with `money`, and
// plays on from the shop, which ends the campaign and enters the result into the table.
void FinishCampaign(FuzzSession& session, std::int32_t money);

// After the result `result` of `name` was to be entered into `oldTable`: the score screen is
// up; a message left the table byte for byte as it was; otherwise the new table is the old
// one's first lines with at most the new entry inserted, encoded, never a line lost before it.
void CheckTableAfterUpdate(FuzzSession& session, const std::string& oldTable,
                           const std::string& name, std::int32_t result);
