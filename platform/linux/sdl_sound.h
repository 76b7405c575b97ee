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

  // Where the sounds are read from once sound is turned on.
  void SetFolder(const std::string& folder) { folder_ = folder; }
  // The game's first frame has been shown: from now on the sound may start, so that nothing of
  // it slows the start-up.
  void AfterFirstFrame();
  // Closes the device (before SDL is shut down); waits for an opening still under way.
  void Close();

  void PlaySound(Sound sound) override;
  // The first time on (after the first frame), reads the sounds and opens the device on a
  // thread of its own, so that nobody waits for either. Without a device the game plays silently, after one line on
  // standard error. SDL must be initialised.
  void SetSoundOn(bool on) override;

 private:
  void OpenDevice();
  // Starts opening the device once sound is on and the first frame has been shown.
  void OpenWhenDue();

  std::string folder_;
  bool wanted_ = false;
  bool due_ = false;
  std::thread opener_;
  std::unique_ptr<Mixer> mixer_;
  std::atomic<Mixer*> playing_{nullptr};  // set once the device plays
  std::uint32_t device_ = 0;
};
