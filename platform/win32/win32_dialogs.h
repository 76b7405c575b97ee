#pragma once
// The system's modal boxes for the Win32 back end: message boxes and the common file dialogs.
// Texts and names are code page 1251, as the game has them.
#include <optional>
#include <string>

#include "platform/platform.h"

struct HWND__;

// A message box with one OK button, owned by `owner` (may be null).
void ShowMessageBoxWin32(HWND__* owner, const std::string& caption, const std::string& text);

// A Yes / No / Cancel box owned by `owner`: Yes saves, No goes on without saving, Cancel (and
// closing the box) stays.
QuestionAnswer AskQuestionWin32(HWND__* owner, const std::string& caption, const std::string& text);

enum class FileDialogMode { kOpen, kSave };

// An open or save dialog; the chosen full path in the game's code page, or nothing when it was
// cancelled. A name that the code page cannot spell is refused with a message box. The working
// folder stays as it was.
std::optional<std::string> RunFileDialogWin32(HWND__* owner, FileDialogMode mode,
                                              const FileDialogSetup& setup,
                                              const std::string& caption);

// The design's "Description|*.ext;*.ext2|..." filter in the dialog's form: each part ended by a
// null character and the whole by one more.
std::wstring DialogFilter(const std::string& filterCp1251);

// A message's line breaks as a box shows them: each "\r" or "\n" alone becomes "\r\n".
std::wstring BoxText(const std::string& cp1251);
