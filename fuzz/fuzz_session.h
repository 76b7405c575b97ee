#pragma once
// One fuzz input plays the real game: a fresh program folder, the scripted platform and TForm1,
// driven through the same handlers as the window's event loop.
#include <memory>
#include <set>
#include <sstream>
#include <string>
#include <string_view>

#include "app/tform1.h"
#include "platform/scripted/scripted_platform.h"

// Files the game ships, for seeding a session's folder.
std::string ShippedFile(const std::string& relativePath);

class FuzzSession {
 public:
  static constexpr int kScreenWidth = 800;
  static constexpr int kScreenHeight = 600;

  // Empties this process's scratch folder and makes it the working folder.
  FuzzSession();
  ~FuzzSession();
  FuzzSession(const FuzzSession&) = delete;
  FuzzSession& operator=(const FuzzSession&) = delete;

  // Writes `bytes` to `name` in the program's folder.
  void Write(const std::string& name, std::string_view bytes) const;
  // The bytes of `name` in the program's folder, or nothing when it cannot be read.
  bool Read(const std::string& name, std::string& bytes) const;
  std::string Path(const std::string& name) const { return folder_ + name; }
  std::string SnapshotPath() const { return Path("Kolbrin.tmp"); }

  // Which pictures the window gets: none, or the letters and digits that the score table and
  // the money counter are drawn with.
  enum class Pictures { kNone, kLetters };
  // Creates the window on an 800 x 600 screen and runs its creation handler.
  void Start(Pictures pictures = Pictures::kNone);

  TForm1& Form() { return *form_; }
  const GameState& State() const { return form_->State(); }
  ScriptedPlatform& Platform() { return *platform_; }
  bool Closed() const { return form_->IsClosed(); }
  // Everything the message boxes said so far, one line each.
  std::string Messages() const { return out_.str(); }
  // How many message boxes said `text` so far.
  int MessagesSaying(std::string_view text) const;

  // Handlers as the event loop delivers them.
  void Key(int vk, bool shift = false) { form_->OnKeyDown(vk, shift); }
  void Tick() { form_->OnTimer(); }
  void Paint() { form_->OnPaint(); }
  void Hold(std::set<int> keys) { platform_->SetHeld(std::move(keys)); }
  // Walks the main menu's frame to entry `item` (1..6) from entry 1 and presses Enter.
  void ChooseMenuEntry(int item);

 private:
  std::string folder_;
  std::ostringstream out_;
  std::unique_ptr<ScriptedPlatform> platform_;
  ForcedRandom random_;
  std::unique_ptr<TForm1> form_;
};
