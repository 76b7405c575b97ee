#pragma once
// The sound assets' file format: RIFF WAVE, 16-bit PCM, mono, at the mixer's rate.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/mixer/mixer.h"

// The bytes of a WAV file holding `samples` at `rate`.
std::string WavBytes(const std::vector<std::int16_t>& samples, int rate);

// The samples of a WAV file of 16-bit PCM mono at `rate`; nothing, with the reason in `why`,
// for any other file.
std::optional<std::vector<std::int16_t>> ReadWavSamples(const std::string& bytes, int rate,
                                                        std::string& why);

// Every sound of the game from NAME.wav in `folder` (ending with the separator). One that cannot
// be read stays silent, with one line on standard error.
SoundSamples ReadSoundFolder(const std::string& folder);
