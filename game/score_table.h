#pragma once
// The table of best results "High.scr": its line codec, the result of a finished campaign,
// entering that result into the table and reading the lines to draw.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

inline constexpr const char* kScoreTableFile = "High.scr";
inline constexpr const char* kScoreWorkFile = "High.tmp";
inline constexpr std::size_t kScoreLinesShown = 10;

// Scrambles one plain table line: byte k becomes the (k-1)-th backward difference of the
// plain bytes at k, modulo 256. Same length; lines of 0 or 1 bytes are unchanged.
std::string EncodeScoreLine(std::string_view plain);

// Undoes EncodeScoreLine exactly.
std::string DecodeScoreLine(std::string_view encoded);

// Money plus the shop value of items 1..4 (Inventory[1..4]), computed without wrapping and held
// within the 32-bit range.
std::int32_t CampaignResult(std::int32_t money, const std::array<std::int32_t, 10>& inventory);

// Enters `playerName` with `result` into the table at `tablePath` above the first entry that
// scored less, keeping at most eleven copied lines. The new table is written completely to
// `workPath` and then renamed over `tablePath`, so a failure leaves the old table intact.
// Throws RuntimeError for a damaged table (empty, a line without "|", a score that is not an
// integer) or when a file cannot be read or written; a failed rename is silent.
void UpdateScoreTable(const std::string& tablePath, const std::string& workPath,
                      const std::string& playerName, std::int32_t result);

// The first ten lines of the table at `tablePath`, decoded; throws RuntimeError when the
// file cannot be opened.
std::vector<std::string> ReadScoreLinesToDraw(const std::string& tablePath);
