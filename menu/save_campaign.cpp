#include "menu/menu_actions.h"

#include <optional>
#include <string>

#include "game/campaign_file.h"
#include "game/level_names.h"

namespace {

constexpr const char* kExtension = ".ksv";

// The chosen name with ".ksv" appended unless it already ends in exactly that.
std::string WithExtension(const std::string& name) {
  const std::string extension = kExtension;
  const bool has = name.size() >= extension.size() &&
                   name.compare(name.size() - extension.size(), extension.size(), extension) == 0;
  return has ? name : name + extension;
}

}  // namespace

void SaveCampaign(GameState& s, MenuHost& host, MenuFiles& files) {
  const std::optional<std::string> chosen = host.SaveDialog(files.saveDialog1);
  if (!chosen) return;
  const std::string& level = s.campaign.CurrentLevelFile;
  // Only a campaign level can be resumed; the bare name goes on to fail as an empty number.
  if (!IsCampaignName(level) && level != CampaignLevelName("")) return;
  const std::int32_t number = ParseLevelNumber(LevelNumberText(level));
  s.campaign.CurrentLevelFile = CampaignLevelName(number);
  const std::string path = WithExtension(*chosen);
  files.saveDialog1.fileName = path;
  WriteCampaignFile(path, std::to_string(number), s);
}
