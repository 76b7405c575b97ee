#include "platform/mixer/wav_file.h"

#include <cstdio>

#include "platform/file_system.h"

namespace {

constexpr std::uint16_t kPcm = 1;
constexpr std::uint16_t kBits = 16;
constexpr std::size_t kFormatSize = 16;
// Far more than a sound of under a second.
constexpr std::size_t kSoundFileLimit = 1 << 20;

void Put(std::string& out, std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

std::uint32_t Get(const std::string& in, std::size_t at, int bytes) {
  std::uint32_t value = 0;
  for (int i = bytes - 1; i >= 0; --i) {
    value = (value << 8) | static_cast<unsigned char>(in[at + static_cast<std::size_t>(i)]);
  }
  return value;
}

}  // namespace

std::string WavBytes(const std::vector<std::int16_t>& samples, int rate) {
  const auto dataSize = static_cast<std::uint32_t>(samples.size() * 2);
  std::string out = "RIFF";
  Put(out, 4 + 8 + kFormatSize + 8 + dataSize, 4);
  out += "WAVEfmt ";
  Put(out, kFormatSize, 4);
  Put(out, kPcm, 2);
  Put(out, 1, 2);  // mono
  Put(out, static_cast<std::uint32_t>(rate), 4);
  Put(out, static_cast<std::uint32_t>(rate) * 2, 4);  // bytes a second
  Put(out, 2, 2);                                      // bytes a sample
  Put(out, kBits, 2);
  out += "data";
  Put(out, dataSize, 4);
  for (const std::int16_t sample : samples) Put(out, static_cast<std::uint16_t>(sample), 2);
  return out;
}

std::optional<std::vector<std::int16_t>> ReadWavSamples(const std::string& bytes, int rate,
                                                        std::string& why) {
  if (bytes.size() < 12 || bytes.compare(0, 4, "RIFF") != 0 || bytes.compare(8, 4, "WAVE") != 0) {
    why = "not a WAV file";
    return std::nullopt;
  }
  bool formatSeen = false;
  for (std::size_t at = 12; at + 8 <= bytes.size();) {
    const std::string id = bytes.substr(at, 4);
    const std::size_t size = Get(bytes, at + 4, 4);
    const std::size_t body = at + 8;
    if (size > bytes.size() - body) break;
    if (id == "fmt ") {
      if (size < kFormatSize || Get(bytes, body, 2) != kPcm || Get(bytes, body + 2, 2) != 1 ||
          Get(bytes, body + 4, 4) != static_cast<std::uint32_t>(rate) ||
          Get(bytes, body + 14, 2) != kBits) {
        why = "not 16-bit mono PCM at " + std::to_string(rate) + " Hz";
        return std::nullopt;
      }
      formatSeen = true;
    } else if (id == "data" && formatSeen) {
      std::vector<std::int16_t> samples(size / 2);
      for (std::size_t i = 0; i < samples.size(); ++i) {
        samples[i] = static_cast<std::int16_t>(Get(bytes, body + 2 * i, 2));
      }
      return samples;
    }
    at = body + size + (size & 1);
  }
  why = "no format and sound data in it";
  return std::nullopt;
}

SoundSamples ReadSoundFolder(const std::string& folder) {
  SoundSamples sounds;
  for (int kind = 0; kind < kSoundCount; ++kind) {
    const std::string path = folder + std::string(SoundName(static_cast<Sound>(kind))) + ".wav";
    const FileBytes file = ReadWholeFile(path, kSoundFileLimit);
    std::string why = file.error == FileError::kNone ? "" : LastFileErrorText();
    std::optional<std::vector<std::int16_t>> samples;
    if (why.empty()) samples = ReadWavSamples(file.bytes, kMixRate, why);
    if (samples) {
      sounds[static_cast<std::size_t>(kind)] = std::move(*samples);
    } else {
      std::fprintf(stderr, "Quillmere: the sound %s cannot be played: %s\n", path.c_str(),
                   why.c_str());
    }
  }
  return sounds;
}
