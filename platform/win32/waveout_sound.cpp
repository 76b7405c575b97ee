#include "platform/win32/waveout_sound.h"

#include <windows.h>
#include <mmsystem.h>
#undef PlaySound  // the system's sound call, not the seam's

#include <array>
#include <cstdio>
#include <vector>

#include "platform/mixer/wav_file.h"

namespace {

// Four buffers of about 23 ms each: a sound starts at most some 70 ms late.
constexpr int kBuffers = 4;
constexpr int kBufferSamples = 512;

}  // namespace

void WaveOutSound::SetSoundOn(bool on) {
  if (!on) {
    if (Mixer* const mixer = playing_.load(std::memory_order_acquire)) mixer->StopAll();
    return;
  }
  wanted_ = true;
  StartWhenDue();
}

void WaveOutSound::AfterFirstFrame() {
  due_ = true;
  StartWhenDue();
}

void WaveOutSound::StartWhenDue() {
  if (!wanted_ || !due_ || bufferDone_ != nullptr) return;
  bufferDone_ = CreateEventW(nullptr, FALSE, FALSE, nullptr);
  if (bufferDone_ == nullptr) {
    std::fputs("Quillmere: no sound, the game plays silently: no event for the device\n", stderr);
    return;
  }
  thread_ = std::thread([this] { Play(); });
}

void WaveOutSound::Play() {
  mixer_ = std::make_unique<Mixer>(ReadSoundFolder(folder_));
  WAVEFORMATEX format{};
  format.wFormatTag = WAVE_FORMAT_PCM;
  format.nChannels = 1;
  format.nSamplesPerSec = kMixRate;
  format.wBitsPerSample = 16;
  format.nBlockAlign = 2;
  format.nAvgBytesPerSec = kMixRate * 2;
  HWAVEOUT device = nullptr;
  const MMRESULT opened = waveOutOpen(&device, WAVE_MAPPER, &format,
                                      reinterpret_cast<DWORD_PTR>(bufferDone_), 0, CALLBACK_EVENT);
  if (opened != MMSYSERR_NOERROR) {
    std::fprintf(stderr, "Quillmere: no sound, the game plays silently: waveOut error %u\n",
                 static_cast<unsigned>(opened));
    return;
  }
  std::array<std::vector<std::int16_t>, kBuffers> samples;
  std::array<WAVEHDR, kBuffers> headers{};
  for (int i = 0; i < kBuffers; ++i) {
    samples[i].assign(kBufferSamples, 0);
    headers[i].lpData = reinterpret_cast<LPSTR>(samples[i].data());
    headers[i].dwBufferLength = kBufferSamples * sizeof(std::int16_t);
    waveOutPrepareHeader(device, &headers[i], sizeof(WAVEHDR));
    waveOutWrite(device, &headers[i], sizeof(WAVEHDR));
  }
  playing_.store(mixer_.get(), std::memory_order_release);
  while (!closing_.load()) {
    WaitForSingleObject(bufferDone_, INFINITE);
    for (int i = 0; i < kBuffers && !closing_.load(); ++i) {
      if ((headers[i].dwFlags & WHDR_DONE) == 0) continue;
      mixer_->Mix(samples[i].data(), kBufferSamples);
      waveOutWrite(device, &headers[i], sizeof(WAVEHDR));
    }
  }
  playing_.store(nullptr);
  waveOutReset(device);
  for (WAVEHDR& header : headers) waveOutUnprepareHeader(device, &header, sizeof(WAVEHDR));
  waveOutClose(device);
}

void WaveOutSound::Close() {
  if (bufferDone_ == nullptr) return;
  closing_.store(true);
  SetEvent(bufferDone_);
  if (thread_.joinable()) thread_.join();
  CloseHandle(bufferDone_);
  bufferDone_ = nullptr;
}

void WaveOutSound::PlaySound(Sound sound) {
  if (Mixer* const mixer = playing_.load(std::memory_order_acquire)) mixer->Start(sound);
}
