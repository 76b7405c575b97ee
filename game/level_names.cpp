#include "game/level_names.h"

#include <cstdint>

#include "game/int32.h"
#include "game/runtime_error.h"

namespace {

constexpr std::size_t kPrefixLength = 5;  // "Level"
constexpr std::size_t kSuffixLength = 4;  // ".cam"
constexpr const char* kBareName = "Level.cam";

bool AllDigits(const std::string& text) {
  for (const char c : text) {
    if (c < '0' || c > '9') return false;
  }
  return true;
}

// The name with its number text cut out.
std::string WithoutNumber(const std::string& name) {
  if (name.size() < kPrefixLength + kSuffixLength) return name;
  return name.substr(0, kPrefixLength) + name.substr(name.size() - kSuffixLength);
}

}  // namespace

std::string LevelNumberText(const std::string& name) {
  if (name.size() < kPrefixLength + kSuffixLength) return {};
  return name.substr(kPrefixLength, name.size() - kPrefixLength - kSuffixLength);
}

bool IsCampaignName(const std::string& name) {
  const std::string number = LevelNumberText(name);
  return !number.empty() && AllDigits(number) && WithoutNumber(name) == kBareName;
}

std::int32_t ParseLevelNumber(const std::string& text) {
  if (text.empty() || !AllDigits(text)) throw RuntimeError(rtl::NotValidInteger(text));
  std::int64_t value = 0;
  for (const char c : text) {
    value = value * 10 + (c - '0');
    if (value > INT32_MAX) throw RuntimeError(rtl::NotValidInteger(text));
  }
  return static_cast<std::int32_t>(value);
}

std::string CampaignLevelName(std::int32_t number) {
  return "Level" + std::to_string(number) + ".cam";
}

std::string NextCampaignName(const std::string& name) {
  const std::int64_t number = ParseLevelNumber(LevelNumberText(name));
  return CampaignLevelName(Wrap32(number + 1));
}
