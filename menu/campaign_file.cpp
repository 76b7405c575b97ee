#include "menu/campaign_file.h"

#include "game/text_file.h"

namespace {

constexpr std::size_t kFirstItem = 1;
constexpr std::size_t kLastItem = 9;

}  // namespace

void WriteCampaignFile(const std::string& path, const std::string& numberText,
                       const GameState& state) {
  auto file = TextWriter::Create(path);
  file->WriteLine(numberText);
  file->WriteLine(std::to_string(state.Money));
  for (std::size_t item = kFirstItem; item <= kLastItem; ++item) {
    file->WriteLine(std::to_string(state.Inventory[item]));
  }
  file->Close();
}

std::string ReadCampaignFile(const std::string& path, GameState& state) {
  const auto file = TextReader::OpenOrThrow(path);
  std::string numberText = file->ReadLine();
  state.Money = file->ReadInt();
  file->SkipLine();
  for (std::size_t item = kFirstItem; item <= kLastItem; ++item) {
    state.Inventory[item] = file->ReadInt();
    file->SkipLine();
  }
  return numberText;
}
