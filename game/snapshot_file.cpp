#include "game/snapshot_file.h"

#include <string>

#include "game/text_file.h"

namespace {

constexpr int kItemCount = 9;
constexpr const char* kLineEnd = "\r\n";

}  // namespace

std::string HoldingsLines(const GameState& s) {
  std::string lines = std::to_string(s.campaign.Money) + kLineEnd;
  for (int item = 1; item <= kItemCount; ++item) {
    lines += std::to_string(s.campaign.Inventory[item]) + kLineEnd;
  }
  return lines;
}

void WriteSnapshot(const GameState& s, const std::string& path) {
  const auto file = TextWriter::Create(path, true);
  file->Write(HoldingsLines(s));
  if (const FileError error = file->Close(); error != FileError::kNone) {
    throw NotWritten(error);
  }
}

void ReadSnapshot(GameState& s, const std::string& path) {
  const auto file = TextReader::Open(path);
  if (!file) return;
  s.campaign.Money = file->ReadInt();
  file->SkipLine();
  for (int item = 1; item <= kItemCount; ++item) {
    s.campaign.Inventory[item] = file->ReadInt();
    file->SkipLine();
  }
}

void DeleteSnapshot(const std::string& path) { RemoveFile(path); }
