#include "game/integer_text.h"

bool IsDigits(std::string_view text) {
  if (text.empty()) return false;
  for (const char c : text) {
    if (c < '0' || c > '9') return false;
  }
  return true;
}

std::optional<std::int32_t> ParseInt32(std::string_view text) {
  const bool negative = !text.empty() && text.front() == '-';
  if (!text.empty() && (text.front() == '-' || text.front() == '+')) text.remove_prefix(1);
  if (!IsDigits(text)) return std::nullopt;
  std::int64_t value = 0;
  for (const char c : text) {
    value = value * 10 + (c - '0');
    // One past INT32_MAX is still needed for INT32_MIN; anything beyond is out of range.
    if (value > std::int64_t{INT32_MAX} + 1) return std::nullopt;
  }
  if (negative) value = -value;
  if (value > INT32_MAX) return std::nullopt;
  return static_cast<std::int32_t>(value);
}
