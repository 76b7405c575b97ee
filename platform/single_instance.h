#pragma once
// One copy of the game per user: two copies would share the one snapshot of what the player
// owned, each deleting or overwriting the other's.
#include <string>

class SingleInstance {
 public:
  // Tries to become the copy that runs, by an advisory lock on the file `lockPath`, which the
  // system releases when the process ends in any way. When the file cannot be opened at all,
  // the game runs without the lock rather than not at all.
  explicit SingleInstance(const std::string& lockPath);
  ~SingleInstance();
  SingleInstance(const SingleInstance&) = delete;
  SingleInstance& operator=(const SingleInstance&) = delete;

  // True when another running copy holds the lock.
  bool AnotherIsRunning() const { return anotherIsRunning_; }

 private:
  int handle_ = -1;
  bool anotherIsRunning_ = false;
};

// The lock file of the game: in the user's private runtime folder, beside the snapshot.
std::string DefaultInstanceLockPath();
