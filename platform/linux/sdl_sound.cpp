#include "platform/linux/sdl_sound.h"

#include <SDL.h>

#include <cstdio>

#include "platform/mixer/wav_file.h"

namespace {

// About 23 ms a buffer: a sound starts at most that late.
constexpr Uint16 kBufferSamples = 512;

void MixInto(void* mixer, Uint8* stream, int bytes) {
  static_cast<Mixer*>(mixer)->Mix(reinterpret_cast<std::int16_t*>(stream),
                                  bytes / static_cast<int>(sizeof(std::int16_t)));
}

}  // namespace

void SdlSound::SetSoundOn(bool on) {
  if (!on) {
    if (Mixer* const mixer = playing_.load(std::memory_order_acquire)) mixer->StopAll();
    return;
  }
  wanted_ = true;
  OpenWhenDue();
}

void SdlSound::AfterFirstFrame() {
  due_ = true;
  OpenWhenDue();
}

void SdlSound::OpenWhenDue() {
  if (wanted_ && due_ && !opener_.joinable()) opener_ = std::thread([this] { OpenDevice(); });
}

void SdlSound::OpenDevice() {
  mixer_ = std::make_unique<Mixer>(ReadSoundFolder(folder_));
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
    std::fprintf(stderr, "Quillmere: no sound, the game plays silently: %s\n", SDL_GetError());
    return;
  }
  // SDL converts our mono 16-bit samples to whatever the device takes.
  SDL_AudioSpec wanted{};
  wanted.freq = kMixRate;
  wanted.format = AUDIO_S16SYS;
  wanted.channels = 1;
  wanted.samples = kBufferSamples;
  wanted.callback = MixInto;
  wanted.userdata = mixer_.get();
  device_ = SDL_OpenAudioDevice(nullptr, 0, &wanted, nullptr, 0);
  if (device_ == 0) {
    std::fprintf(stderr, "Quillmere: no sound, the game plays silently: %s\n", SDL_GetError());
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return;
  }
  SDL_PauseAudioDevice(device_, 0);
  playing_.store(mixer_.get(), std::memory_order_release);
}

void SdlSound::Close() {
  if (opener_.joinable()) opener_.join();
  playing_.store(nullptr);
  if (device_ == 0) return;
  SDL_CloseAudioDevice(device_);
  SDL_QuitSubSystem(SDL_INIT_AUDIO);
  device_ = 0;
}

void SdlSound::PlaySound(Sound sound) {
  if (Mixer* const mixer = playing_.load(std::memory_order_acquire)) mixer->Start(sound);
}
