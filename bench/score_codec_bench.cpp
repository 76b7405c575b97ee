// The high-score line codec on long lines: a table line may carry any name, so decoding must
// not grow with the square of its length.
#include <benchmark/benchmark.h>

#include <random>
#include <string>

#include "game/score_table.h"

namespace {

std::string RandomLine(std::size_t length) {
  std::mt19937 engine(7);
  std::string line(length, '\0');
  for (char& c : line) c = static_cast<char>(engine());
  return line;
}

void BM_DecodeScoreLine(benchmark::State& state) {
  const std::string line = RandomLine(static_cast<std::size_t>(state.range(0)));
  for (auto _ : state) benchmark::DoNotOptimize(DecodeScoreLine(line));
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * state.range(0));
}
BENCHMARK(BM_DecodeScoreLine)->Arg(30)->Arg(1000)->Arg(10000)->Arg(100000)->Arg(1 << 20)
    ->Unit(benchmark::kMillisecond);

void BM_EncodeScoreLine(benchmark::State& state) {
  const std::string line = RandomLine(static_cast<std::size_t>(state.range(0)));
  for (auto _ : state) benchmark::DoNotOptimize(EncodeScoreLine(line));
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * state.range(0));
}
BENCHMARK(BM_EncodeScoreLine)->Arg(30)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace
