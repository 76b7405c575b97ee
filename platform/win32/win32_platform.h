#pragma once
// The real window on Windows: a borderless window over the whole screen showing the game's
// picture, the 200 ms window timer, keys with their native virtual-key codes, and the system's
// message boxes and file dialogs.
#include <cstdint>
#include <exception>
#include <functional>
#include <optional>
#include <string>

#include "platform/platform.h"
#include "view/surface.h"

struct HWND__;

// A message box before the game's window exists (a second copy of the game says so).
void ShowMessageWithoutWindow(const std::string& caption, const std::string& text);

class Win32Platform : public Platform {
 public:
  // Opens the window titled `title` (code page 1251) over the whole screen, calling
  // `whileShowing` just before the window is made; throws std::runtime_error when it cannot.
  explicit Win32Platform(const std::string& title, const std::function<void()>& whileShowing = {});
  // Closes the window; shows the task bar again if the game left it hidden.
  ~Win32Platform() override;
  Win32Platform(const Win32Platform&) = delete;
  Win32Platform& operator=(const Win32Platform&) = delete;

  int ScreenWidth() const override { return screenWidth_; }
  int ScreenHeight() const override { return screenHeight_; }
  void Present(const Surface& windowSurface, const std::vector<Rect>& changed) override;
  void SetTimerEnabled(bool enabled) override;
  bool IsKeyDown(int vk) const override;
  void MessageBox(const std::string& caption, const std::string& text) override;
  std::optional<std::string> OpenDialog(const FileDialogSetup& setup) override;
  std::optional<std::string> SaveDialog(const FileDialogSetup& setup) override;
  void QuitLoop() override { quit_ = true; }
  void SetTaskbarVisible(bool visible) override;

  // Delivers the window's messages to `events` until the window is closed; the exit code.
  // An exception thrown by a handler ends the loop and is thrown again from here.
  int Run(WindowEvents& events);

  // The window procedure's work for one message of the game's window.
  std::intptr_t Handle(unsigned message, std::uintptr_t wParam, std::intptr_t lParam);

 private:
  void Paint();
  void Draw(void* dc) const;
  // Copies `area` of the kept frame to the window.
  void DrawArea(void* dc, const Rect& area) const;
  // Runs one handler unless another one is running (a modal box's own message loop delivers
  // the window's messages too): what arrives meanwhile waits until the handler has returned.
  template <typename Handler>
  void Deliver(Handler&& handler);
  void DeliverWaiting();
  void AfterDialog();

  HWND__* window_ = nullptr;
  std::wstring title_;
  int screenWidth_ = 0;
  int screenHeight_ = 0;
  Surface frame_;
  WindowEvents* events_ = nullptr;
  bool inHandler_ = false;
  bool tickWaiting_ = false;
  bool closeWaiting_ = false;
  std::uintptr_t timerId_ = 0;  // 0 while the timer is stopped
  std::uintptr_t lastTimerId_ = 0;
  bool quit_ = false;
  std::exception_ptr failure_;
};
