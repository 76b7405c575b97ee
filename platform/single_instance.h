#pragma once
// One copy of the game per user: two copies would share the one snapshot of what the player
// owned, each deleting or overwriting the other's.
#include <cstdint>
#include <string>

class SingleInstance {
 public:
  // The game itself runs alone; replays of the headless driver on the game's snapshot may run
  // side by side, but not beside the game.
  enum class Kind { kGame, kReplay };

  // Tries to become a copy that runs, by an advisory lock on the file `lockPath` (exclusive for
  // the game, shared for a replay), which the system releases when the process ends in any way.
  // When the file cannot be opened at all, the copy runs without the lock rather than not at all.
  SingleInstance(const std::string& lockPath, Kind kind);
  ~SingleInstance();
  SingleInstance(const SingleInstance&) = delete;
  SingleInstance& operator=(const SingleInstance&) = delete;

  // True when another copy holds the lock in a way that keeps this one from running.
  bool AnotherIsRunning() const { return anotherIsRunning_; }

 private:
  std::intptr_t handle_ = -1;  // a descriptor or a handle
  bool anotherIsRunning_ = false;
};

// The lock file of the game: in the user's private runtime folder, beside the snapshot.
std::string DefaultInstanceLockPath();
