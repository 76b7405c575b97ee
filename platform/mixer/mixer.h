#pragma once
// Our mixer, shared by the audio back ends of Linux and Windows: the game's thread starts and
// stops sounds, the audio thread mixes what plays into its buffers. The two meet only in atomic
// words; mixing neither waits nor allocates.
#include <array>
#include <atomic>
#include <cstdint>
#include <vector>

#include "game/sounds.h"

// One rate for every sound asset and every device buffer: 16-bit mono samples.
inline constexpr int kMixRate = 22050;

using SoundSamples = std::array<std::vector<std::int16_t>, kSoundCount>;

class Mixer {
 public:
  // Sounds playing at once; a start beyond them takes the place of the one nearest its end.
  static constexpr int kVoices = 16;
  // How long a stopped sound takes to fade out, in samples (about 6 ms).
  static constexpr int kStopFade = 128;

  // The samples of each sound, by Sound; an empty one is silent.
  explicit Mixer(SoundSamples sounds) : sounds_(std::move(sounds)) {}

  // Game's thread: `sound` starts with the next buffer mixed (once, however often it was asked).
  void Start(Sound sound);
  // Game's thread: what plays fades out in the next buffer mixed, and what was asked to start
  // before does not start.
  void StopAll();

  // Audio thread: fills `out` with `count` samples, the sum of what plays, clipped to 16 bits.
  void Mix(std::int16_t* out, int count);

 private:
  struct Voice {
    const std::vector<std::int16_t>* samples = nullptr;  // nothing: the voice is free
    std::size_t at = 0;
    int fade = 0;  // while stopping: the samples of fade left
  };

  void StartVoice(const std::vector<std::int16_t>& samples);

  const SoundSamples sounds_;
  std::atomic<std::uint32_t> starts_{0};  // a bit per Sound
  std::atomic<bool> stop_{false};
  std::array<Voice, kVoices> voices_{};
  std::vector<std::int32_t> sum_;
};
