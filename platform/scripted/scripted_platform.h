#pragma once
// A platform without a window: a virtual screen, keys and ticks from a script, dialog answers
// from a queue, message boxes written to a stream and answered at once, forced random draws.
#include <deque>
#include <optional>
#include <ostream>
#include <set>
#include <string>

#include "game/random.h"
#include "platform/platform.h"
#include "view/surface.h"

// The program's generator as scripts drive it: never seeded from the clock, so that replays are
// exact, and with draws that a script can force.
class ForcedRandom : public RandomSource {
 public:
  // The next draws return these values (mod n), in order, before the ordinary generator.
  void Force(std::int64_t value) { forced_.push_back(value); }
  std::int32_t Random(std::int32_t n) override;

 private:
  std::deque<std::int64_t> forced_;
  ClockRandom clock_;
};

class ScriptedPlatform : public Platform {
 public:
  // A screen of `width` x `height`; message boxes are written to `out` as the driver prints them.
  ScriptedPlatform(int width, int height, std::ostream& out);

  int ScreenWidth() const override { return width_; }
  int ScreenHeight() const override { return height_; }
  void Present(const Surface& windowSurface, const std::vector<Rect>& changed) override;
  void SetTimerEnabled(bool enabled) override { timerEnabled_ = enabled; }
  bool IsKeyDown(int vk) const override { return held_.count(vk) != 0; }
  void MessageBox(const std::string& caption, const std::string& text) override;
  std::optional<std::string> OpenDialog(const FileDialogSetup& setup) override;
  std::optional<std::string> SaveDialog(const FileDialogSetup& setup) override;
  void QuitLoop() override { quit_ = true; }
  void SetTaskbarVisible(bool visible) override { taskbarVisible_ = visible; }

  // Script side.
  void SetHeld(std::set<int> keys) { held_ = std::move(keys); }
  // Queues the answer of the next dialog: a full path, or nothing for "cancel".
  void QueueDialogAnswer(std::optional<std::string> path) { answers_.push_back(std::move(path)); }
  bool TimerEnabled() const { return timerEnabled_; }
  bool QuitRequested() const { return quit_; }
  bool TaskbarVisible() const { return taskbarVisible_; }
  int Presents() const { return presents_; }
  // Keeps a copy of the screen made, as a real window's texture is, from the first present
  // whole and then only from the areas each present says changed.
  void KeepShownPicture() { keepShown_ = true; }
  const Surface& ShownPicture() const { return shown_; }

 private:
  std::optional<std::string> NextAnswer();

  int width_;
  int height_;
  std::ostream& out_;
  bool timerEnabled_ = false;
  bool quit_ = false;
  bool taskbarVisible_ = true;
  int presents_ = 0;
  bool keepShown_ = false;
  Surface shown_;
  std::set<int> held_;
  std::deque<std::optional<std::string>> answers_;
};
