#include "menu/snapshot_file.h"

#include <string>

#include "game/text_file.h"

namespace {

constexpr int kItemCount = 9;

}  // namespace

void WriteSnapshot(const GameState& s, const std::string& path) {
  const auto file = TextWriter::Create(path, true);
  file->WriteLine(std::to_string(s.Money));
  for (int item = 1; item <= kItemCount; ++item) {
    file->WriteLine(std::to_string(s.Inventory[item]));
  }
  file->Close();
}

void ReadSnapshot(GameState& s, const std::string& path) {
  const auto file = TextReader::Open(path);
  if (!file) return;
  s.Money = file->ReadInt();
  file->SkipLine();
  for (int item = 1; item <= kItemCount; ++item) {
    s.Inventory[item] = file->ReadInt();
    file->SkipLine();
  }
}

void DeleteSnapshot(const std::string& path) { DeleteFileIfPresent(path); }
