#include "game/level_names.h"

#include <cstdint>
#include <optional>

#include "game/int32.h"
#include "game/integer_text.h"
#include "game/runtime_error.h"

namespace {

constexpr std::size_t kPrefixLength = 5;  // "Level"
constexpr std::size_t kSuffixLength = 4;  // ".cam"

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
  return IsDigits(number) && WithoutNumber(name) == CampaignLevelName("");
}

std::int32_t ParseLevelNumber(const std::string& text) {
  const std::optional<std::int32_t> value =
      IsDigits(text) ? ParseInt32(text) : std::optional<std::int32_t>();
  if (!value) throw RuntimeError(rtl::NotValidInteger(text));
  return *value;
}

std::string CampaignLevelName(std::int32_t number) {
  return CampaignLevelName(std::to_string(number));
}

std::string CampaignLevelName(std::string_view numberText) {
  return "Level" + std::string(numberText) + ".cam";
}

std::string NextCampaignName(const std::string& name) {
  const std::int64_t number = ParseLevelNumber(LevelNumberText(name));
  return CampaignLevelName(Wrap32(number + 1));
}
