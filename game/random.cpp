#include "game/random.h"

#include <chrono>

void ClockRandom::SeedFromClock() {
  const auto now = std::chrono::high_resolution_clock::now().time_since_epoch().count();
  engine_.seed(static_cast<std::mt19937::result_type>(now ^ (now >> 32)));
}

// Unbiased multiply-and-shift draw (Lemire): slime draws once per cell and tick, so this is hot.
std::int32_t ClockRandom::Random(std::int32_t n) {
  if (n <= 1) return 0;
  const auto range = static_cast<std::uint32_t>(n);
  std::uint64_t m = std::uint64_t{static_cast<std::uint32_t>(engine_())} * range;
  auto low = static_cast<std::uint32_t>(m);
  if (low < range) {
    const std::uint32_t threshold = (0u - range) % range;
    while (low < threshold) {
      m = std::uint64_t{static_cast<std::uint32_t>(engine_())} * range;
      low = static_cast<std::uint32_t>(m);
    }
  }
  return static_cast<std::int32_t>(m >> 32);
}
