#include "app/player_folder.h"

#include "game/score_table.h"
#include "game/text_file.h"
#include "platform/file_system.h"

std::optional<std::string> SetUpPlayerFolder(const std::string& shippedFolder, std::string& why) {
  const std::optional<std::string> folder = PlayerDataFolder();
  if (!folder) {
    why = "cannot make the player's data folder: " + LastFileErrorText();
    return std::nullopt;
  }
  const std::string table = *folder + kScoreTableFile;
  // Only a table that is not there at all is copied (a limit of 0 reads nothing of one that is).
  if (ReadWholeFile(table, 0).error != FileError::kNotFound) return folder;
  const FileBytes shipped = ReadWholeFile(shippedFolder + kScoreTableFile, kTextFileLimit);
  if (shipped.error != FileError::kNone ||
      ReplaceFile(table, shipped.bytes, false) != FileError::kNone) {
    why = "cannot copy the table of best results to " + table + ": " + LastFileErrorText();
  }
  return folder;
}
