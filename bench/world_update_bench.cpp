// One world update on the largest board, in the cases that make a pass do the most work, and
// the longest blast chain a board can hold.
#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdlib>
#include <iterator>
#include <new>
#include <random>

#include "game/game_state.h"
#include "game/random.h"
#include "rules/explode.h"
#include "rules/world_update.h"

namespace {

std::atomic<long> allocations{0};

}  // namespace

// Counts heap allocations so that the figures can show a tick allocates nothing. All kept out
// of line: inlined, the compiler would see free() meet a pointer from operator new.
[[gnu::noinline]] void* operator new(std::size_t size) {
  allocations.fetch_add(1, std::memory_order_relaxed);
  if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
  throw std::bad_alloc();
}
[[gnu::noinline]] void operator delete(void* p) noexcept { std::free(p); }
[[gnu::noinline]] void operator delete(void* p, std::size_t) noexcept { std::free(p); }

namespace {

constexpr int kSize = MaxBoardSize;

template <typename CodeAt>
GameState MakeBoard(CodeAt codeAt) {
  GameState s;
  s.world.BoardWidth = kSize;
  s.world.BoardHeight = kSize;
  for (int x = 0; x < kSize; ++x) {
    for (int y = 0; y < kSize; ++y) s.world.Board(x, y) = static_cast<std::uint8_t>(codeAt(x, y));
  }
  return s;
}

// A creature in every 2 x 2 square of open space: every one of them steps each tick.
GameState CreaturesInOpenSpace() {
  return MakeBoard([](int x, int y) { return x % 2 == 0 && y % 2 == 0 ? 8 + (x / 2) % 4 : 5; });
}

// Slime everywhere with a creature in every 4 x 4 square: each slime cell draws, and every
// creature is blown up.
GameState SlimeWithCreatures() {
  return MakeBoard([](int x, int y) { return x % 4 == 1 && y % 4 == 1 ? 9 : 12; });
}

// Every column full of rocks over one empty row: every rock falls in the same tick.
GameState FallingColumns() {
  return MakeBoard([](int, int y) { return y == kSize - 1 ? 5 : 4; });
}

// A mixture of everything, drawn from a fixed seed in runs of `run` cells along each row. With
// runs of 1 every cell differs from the last, the hardest case for branch prediction; drawn
// levels look more like the longer runs.
GameState Mixed(int run) {
  std::mt19937 gen(7);
  const int codes[] = {5, 5, 5, 5, 3, 3, 3, 1, 1, 4, 4, 13, 8, 9, 10, 11, 12, 101, 104, 6};
  std::uniform_int_distribution<int> pick(0, static_cast<int>(std::size(codes)) - 1);
  int code = 0;
  int left = 0;
  GameState s = MakeBoard([](int, int) { return 0; });
  for (int y = 0; y < kSize; ++y) {
    for (int x = 0; x < kSize; ++x) {
      if (left == 0) {
        code = codes[pick(gen)];
        left = run;
      }
      s.world.Board(x, y) = static_cast<std::uint8_t>(code);
      --left;
    }
  }
  return s;
}

// Nothing moves: the cost of the scan itself.
GameState AtRest() {
  return MakeBoard([](int x, int y) { return (x + y) % 3 == 0 ? 13 : 3; });
}

// Each iteration is one tick from the same start board; the board copy is timed with it
// (BM_BoardCopy shows what it costs).
void RunTicks(benchmark::State& state, const GameState& start) {
  GameState s = start;
  ClockRandom rng;
  const long before = allocations.load();
  for (auto _ : state) {
    s = start;
    s.world.Timer1Enabled = true;
    UpdateWorld(s, rng);
    benchmark::DoNotOptimize(s.world.Board.bytes.data());
  }
  state.counters["allocs_per_tick"] =
      benchmark::Counter(static_cast<double>(allocations.load() - before),
                         benchmark::Counter::kAvgIterations);
}

void BM_BoardCopy(benchmark::State& state) {
  const GameState start = AtRest();
  GameState s;
  for (auto _ : state) {
    s = start;
    benchmark::DoNotOptimize(s.world.Board.bytes.data());
  }
}

void BM_UpdateWorld_AtRest(benchmark::State& state) { RunTicks(state, AtRest()); }
void BM_UpdateWorld_CreaturesInOpenSpace(benchmark::State& state) {
  RunTicks(state, CreaturesInOpenSpace());
}
void BM_UpdateWorld_SlimeWithCreatures(benchmark::State& state) {
  RunTicks(state, SlimeWithCreatures());
}
void BM_UpdateWorld_FallingColumns(benchmark::State& state) { RunTicks(state, FallingColumns()); }
void BM_UpdateWorld_Mixed(benchmark::State& state) {
  RunTicks(state, Mixed(static_cast<int>(state.range(0))));
}

// 10,201 creatures, every one set off by the blast at the corner.
void BM_Explode_ChainThroughFullBoard(benchmark::State& state) {
  const GameState start = MakeBoard([](int x, int y) { return 8 + (x + y) % 4; });
  GameState s = start;
  const long before = allocations.load();
  for (auto _ : state) {
    s = start;
    Explode(s, 0, 0);
    benchmark::DoNotOptimize(s.world.Board.bytes.data());
  }
  state.counters["allocs_per_chain"] =
      benchmark::Counter(static_cast<double>(allocations.load() - before),
                         benchmark::Counter::kAvgIterations);
}

}  // namespace

BENCHMARK(BM_BoardCopy);
BENCHMARK(BM_UpdateWorld_AtRest)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_UpdateWorld_CreaturesInOpenSpace)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_UpdateWorld_SlimeWithCreatures)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_UpdateWorld_FallingColumns)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_UpdateWorld_Mixed)->Arg(1)->Arg(4)->Arg(16)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Explode_ChainThroughFullBoard)->Unit(benchmark::kMicrosecond);
