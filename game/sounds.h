#pragma once
// The sounds of the game, raised by the rules and the screens through this narrow interface at
// the moment each event happens; how they reach the loudspeaker is the platform's business.
#include <array>
#include <cstddef>
#include <string_view>

enum class Sound : unsigned char {
  Dig,         // earth dug
  Ruby,        // a ruby collected
  Push,        // a rock pushed
  Land,        // a falling rock or ruby comes to rest
  Blast,       // a creature blown up
  Slime,       // slime grew
  ExitOpen,    // enough rubies: the closed exits opened
  Finish,      // the exit reached
  Caught,      // the player was caught: Game Over
  Buy,         // an item bought in the shop
  NoMoney,     // too little money for the item
  Saved,       // the campaign was saved
  MenuMove,    // the frame moved to another entry of the menu or the shop
  MenuChoose,  // an entry of the menu, or the shop's Play, was chosen
};

inline constexpr int kSoundCount = 14;

// The names of the sounds, by Sound: the asset file NAME.wav and the driver's "sound NAME".
inline constexpr std::array<std::string_view, kSoundCount> kSoundNames{
    "dig",    "ruby",   "push", "land",     "blast", "slime",     "exit-open",
    "finish", "caught", "buy",  "no-money", "saved", "menu-move", "menu-choose"};

constexpr std::string_view SoundName(Sound sound) {
  return kSoundNames[static_cast<std::size_t>(sound)];
}

class SoundSink {
 public:
  virtual ~SoundSink() = default;
  // `sound` starts now (a kind raised again within the same event sounds once).
  virtual void Raise(Sound sound) = 0;
};

// For what plays the rules without a loudspeaker: the solver, the benchmarks.
class SilentSounds : public SoundSink {
 public:
  void Raise(Sound) override {}
};
