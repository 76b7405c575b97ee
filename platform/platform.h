#pragma once
// What the game asks of the machine it runs on: one window, a timer, keys, dialogs.
// The SDL2/GTK back end drives a real window; the scripted one drives the tests and
// quillmere-headless. Texts passed here are code page 1251.
#include <optional>
#include <string>
#include <vector>

struct Rect;         // an area of a picture
struct Surface;      // a picture in memory, drawn by the game

// One file dialog: a filter in the design's "Description|*.ext" form and a starting folder.
struct FileDialogSetup {
  std::string filter;         // code page 1251
  std::string initialFolder;  // full path ending with '/'
  std::string fileName;       // the name the dialog proposes (a save dialog remembers it)
};

class Platform {
 public:
  virtual ~Platform() = default;

  // Size of the whole screen in pixels; the window covers it.
  virtual int ScreenWidth() const = 0;
  virtual int ScreenHeight() const = 0;
  // Shows the window surface (it has the screen's size); since the last present only the
  // `changed` areas of it differ.
  virtual void Present(const Surface& windowSurface, const std::vector<Rect>& changed) = 0;
  // Starts or stops the 200 ms timer; enabling a running timer does not restart it.
  virtual void SetTimerEnabled(bool enabled) = 0;
  // True while the key with virtual-key code `vk` is held down.
  virtual bool IsKeyDown(int vk) const = 0;
  // A modal message box with one OK button; returns when it was closed.
  virtual void MessageBox(const std::string& caption, const std::string& text) = 0;
  // An open dialog; the chosen file's full path, or nothing when cancelled.
  virtual std::optional<std::string> OpenDialog(const FileDialogSetup& setup) = 0;
  // A save dialog; the chosen file's full path, or nothing when cancelled.
  virtual std::optional<std::string> SaveDialog(const FileDialogSetup& setup) = 0;
  // The window was closed by the game; the event loop ends after the current handler.
  virtual void QuitLoop() = 0;
  // Hides or shows the desktop's task bar (only Windows has one to hide).
  virtual void SetTaskbarVisible(bool visible) = 0;
};

// The window's handlers, as the event loop delivers them; they never overlap.
class WindowEvents {
 public:
  virtual ~WindowEvents() = default;
  // A key went down (virtual-key code, Shift held or not).
  virtual void OnKeyDown(int vk, bool shift) = 0;
  // The 200 ms timer fired (delivered only while it is enabled).
  virtual void OnTimer() = 0;
  // The window must repaint all of itself (it was uncovered).
  virtual void OnPaint() = 0;
  // The window is closed from outside (window manager).
  virtual void OnClose() = 0;
  // True once the window has been closed; the loop then ends.
  virtual bool IsClosed() const = 0;
};
