#pragma once
// What the screens need from the window that hosts them: levels, the board, the money counter,
// the random generator, sounds and file dialogs; and the files they work with.
#include <optional>
#include <string>

#include "game/level_file.h"
#include "game/random.h"
#include "game/sounds.h"
#include "platform/platform.h"

class MenuHost {
 public:
  virtual ~MenuHost() = default;
  // Loads the level file `name` into play; a file that cannot be opened ends the campaign.
  virtual void LoadLevel(const std::string& name) = 0;
  // Puts a level read completely beforehand into play.
  virtual void EnterLevel(const Level& level) = 0;
  // Recomputes the board origin from the player's cell.
  virtual void PlaceBoard() = 0;
  // Draws the whole board picture onto the window at the board origin.
  virtual void PresentBoard() = 0;
  // Redraws the money counter from Money.
  virtual void Edit2Change() = 0;
  // The program's one random generator.
  virtual RandomSource& Random() = 0;
  // Where the screens raise their sounds.
  virtual SoundSink& Sounds() = 0;
  // An open or save dialog; the chosen file's full path, or nothing when cancelled.
  virtual std::optional<std::string> OpenDialog(const FileDialogSetup& setup) = 0;
  virtual std::optional<std::string> SaveDialog(const FileDialogSetup& setup) = 0;
};

// The files the menu and the shop work with.
struct MenuFiles {
  std::string programFolder;  // full path ending with '/': dialogs start here
  std::string snapshotPath;   // where the snapshot of money and items lives
  std::string playerFolder;   // the table and saved campaigns: empty for the working folder, else
                              // a full path ending with '/'
  std::string levelsFolder;   // where Custom's dialog starts: the program's folder when empty
  FileDialogSetup openDialog1;  // a single level
  FileDialogSetup openDialog2;  // a saved campaign
  FileDialogSetup saveDialog1;  // saving the campaign
};
