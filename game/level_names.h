#pragma once
// Campaign level names: "Level" + a decimal number + ".cam", the first being "Level1.cam".
#include <cstdint>
#include <string>
#include <string_view>

// The number text of `name`: the name without its first 5 and last 4 characters
// (empty for names shorter than 9 characters).
std::string LevelNumberText(const std::string& name);

// True when the number text of `name` is one or more digits 0..9 and the name without it is
// exactly "Level.cam". "Level.cam" itself has no number and is not a campaign name.
bool IsCampaignName(const std::string& name);

// The integer value of a number text, read as the run-time library's StrToInt reads it;
// throws RuntimeError("'<text>' is not a valid integer value") for an empty text, a non-digit
// or a value outside the 32-bit range.
std::int32_t ParseLevelNumber(const std::string& text);

// The number of the campaign's first level, "Level1.cam".
inline constexpr std::int32_t kFirstCampaignLevel = 1;

// "Level" + decimal(`number`) + ".cam".
std::string CampaignLevelName(std::int32_t number);
// "Level" + `numberText` + ".cam", the number spelt as given ("007"); the empty text gives the
// bare name "Level.cam", which is no campaign name.
std::string CampaignLevelName(std::string_view numberText);

// The campaign name that follows `name`: its number N becomes N + 1 (wrapping at 32 bits, leading
// zeros dropped). `name` must be a campaign name; throws as ParseLevelNumber does.
std::string NextCampaignName(const std::string& name);
