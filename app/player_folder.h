#pragma once
// Where the programs a player gets (the game, the editor) find their files. A portable program
// keeps all of them in its own folder. An installed one finds the files it ships relative to its
// own folder, only reads them, and keeps the player's own files (the table, the name, saved
// campaigns, levels made in the editor) in the player's data folder.
#include <optional>
#include <string>

struct GameFolders {
  std::string shipped;  // levels, pictures, the first table; the working folder
  std::string player;   // the player's own files; empty for the working folder
  std::string levels;   // the shipped single levels; empty for the working folder
};

// True in an installed build, whose shipped files are read-only.
bool IsInstalledBuild();

// Makes the folder of the shipped files the working folder, wherever the program was started
// from. Nothing, with the reason in `why`, when the program's folder cannot be found or entered.
std::optional<GameFolders> EnterGameFolder(std::string& why);

// An installed program's player's folder (SetUpPlayerFolder) into `folders.player`; a portable
// one's player's files stay in the working folder. When the folder cannot be made they stay
// there too, where saving reports what the system refused, and `why` says what failed.
void SetUpPlayerFiles(GameFolders& folders, std::string& why);

// The player's data folder, made on first start with a copy of the table shipped in
// `shippedFolder` unless the player has a table already; a player's table is never replaced.
// Nothing, with the reason in `why`, when the folder cannot be made; a table that cannot be
// copied leaves the folder usable and the reason in `why`.
std::optional<std::string> SetUpPlayerFolder(const std::string& shippedFolder, std::string& why);
