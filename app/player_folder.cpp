#include "app/player_folder.h"

#include <filesystem>

#include "game/score_table.h"
#include "game/text_file.h"
#include "platform/file_system.h"

bool IsInstalledBuild() {
#ifdef QUILLMERE_INSTALLED_DATA
  return true;
#else
  return false;
#endif
}

std::optional<GameFolders> EnterGameFolder(std::string& why) {
  const std::optional<std::string> program = ProgramFolder();
  if (!program) {
    why = "cannot find the program's folder: " + LastFileErrorText();
    return std::nullopt;
  }
  GameFolders folders{*program, "", ""};
#ifdef QUILLMERE_INSTALLED_DATA
  // Spelled without "..", as the dialogs and the messages show it (where it is not the same
  // folder, as on Windows).
  if (const std::string up = QUILLMERE_INSTALLED_DATA; !up.empty()) {
    folders.shipped = std::filesystem::path(folders.shipped + up).lexically_normal().string();
  }
  folders.levels = folders.shipped + "levels" + folders.shipped.back();
#endif
  if (!EnterFolder(folders.shipped)) {
    why = "cannot work in " + folders.shipped + ": " + LastFileErrorText();
    return std::nullopt;
  }
  return folders;
}

void SetUpPlayerFiles(GameFolders& folders, std::string& why) {
  if (!IsInstalledBuild()) return;
  if (const std::optional<std::string> player = SetUpPlayerFolder(folders.shipped, why)) {
    folders.player = *player;
  }
}

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
