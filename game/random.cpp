#include "game/random.h"

#include <chrono>

void ClockRandom::SeedFromClock() {
  const auto now = std::chrono::high_resolution_clock::now().time_since_epoch().count();
  engine_.seed(static_cast<std::mt19937::result_type>(now ^ (now >> 32)));
}

std::int32_t ClockRandom::Random(std::int32_t n) {
  if (n <= 1) return 0;
  std::uniform_int_distribution<std::int32_t> dist(0, n - 1);
  return dist(engine_);
}
