#pragma once
// The files of the game as the operating system keeps them: one way to read a file and one way
// to write one, for levels, tables, saved campaigns, the snapshot and the settings. Names are
// the game's own bytes (UTF-8 on Linux; code page 1251 inside the game on Windows, UTF-16 at its
// system calls). Each operating system has its own file_system_*.cpp.
#include <cstddef>
#include <optional>
#include <string>

enum class FileError {
  kNone,
  kNotFound,      // no such file or folder on the way
  kAccessDenied,  // not a regular file (a folder, a pipe, a device), or no permission
  kTooLarge,      // larger than the reader's limit
  kWriteFailed,   // the disk refused the bytes (full, read-only, a quota)
};

struct FileBytes {
  FileError error = FileError::kNone;
  std::string bytes;
};

// Reads the whole regular file `path`, at most `limit` bytes (kTooLarge beyond); never waits on
// a pipe or a device planted under the name.
FileBytes ReadWholeFile(const std::string& path, std::size_t limit);

// Replaces the file `path` with `bytes` in one step: written to a temporary file beside it,
// flushed to the disk, renamed over it. On any failure `path` keeps its old contents and no
// temporary file is left. With `privateFile` the file is readable by its owner only and a link
// at `path` is refused rather than followed.
FileError ReplaceFile(const std::string& path, const std::string& bytes, bool privateFile);

// Deletes the file `path`; true when a file was removed (a missing file is no error).
bool RemoveFile(const std::string& path);

// True when `path` names a regular file that can be opened for reading.
bool IsReadableFile(const std::string& path);

// The folder of the running program as a full path ending with the separator, or nothing.
std::optional<std::string> ProgramFolder();

// Makes `folder` the working folder; false when that failed.
bool EnterFolder(const std::string& folder);

// The working folder as a full path ending with the separator.
std::string CurrentFolder();

// True when `path` is a full path rather than one relative to the working folder.
bool IsAbsolutePath(const std::string& path);

// Where the snapshot of the level being played is kept: a file private to the user.
std::string DefaultSnapshotPath();

// The player's own folder for the game's settings as a full path ending with the separator:
// $XDG_CONFIG_HOME/quillmere/ (~/.config/quillmere/ when that is unset), %APPDATA%\Quillmere\ on
// Windows. With `make` it is made, with its parents, when missing. Nothing when there is no such
// place or it could not be made (LastFileErrorText says why).
std::optional<std::string> ConfigFolder(bool make);

// The player's own data folder as a full path ending with the separator, made with its parents
// when missing ($XDG_DATA_HOME/quillmere/ or ~/.local/share/quillmere/; %APPDATA%\Quillmere\).
// Nothing when there is no home to put it in or it cannot be made (LastFileErrorText says why).
std::optional<std::string> PlayerDataFolder();

// `path`, in the game's bytes, as UTF-8 for a message.
std::string PathInUtf8(const std::string& path);

// The system's text for the last failed file call, for messages ("No space left on device").
std::string LastFileErrorText();
