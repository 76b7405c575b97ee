#pragma once
// Between the rules and the loudspeaker: each kind of sound once per event (a key press, a
// tick), and nothing while the player has turned sound off.
#include <bitset>

#include "game/sounds.h"
#include "platform/sound_output.h"

class SoundGate : public SoundSink {
 public:
  explicit SoundGate(SoundOutput& output) : output_(output) {}

  // Plays `sound` unless sound is off or it already sounded in this event.
  void Raise(Sound sound) override;
  // A new event begins: every kind may sound again.
  void NextEvent() { raised_.reset(); }
  bool On() const { return on_; }
  // Turning sound on opens the audio device if it is not open yet; off ends what plays.
  void SetOn(bool on);

 private:
  SoundOutput& output_;
  std::bitset<kSoundCount> raised_;
  bool on_ = false;  // until start-up has read the player's choice
};
