#include "app/sound_gate.h"

void SoundGate::Raise(Sound sound) {
  const auto kind = static_cast<std::size_t>(sound);
  if (!on_ || raised_.test(kind)) return;
  raised_.set(kind);
  output_.PlaySound(sound);
}

void SoundGate::SetOn(bool on) {
  on_ = on;
  output_.SetSoundOn(on);
}
