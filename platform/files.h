#pragma once
// What the game's files need from the operating system beyond reading and writing them.
#include <string>

// Replaces the file `path` by `bytes` in one step: they are written to a work file beside it
// (`workPath`, or a fresh name when empty), flushed to the disk and renamed over `path`. Throws
// RuntimeError when the work file cannot be created or written; returns false when it cannot
// take the place of `path`. On any failure `path` keeps its contents and no work file is left.
bool ReplaceFileContents(const std::string& path, const std::string& bytes,
                         const std::string& workPath = {});

// The path of the file `stem` + `extension` in the user's private runtime folder, or, without
// one, a name in the temporary folder that carries the user's id.
std::string PrivateFilePath(const std::string& stem, const std::string& extension);
