#pragma once
// The real window: SDL2 draws the full-screen window and delivers keys and the timer; GTK 3
// provides the message boxes and file dialogs.
#include <array>
#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <string>

#include "platform/linux/gtk_dialogs.h"
#include "platform/platform.h"
#include "view/surface.h"

struct SDL_Window;
struct SDL_Renderer;
struct SDL_Texture;
union SDL_Event;
struct SDL_KeyboardEvent;

// Windows virtual-key code of an SDL scancode, by key position (so a Cyrillic layout still
// gives the Latin letters); the keypad follows Num Lock. 255 for a key Windows has no code for.
int VirtualKeyFromScancode(int scancode, bool numLock);

// A code page 1251 message as the desktop shows it: UTF-8, each "\r" or "\r\n" a line break.
std::string MessageTextToUtf8(const std::string& cp1251);

// A message box shown before there is a game window (texts in code page 1251); without a
// display it goes to the standard error stream only.
void ShowMessageWithoutWindow(const std::string& caption, const std::string& text);

// The ticks of a window timer between the timer's thread and the event loop: at most one tick
// waits at a time, and one posted before the timer was stopped is never delivered.
class TickGate {
 public:
  // Starts accepting ticks; false when they were already accepted.
  bool Start();
  // Stops accepting ticks and disowns the one that may wait.
  void Stop();
  bool Running() const;
  // Timer thread: the tag to post a tick with, or nothing when one already waits.
  std::optional<std::uint32_t> Offer();
  // Event loop: whether the posted tick with `tag` is to be delivered.
  bool Accept(std::uint32_t tag);

 private:
  mutable std::mutex mutex_;
  bool running_ = false;
  bool pending_ = false;
  std::uint32_t generation_ = 0;
};

class SdlPlatform : public Platform {
 public:
  // Opens the full-screen window titled `title`, calling `whileShowing` just before waiting for
  // the window manager to show it; throws std::runtime_error with a message for the player when
  // there is no display to show it on.
  explicit SdlPlatform(const std::string& title, const std::function<void()>& whileShowing = {});
  ~SdlPlatform() override;
  SdlPlatform(const SdlPlatform&) = delete;
  SdlPlatform& operator=(const SdlPlatform&) = delete;

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

  // Delivers the window's events to `events` until the window is closed; the exit code.
  int Run(WindowEvents& events);

 private:
  static std::uint32_t OnTimerThread(std::uint32_t interval, void* self);
  void OpenWindow(const std::string& title, const std::function<void()>& whileShowing);
  void Dispatch(WindowEvents& events, const SDL_Event& event);
  void KeyDown(WindowEvents& events, const SDL_KeyboardEvent& key);
  void WindowEvent(WindowEvents& events, const SDL_Event& event);
  std::optional<std::string> FileDialog(FileDialogKind kind, const FileDialogSetup& setup);
  void AfterDialog();
  void Redisplay();
  DialogOwner Owner();
  // Shows the last frame again when part of the window was uncovered since the last look; true
  // when it was.
  bool RedrawUncovered();

  SDL_Window* window_ = nullptr;
  SDL_Renderer* renderer_ = nullptr;
  SDL_Texture* texture_ = nullptr;
  int textureWidth_ = 0;
  int textureHeight_ = 0;
  bool hasFrame_ = false;
  bool keepsFrame_ = false;  // the window keeps its picture between presents
  int screenWidth_ = 0;
  int screenHeight_ = 0;
  unsigned long x11Window_ = 0;
  std::uint32_t timerEventType_ = 0;
  int timerId_ = 0;
  TickGate ticks_;
  std::array<std::uint8_t, 512> heldVk_{};  // per SDL scancode: the code it went down as, or 0
  bool quit_ = false;
  bool repaintPending_ = false;
};
