#pragma once
// An installed game keeps the player's own files (the table, the name, saved campaigns) in the
// player's data folder, apart from the files it ships, which it only reads.
#include <optional>
#include <string>

// The player's data folder, made on first start with a copy of the table shipped in
// `shippedFolder` unless the player has a table already; a player's table is never replaced.
// Nothing, with the reason in `why`, when the folder cannot be made; a table that cannot be
// copied leaves the folder usable and the reason in `why`.
std::optional<std::string> SetUpPlayerFolder(const std::string& shippedFolder, std::string& why);
