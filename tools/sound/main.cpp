// The sound tool: synthesises every sound of the game from code, deterministically, and writes
// them as WAV files (16-bit mono at the mixer's rate) into the folder given, e.g. assets/sounds/.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <functional>
#include <numbers>
#include <string>
#include <vector>

#include "game/sounds.h"
#include "platform/mixer/mixer.h"
#include "platform/mixer/wav_file.h"

namespace {

using Wave = std::vector<double>;

constexpr double kRate = kMixRate;
constexpr double kTwoPi = 2 * std::numbers::pi;
// No sound peaks above -1 dBFS.
const double kPeakLimit = std::pow(10.0, -1.0 / 20);
constexpr double kFadeInSeconds = 0.003;
constexpr double kFadeOutSeconds = 0.015;

// The same noise on every machine: a 32-bit xorshift, white in -1..1.
class Noise {
 public:
  explicit Noise(std::uint32_t seed) : state_(seed) {}
  double Next() {
    state_ ^= state_ << 13;
    state_ ^= state_ >> 17;
    state_ ^= state_ << 5;
    return static_cast<double>(state_) / 2147483648.0 - 1.0;
  }

 private:
  std::uint32_t state_;
};

int Samples(double seconds) { return static_cast<int>(std::lround(seconds * kRate)); }

// Fills `seconds` of sound from f(t, i).
Wave Make(double seconds, const std::function<double(double, int)>& f) {
  Wave w(static_cast<std::size_t>(Samples(seconds)));
  for (std::size_t i = 0; i < w.size(); ++i) w[i] = f(static_cast<double>(i) / kRate, static_cast<int>(i));
  return w;
}

// A partial whose frequency glides from `from` to `to` Hz exponentially over `seconds`.
Wave Glide(double seconds, double from, double to, double (*shape)(double)) {
  Wave w(static_cast<std::size_t>(Samples(seconds)));
  double phase = 0;
  for (std::size_t i = 0; i < w.size(); ++i) {
    const double t = static_cast<double>(i) / static_cast<double>(w.size());
    phase += from * std::pow(to / from, t) / kRate;
    w[i] = shape(phase - std::floor(phase));
  }
  return w;
}

double Sine(double cycle) { return std::sin(kTwoPi * cycle); }
// A triangle's first three partials: fuller than a sine, and nothing above the fifth harmonic
// to fold back from the top of the band.
double Triangle(double cycle) {
  return Sine(cycle) - Sine(3 * cycle) / 9 + Sine(5 * cycle) / 25;
}

// A part of a sound ends within its last 8 ms, so that it stops without a click.
double EndFade(double t, double seconds) { return std::min(1.0, (seconds - t) / 0.008); }

// A bell-like tone: a sine with a quieter inharmonic partial, struck and decaying.
Wave Chime(double seconds, double hz, double decay) {
  return Make(seconds, [=](double t, int) {
    const double strike = std::min(1.0, t / 0.002);
    return strike * EndFade(t, seconds) * std::exp(-t / decay) *
           (Sine(hz * t) + 0.3 * Sine(2.76 * hz * t) * std::exp(-t / (decay * 0.4)));
  });
}

// Second-order filters from the audio equaliser cookbook.
struct Biquad {
  double b0, b1, b2, a1, a2;
  double x1 = 0, x2 = 0, y1 = 0, y2 = 0;

  static Biquad LowPass(double hz, double q) { return Make(hz, q, false); }
  static Biquad BandPass(double hz, double q) { return Make(hz, q, true); }
  static Biquad HighPass(double hz, double q) {
    const double w = kTwoPi * hz / kRate;
    const double alpha = std::sin(w) / (2 * q);
    const double c = std::cos(w);
    const double a0 = 1 + alpha;
    return {(1 + c) / 2 / a0, -(1 + c) / a0, (1 + c) / 2 / a0, -2 * c / a0, (1 - alpha) / a0};
  }

  double Run(double x) {
    const double y = b0 * x + b1 * x1 + b2 * x2 - a1 * y1 - a2 * y2;
    x2 = x1;
    x1 = x;
    y2 = y1;
    y1 = y;
    return y;
  }

 private:
  static Biquad Make(double hz, double q, bool band) {
    const double w = kTwoPi * hz / kRate;
    const double alpha = std::sin(w) / (2 * q);
    const double c = std::cos(w);
    const double a0 = 1 + alpha;
    if (band) return {alpha / a0, 0, -alpha / a0, -2 * c / a0, (1 - alpha) / a0};
    return {(1 - c) / 2 / a0, (1 - c) / a0, (1 - c) / 2 / a0, -2 * c / a0, (1 - alpha) / a0};
  }
};

// `w` shaped by env(t) sample by sample.
Wave Shaped(Wave w, const std::function<double(double)>& env) {
  for (std::size_t i = 0; i < w.size(); ++i) w[i] *= env(static_cast<double>(i) / kRate);
  return w;
}

// `add` mixed into `w` from `at` seconds on, scaled by `gain` and ending without a click; `w`
// grows to hold it.
void MixIn(Wave& w, const Wave& add, double at, double gain = 1) {
  const auto start = static_cast<std::size_t>(Samples(at));
  if (w.size() < start + add.size()) w.resize(start + add.size(), 0);
  const double seconds = static_cast<double>(add.size()) / kRate;
  for (std::size_t i = 0; i < add.size(); ++i) {
    w[start + i] += gain * EndFade(static_cast<double>(i) / kRate, seconds) * add[i];
  }
}

// Filtered white noise.
Wave FilteredNoise(double seconds, std::uint32_t seed, Biquad filter) {
  Noise noise(seed);
  return Make(seconds, [&](double, int) { return filter.Run(noise.Next()); });
}

// Noise whose low-pass corner falls from `from` to `to` Hz: a blast's rumble dying away.
Wave FallingNoise(double seconds, std::uint32_t seed, double from, double to) {
  Noise noise(seed);
  Wave w(static_cast<std::size_t>(Samples(seconds)));
  double y1 = 0;
  double y2 = 0;
  for (std::size_t i = 0; i < w.size(); ++i) {
    const double t = static_cast<double>(i) / static_cast<double>(w.size());
    const double hz = from * std::pow(to / from, t);
    const double k = 1 - std::exp(-kTwoPi * hz / kRate);
    y1 += k * (noise.Next() - y1);
    y2 += k * (y1 - y2);
    w[i] = y2;
  }
  return w;
}

double Decay(double t, double tau) { return std::exp(-t / tau); }

Wave Dig() {
  // Earth giving way: two quick crunches of band-passed noise over a soft thump.
  Wave w = Shaped(FilteredNoise(0.14, 11, Biquad::BandPass(900, 1.2)), [](double t) {
    return Decay(t, 0.025) + 0.6 * (t > 0.035) * Decay(t - 0.035, 0.02);
  });
  MixIn(w, Shaped(Glide(0.1, 220, 110, Sine), [](double t) { return Decay(t, 0.025); }), 0, 0.6);
  return w;
}

Wave Ruby() {
  // A bright two-note chime, the second a fifth above.
  Wave w = Chime(0.3, 1318.5, 0.09);
  MixIn(w, Chime(0.3, 1975.5, 0.1), 0.06, 0.8);
  return w;
}

Wave Push() {
  // Stone scraping on stone: low band-passed noise, swelling and settling.
  Wave w = Shaped(FilteredNoise(0.22, 23, Biquad::BandPass(320, 1.2)), [](double t) {
    return std::sin(std::numbers::pi * std::min(1.0, t / 0.22));
  });
  Biquad dull = Biquad::LowPass(1500, 0.7);
  for (double& x : w) x = dull.Run(x);
  MixIn(w, Shaped(Glide(0.22, 95, 80, Triangle), [](double t) { return 0.3 * Decay(t, 0.1); }), 0);
  return w;
}

Wave Land() {
  // A dull thud: a falling sine, low but high enough for small speakers, with a knock on top.
  Wave w = Shaped(Glide(0.26, 190, 70, Sine), [](double t) { return Decay(t, 0.06); });
  MixIn(w, Shaped(FilteredNoise(0.06, 37, Biquad::BandPass(450, 1.5)),
                  [](double t) { return Decay(t, 0.012); }), 0, 2.5);
  return w;
}

Wave Blast() {
  // A burst whose rumble darkens as it dies, over a deep boom.
  Wave w = Shaped(FallingNoise(0.85, 41, 3500, 150), [](double t) {
    return std::min(1.0, t / 0.004) * Decay(t, 0.18);
  });
  MixIn(w, Shaped(Glide(0.6, 110, 40, Sine), [](double t) { return Decay(t, 0.15); }), 0, 0.7);
  return w;
}

Wave Slime() {
  // A soft bubble: a sine gliding up, with a little wobble.
  return Make(0.16, [](double t, int) {
    const double hz = 260 + 900 * t + 25 * std::sin(kTwoPi * 30 * t);
    return std::sin(kTwoPi * hz * t) * std::sin(std::numbers::pi * t / 0.16);
  });
}

// Chimes one after another, `gap` seconds apart.
Wave Arpeggio(std::initializer_list<double> notes, double gap, double ring, double decay) {
  Wave w;
  double at = 0;
  for (const double hz : notes) {
    MixIn(w, Chime(ring, hz, decay), at, 0.6);
    at += gap;
  }
  return w;
}

Wave ExitOpen() { return Arpeggio({523.3, 659.3, 784.0, 1046.5}, 0.08, 0.35, 0.12); }

Wave Finish() {
  Wave w = Arpeggio({784.0, 1046.5, 1318.5}, 0.1, 0.45, 0.14);
  MixIn(w, Chime(0.6, 1568.0, 0.2), 0.3, 0.7);
  MixIn(w, Chime(0.6, 784.0, 0.25), 0.3, 0.4);
  return w;
}

Wave Caught() {
  // A long falling wail.
  return Shaped(Glide(0.7, 620, 140, Triangle), [](double t) {
    return std::min(1.0, t / 0.01) * (1 - t / 0.7) * (0.8 + 0.2 * std::sin(kTwoPi * 7 * t));
  });
}

Wave Buy() {
  // A coin: a short note and a brighter long one.
  Wave w = Chime(0.08, 987.8, 0.04);
  MixIn(w, Chime(0.3, 1318.5, 0.08), 0.07);
  return w;
}

Wave NoMoney() {
  // Two low, muffled buzzes: no.
  Wave note = Shaped(Glide(0.11, 150, 140, Triangle), [](double t) {
    return std::sin(std::numbers::pi * t / 0.11);
  });
  Biquad soften = Biquad::LowPass(900, 0.7);
  for (double& x : note) x = soften.Run(x);
  Wave w = note;
  MixIn(w, note, 0.15);
  return w;
}

Wave Saved() {
  Wave w = Chime(0.3, 880.0, 0.09);
  MixIn(w, Chime(0.35, 1174.7, 0.11), 0.11);
  return w;
}

Wave MenuMove() {
  // A short, soft tick.
  return Make(0.045, [](double t, int) { return Sine(1200 * t) * Decay(t, 0.01); });
}

Wave MenuChoose() {
  // A quick rising blip.
  return Shaped(Glide(0.11, 660, 1320, Sine), [](double t) { return Decay(t, 0.04); });
}

// How loud each sound is, as the RMS of its loudest 50 ms in dBFS with the lows below 150 Hz
// left out (the ear, and small speakers, make little of them): the events of play above the
// menu's clicks, slime quiet, the blast and the end of a level the loudest.
struct Recipe {
  Sound sound;
  Wave (*make)();
  double loudness;
};

const Recipe kRecipes[] = {
    {Sound::Dig, Dig, -20},           {Sound::Ruby, Ruby, -19},
    {Sound::Push, Push, -20},         {Sound::Land, Land, -17},
    {Sound::Blast, Blast, -14},       {Sound::Slime, Slime, -30},
    {Sound::ExitOpen, ExitOpen, -18}, {Sound::Finish, Finish, -17},
    {Sound::Caught, Caught, -17},     {Sound::Buy, Buy, -19},
    {Sound::NoMoney, NoMoney, -20},   {Sound::Saved, Saved, -19},
    {Sound::MenuMove, MenuMove, -24}, {Sound::MenuChoose, MenuChoose, -21},
};

double Loudness(const Wave& sound) {
  Biquad lows = Biquad::HighPass(150, 0.7);
  Wave w = sound;
  for (double& x : w) x = lows.Run(x);
  const std::size_t window = static_cast<std::size_t>(Samples(0.05));
  double loudest = 0;
  for (std::size_t start = 0; start < w.size(); start += window / 4) {
    const std::size_t end = std::min(w.size(), start + window);
    double sum = 0;
    for (std::size_t i = start; i < end; ++i) sum += w[i] * w[i];
    loudest = std::max(loudest, sum / static_cast<double>(window));
  }
  return std::sqrt(loudest);
}

// Scaled to its loudness (its peak kept at or below -1 dBFS), faded in and out, in 16 bits.
std::vector<std::int16_t> Finished(Wave w, double loudness) {
  double gain = std::pow(10.0, loudness / 20) / Loudness(w);
  double peak = 0;
  for (const double x : w) peak = std::max(peak, std::abs(x));
  gain = std::min(gain, kPeakLimit / peak);
  const double fadeIn = Samples(kFadeInSeconds);
  const double fadeOut = Samples(kFadeOutSeconds);
  std::vector<std::int16_t> out(w.size());
  for (std::size_t i = 0; i < w.size(); ++i) {
    const double fromStart = static_cast<double>(i);
    const double toEnd = static_cast<double>(w.size() - 1 - i);
    const double fade = std::min({1.0, fromStart / fadeIn, toEnd / fadeOut});
    out[i] = static_cast<std::int16_t>(std::lround(32767 * gain * fade * w[i]));
  }
  return out;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: quillmere-sounds FOLDER\n");
    return 2;
  }
  const std::string folder = std::string(argv[1]) + "/";
  for (const Recipe& recipe : kRecipes) {
    const std::string path = folder + std::string(SoundName(recipe.sound)) + ".wav";
    std::ofstream file(path, std::ios::binary);
    file << WavBytes(Finished(recipe.make(), recipe.loudness), kMixRate);
    if (!file.flush()) {
      std::fprintf(stderr, "quillmere-sounds: cannot write %s\n", path.c_str());
      return 1;
    }
  }
  return 0;
}
