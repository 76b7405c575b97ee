#include "platform/mixer/mixer.h"

#include <algorithm>
#include <limits>

void Mixer::Start(Sound sound) {
  starts_.fetch_or(std::uint32_t{1} << static_cast<unsigned>(sound), std::memory_order_release);
}

void Mixer::StopAll() {
  starts_.store(0, std::memory_order_release);
  stop_.store(true, std::memory_order_release);
}

void Mixer::StartVoice(const std::vector<std::int16_t>& samples) {
  if (samples.empty()) return;
  Voice* chosen = &voices_[0];
  for (Voice& voice : voices_) {
    if (voice.samples == nullptr) {
      chosen = &voice;
      break;
    }
    const std::size_t left = voice.samples->size() - voice.at;
    if (left < chosen->samples->size() - chosen->at) chosen = &voice;
  }
  *chosen = Voice{&samples, 0, 0};
}

void Mixer::Mix(std::int16_t* out, int count) {
  if (stop_.exchange(false, std::memory_order_acquire)) {
    for (Voice& voice : voices_) {
      if (voice.samples != nullptr && voice.fade == 0) voice.fade = kStopFade;
    }
  }
  const std::uint32_t starts = starts_.exchange(0, std::memory_order_acquire);
  for (int kind = 0; kind < kSoundCount; ++kind) {
    if ((starts >> kind) & 1u) StartVoice(sounds_[static_cast<std::size_t>(kind)]);
  }
  // The device's buffer size is fixed once it is open: this grows only with the first buffer.
  if (sum_.size() < static_cast<std::size_t>(count)) sum_.resize(static_cast<std::size_t>(count));
  std::fill_n(sum_.begin(), count, 0);
  for (Voice& voice : voices_) {
    if (voice.samples == nullptr) continue;
    const std::vector<std::int16_t>& samples = *voice.samples;
    std::size_t left = samples.size() - voice.at;
    if (voice.fade > 0) left = std::min(left, static_cast<std::size_t>(voice.fade));
    const int n = static_cast<int>(std::min(left, static_cast<std::size_t>(count)));
    for (int i = 0; i < n; ++i) {
      std::int32_t value = samples[voice.at + static_cast<std::size_t>(i)];
      if (voice.fade > 0) value = value * (voice.fade - i) / kStopFade;
      sum_[static_cast<std::size_t>(i)] += value;
    }
    voice.at += static_cast<std::size_t>(n);
    const bool faded = voice.fade > 0 && (voice.fade -= n) == 0;
    if (voice.at == samples.size() || faded) voice = Voice{};
  }
  constexpr std::int32_t kLow = std::numeric_limits<std::int16_t>::min();
  constexpr std::int32_t kHigh = std::numeric_limits<std::int16_t>::max();
  for (int i = 0; i < count; ++i) {
    out[i] = static_cast<std::int16_t>(std::clamp(sum_[static_cast<std::size_t>(i)], kLow, kHigh));
  }
}
