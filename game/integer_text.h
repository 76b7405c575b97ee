#pragma once
// Integers written as text, read as the run-time library's StrToInt reads them.
#include <cstdint>
#include <optional>
#include <string_view>

// True when `text` is one or more of the digits 0..9 and nothing else.
bool IsDigits(std::string_view text);

// The value of `text`: an optional sign, then one or more decimal digits, within the 32-bit
// range; nothing for any other text (blanks included).
std::optional<std::int32_t> ParseInt32(std::string_view text);
