#include <optional>
#include <string>

#include "app/tform1.h"
#include "game/level_names.h"
#include "menu/campaign_file.h"

namespace {

constexpr const char* kExtension = ".ksv";
// A campaign name with its number cut out; the bare name itself has an empty number.
constexpr const char* kBareCampaignName = "Level.cam";

// The chosen name with ".ksv" appended unless it already ends in exactly that.
std::string WithExtension(const std::string& name) {
  const std::string extension = kExtension;
  const bool has = name.size() >= extension.size() &&
                   name.compare(name.size() - extension.size(), extension.size(), extension) == 0;
  return has ? name : name + extension;
}

}  // namespace

void TForm1::SaveCampaign() {
  const std::optional<std::string> chosen = platform_.SaveDialog(saveDialog1_);
  if (!chosen) return;
  const std::string& level = state_.CurrentLevelFile;
  // Only a campaign level can be resumed; the bare name goes on to fail as an empty number.
  if (!IsCampaignName(level) && level != kBareCampaignName) return;
  const std::int32_t number = ParseLevelNumber(LevelNumberText(level));
  state_.CurrentLevelFile = CampaignLevelName(number);
  const std::string path = WithExtension(*chosen);
  saveDialog1_.fileName = path;
  WriteCampaignFile(path, std::to_string(number), state_);
}
