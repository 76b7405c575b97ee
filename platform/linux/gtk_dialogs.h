#pragma once
// The desktop's modal dialogs for the SDL back end: GTK 3 message boxes and file choosers.
// GTK and X11 headers stay in the .cpp because they define Window, Screen, None and Bool.
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/platform.h"

// Where a dialog appears: the game's full-screen X11 window (0 when unknown) and the screen size.
struct DialogOwner {
  unsigned long x11Window = 0;
  int screenWidth = 0;
  int screenHeight = 0;
  // While a dialog is open, and as it goes, the game's window shows its last frame again where
  // the dialog or its window manager's frame uncovered it; true when there was such a part.
  std::function<bool()> redrawUncovered;
};

enum class FileDialogKind { kOpen, kSave };

// Initialises GTK on the first call; false when it cannot (no display), and then for good.
bool GtkDialogsAvailable();

// A modal message box with one OK button, kept above the game; texts are UTF-8.
// Requires GtkDialogsAvailable().
void ShowGtkMessageBox(const std::string& captionUtf8, const std::string& textUtf8,
                       const DialogOwner& owner);

// A modal file chooser; the chosen full path in file-system bytes, or nothing when cancelled.
// Leaves the working folder as it was. Requires GtkDialogsAvailable().
std::optional<std::string> RunGtkFileDialog(FileDialogKind kind, const FileDialogSetup& setup,
                                            const DialogOwner& owner);

// One entry of a "Description|*.ext;*.ext2|..." filter, converted to UTF-8.
struct FileFilterEntry {
  std::string description;
  std::vector<std::string> patterns;
};
// Splits a code page 1251 filter into its entries; an odd trailing description gets no patterns.
std::vector<FileFilterEntry> ParseFileFilter(const std::string& filterCp1251);

// A glob that matches `pattern` without regard to the case of ASCII letters ("*.lvl" also finds
// "A.LVL", as the design's file system does).
std::string CaseInsensitiveGlob(const std::string& pattern);
