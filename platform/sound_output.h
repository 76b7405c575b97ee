#pragma once
// Where the game's sounds leave it: the loudspeaker through our mixer on Linux and Windows, a
// record of what was played for the tests and the headless driver.
enum class Sound : unsigned char;  // game/sounds.h

class SoundOutput {
 public:
  virtual ~SoundOutput() = default;
  // Starts `sound` now, mixed with what already plays. Without an audio device nothing is heard
  // and nothing fails.
  virtual void PlaySound(Sound sound) = 0;
  // On: the audio device is opened, beside the game (nobody waits for it), unless it already
  // is; sounds played before it plays are not heard. Off: every sound that plays ends, faded
  // within a few milliseconds. A game whose sound stays off never opens the device.
  virtual void SetSoundOn(bool on) = 0;
};
