#pragma once
// The desktop's task bar, hidden while the game covers the screen. Whatever way the program
// ends (the window closed, exit() after an error box, an uncaught exception, a crash), a task
// bar it hid is shown again: a player must never be left without one.

// Hides (false) or shows (true) the window of class "Shell_TrayWnd"; without one, nothing.
void SetTaskbarShown(bool shown);

// True while this program keeps the task bar hidden.
bool TaskbarHiddenByUs();
