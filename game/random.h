#pragma once
// The program's one random generator, seen by the rules through this narrow interface.
#include <cstdint>
#include <random>

class RandomSource {
 public:
  virtual ~RandomSource() = default;
  // A uniform draw from 0 .. n-1 (n >= 1).
  virtual std::int32_t Random(std::int32_t n) = 0;
};

// The ordinary generator: seeded once from the clock at start-up.
class ClockRandom : public RandomSource {
 public:
  // Reseeds from the clock.
  void SeedFromClock();
  std::int32_t Random(std::int32_t n) override;

 private:
  std::mt19937 engine_{5489u};
};
