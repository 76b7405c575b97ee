// The mixer's sums, clipping and stops; the committed sounds as the game reads them; the
// settings file.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "game/settings_file.h"
#include "platform/mixer/mixer.h"
#include "platform/mixer/wav_file.h"

namespace {

using Samples = std::vector<std::int16_t>;

Samples MixOnce(Mixer& mixer, int count) {
  Samples out(static_cast<std::size_t>(count), 7);
  mixer.Mix(out.data(), count);
  return out;
}

TEST(Mixer, SumsWhatPlaysAndClipsToSixteenBits) {
  struct Case {
    const char* what;
    Samples dig;
    Samples ruby;
    Samples expected;
  };
  const Case cases[] = {
      {"two sounds add, the shorter ends in silence", {1000, 2000, -3000}, {500, 500, 500, 500},
       {1500, 2500, -2500, 500, 0}},
      {"a sum beyond 16 bits is clipped, not wrapped", {30000, -30000, 20000}, {10000, -10000, 0},
       {32767, -32768, 20000, 0, 0}},
      {"nothing plays: silence", {}, {}, {0, 0, 0, 0, 0}},
  };
  for (const Case& c : cases) {
    SoundSamples sounds;
    sounds[static_cast<std::size_t>(Sound::Dig)] = c.dig;
    sounds[static_cast<std::size_t>(Sound::Ruby)] = c.ruby;
    Mixer mixer(sounds);
    mixer.Start(Sound::Dig);
    mixer.Start(Sound::Ruby);
    mixer.Start(Sound::Ruby);  // asked twice before a buffer: sounds once
    EXPECT_EQ(MixOnce(mixer, 5), c.expected) << c.what;
  }
}

TEST(Mixer, SoundsGoOnAcrossBuffersAndStopFaded) {
  SoundSamples sounds;
  sounds[static_cast<std::size_t>(Sound::Blast)] = Samples(1000, 10000);
  Mixer mixer(sounds);
  mixer.Start(Sound::Blast);
  EXPECT_EQ(MixOnce(mixer, 3), (Samples{10000, 10000, 10000}));
  mixer.Start(Sound::Blast);  // a second blast beside the first
  EXPECT_EQ(MixOnce(mixer, 2), (Samples{20000, 20000}));

  mixer.Start(Sound::Land);  // asked before the stop: never starts
  mixer.StopAll();
  const Samples fading = MixOnce(mixer, Mixer::kStopFade + 10);
  EXPECT_EQ(fading.front(), 20000);
  for (std::size_t i = 1; i < static_cast<std::size_t>(Mixer::kStopFade); ++i) {
    EXPECT_LE(fading[i], fading[i - 1]) << i;
  }
  for (std::size_t i = Mixer::kStopFade; i < fading.size(); ++i) EXPECT_EQ(fading[i], 0) << i;
  EXPECT_EQ(MixOnce(mixer, 4), (Samples{0, 0, 0, 0}));
}

// What the game plays: every sound there, under a second, without a click at either end, its
// peaks at or below -1 dBFS, all together under 500 KB.
TEST(Sounds, CommittedFilesAreShortQuietEnoughAndSmall) {
  const std::string folder = std::string(QUILLMERE_SOURCE_DIR) + "/assets/sounds/";
  const SoundSamples sounds = ReadSoundFolder(folder);
  const auto peakLimit = static_cast<std::int32_t>(32768 * std::pow(10.0, -1.0 / 20));
  std::uintmax_t bytes = 0;
  for (int kind = 0; kind < kSoundCount; ++kind) {
    const std::string name(SoundName(static_cast<Sound>(kind)));
    const Samples& samples = sounds[static_cast<std::size_t>(kind)];
    ASSERT_FALSE(samples.empty()) << name;
    EXPECT_LT(samples.size(), static_cast<std::size_t>(kMixRate)) << name;
    EXPECT_EQ(samples.front(), 0) << name;
    EXPECT_EQ(samples.back(), 0) << name;
    for (const std::int16_t s : samples) ASSERT_LE(std::abs(std::int32_t{s}), peakLimit) << name;
    bytes += std::filesystem::file_size(folder + name + ".wav");
  }
  EXPECT_LT(bytes, 500u * 1024);
}

TEST(Sounds, AWavFileOfAnotherKindIsRefused) {
  const std::string wav = WavBytes({1, -2, 3}, kMixRate);
  std::string why;
  EXPECT_EQ(ReadWavSamples(wav, kMixRate, why), (Samples{1, -2, 3}));
  for (const auto& [bytes, rate] : {std::pair{wav, 44100}, std::pair{wav.substr(0, 30), kMixRate},
                                    std::pair{std::string("RIFF....WAVEdata"), kMixRate}}) {
    why.clear();
    EXPECT_FALSE(ReadWavSamples(bytes, rate, why));
    EXPECT_FALSE(why.empty());
  }
}

TEST(SettingsFile, ReadsItsOwnTextAndRefusesDamage) {
  struct Case {
    std::string text;
    bool ok;
    bool soundOn;
  };
  const Case cases[] = {
      {SettingsText(Settings{false}), true, false},
      {SettingsText(Settings{true}), true, true},
      {"", true, true},
      {"[sound]\r\non = 0\r\n", true, false},
      {"; later\n[view]\nzoom=2\n[sound]\nvolume=7\non=0\n", true, false},
      {"[other]\non=maybe\n", true, true},
      {"[sound]\non=off\n", false, true},
      {"[sound\non=0\n", false, true},
      {"[sound]\nsilence\n", false, true},
      {std::string("\xff\xfe[\0s", 5), false, true},
  };
  for (const Case& c : cases) {
    std::string why;
    const std::optional<Settings> settings = ParseSettings(c.text, why);
    ASSERT_EQ(settings.has_value(), c.ok) << c.text;
    if (c.ok) {
      EXPECT_EQ(settings->soundOn, c.soundOn) << c.text;
    } else {
      EXPECT_FALSE(why.empty()) << c.text;
    }
  }
}

}  // namespace
