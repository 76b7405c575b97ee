#pragma once
// Guards a call that may wait forever on someone else: SDL waits without a time limit for the
// window manager to show a new window, and a window manager that never does would leave the
// game hanging invisibly at start-up.
#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <string>
#include <thread>

class WindowWatchdog {
 public:
  // Reports `warning` after `warnAfter` and calls `giveUp` after `giveUpAfter`, unless
  // Done() comes first. `report` receives the texts (standard error in the game).
  WindowWatchdog(std::chrono::milliseconds warnAfter, std::chrono::milliseconds giveUpAfter,
                 std::function<void(const std::string&)> report, std::function<void()> giveUp);
  // Same as Done().
  ~WindowWatchdog();
  WindowWatchdog(const WindowWatchdog&) = delete;
  WindowWatchdog& operator=(const WindowWatchdog&) = delete;

  // The guarded call has returned: nothing more is reported after this returns.
  void Done();

 private:
  void Watch();

  const std::chrono::milliseconds warnAfter_;
  const std::chrono::milliseconds giveUpAfter_;
  const std::function<void(const std::string&)> report_;
  const std::function<void()> giveUp_;
  std::mutex mutex_;
  std::condition_variable doneChanged_;
  bool done_ = false;
  std::thread thread_;
};

// The standard error texts of the guard around opening the game's window.
std::string WindowLateWarning(std::chrono::milliseconds waited);
std::string WindowGiveUpMessage(std::chrono::milliseconds waited);
