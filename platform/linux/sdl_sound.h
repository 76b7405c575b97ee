#pragma once
// The game's sounds through SDL2's audio: our mixer fills the device's buffers in SDL's callback.
#include <atomic>
#include <memory>
#include <string>
#include <thread>

#include "platform/mixer/mixer.h"
#include "platform/sound_output.h"

class SdlSound : public SoundOutput {
 public:
  SdlSound() = default;
  ~SdlSound() override { Close(); }
  SdlSound(const SdlSound&) = delete;
  SdlSound& operator=(const SdlSound&) = delete;

  // Reads the sounds from `folder` and opens the audio device on a thread of its own, so that
  // nobody waits for either; sounds raised before the device plays are not heard. Without a
  // device the game plays silently, after one line on standard error. SDL must be initialised.
  void Open(const std::string& folder);
  // Closes the device (before SDL is shut down); waits for an opening still under way.
  void Close();

  void PlaySound(Sound sound) override;
  void StopSounds() override;

 private:
  void OpenDevice(const std::string& folder);

  std::thread opener_;
  std::unique_ptr<Mixer> mixer_;
  std::atomic<Mixer*> playing_{nullptr};  // set once the device plays
  std::uint32_t device_ = 0;
};
