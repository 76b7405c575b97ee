#include "platform/linux/window_watchdog.h"

#include <utility>

WindowWatchdog::WindowWatchdog(std::chrono::milliseconds warnAfter,
                               std::chrono::milliseconds giveUpAfter,
                               std::function<void(const std::string&)> report,
                               std::function<void()> giveUp)
    : warnAfter_(warnAfter),
      giveUpAfter_(giveUpAfter),
      report_(std::move(report)),
      giveUp_(std::move(giveUp)),
      thread_([this] { Watch(); }) {}

WindowWatchdog::~WindowWatchdog() { Done(); }

void WindowWatchdog::Done() {
  {
    const std::lock_guard lock(mutex_);
    if (done_) return;
    done_ = true;
  }
  doneChanged_.notify_all();
  if (thread_.joinable()) thread_.join();
}

void WindowWatchdog::Watch() {
  std::unique_lock lock(mutex_);
  if (doneChanged_.wait_for(lock, warnAfter_, [this] { return done_; })) return;
  report_(WindowLateWarning(warnAfter_));
  if (doneChanged_.wait_for(lock, giveUpAfter_ - warnAfter_, [this] { return done_; })) {
    report_("Quillmere: the game's window has appeared.\n");
    return;
  }
  report_(WindowGiveUpMessage(giveUpAfter_));
  giveUp_();
}

std::string WindowLateWarning(std::chrono::milliseconds waited) {
  return "Quillmere: the game's window has not appeared after " +
         std::to_string(waited.count() / 1000) +
         " s; waiting for the window manager to show it.\n";
}

std::string WindowGiveUpMessage(std::chrono::milliseconds waited) {
  return "Quillmere: the window manager has not shown the game's window within " +
         std::to_string(waited.count() / 1000) +
         " s; giving up. Restart the window manager, or start the game without one.\n";
}
