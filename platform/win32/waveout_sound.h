#pragma once
// The game's sounds through waveOut (Windows 7 and later, and Wine): a thread of their own
// keeps the device's buffers filled from our mixer.
#include <atomic>
#include <memory>
#include <string>
#include <thread>

#include "platform/mixer/mixer.h"
#include "platform/sound_output.h"

class WaveOutSound : public SoundOutput {
 public:
  WaveOutSound() = default;
  ~WaveOutSound() override { Close(); }
  WaveOutSound(const WaveOutSound&) = delete;
  WaveOutSound& operator=(const WaveOutSound&) = delete;

  // Where the sounds are read from once sound is turned on.
  void SetFolder(const std::string& folder) { folder_ = folder; }
  // The game's first frame has been shown: from now on the sound may start, so that nothing of
  // it slows the start-up.
  void AfterFirstFrame();
  // Ends the sound thread and closes the device.
  void Close();

  void PlaySound(Sound sound) override;
  // The first time on (after the first frame), starts the sound thread: it reads the sounds, opens the device and then
  // only mixes, so that nobody waits for it. Without a device the game plays silently, after
  // one line on standard error.
  void SetSoundOn(bool on) override;

 private:
  void Play();
  // Starts the sound thread once sound is on and the first frame has been shown.
  void StartWhenDue();

  std::string folder_;
  bool wanted_ = false;
  bool due_ = false;
  std::thread thread_;
  void* bufferDone_ = nullptr;  // an event: the device finished a buffer, or Close wakes the thread
  std::atomic<bool> closing_{false};
  std::unique_ptr<Mixer> mixer_;
  std::atomic<Mixer*> playing_{nullptr};  // set once the device plays
};
