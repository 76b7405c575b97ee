// One tick's drawing of a 101 x 101 board against the floor of copying the same bytes.
#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

#include "game/game_state.h"
#include "game/tiles.h"
#include "view/board_view.h"
#include "view/window_model.h"

namespace {

struct Scene {
  GameState state;
  WindowModel window;
  BoardView view;
  Surface unknown{36, 36, 0xFF00FF};

  Scene(int w, int h) : window(w, h), view(state, window) {
    state.ScreenWidth = w;
    state.ScreenHeight = h;
    state.ViewCenterX = w / 2 / 36 * 36;
    state.ViewCenterY = h / 2 / 36 * 36;
    state.BoardWidth = 101;
    state.BoardHeight = 101;
    state.PlayerX = 50;
    state.PlayerY = 50;
    for (int code = 0; code < 14; ++code) {
      Surface cell(36, 36);
      for (int i = 0; i < 36 * 36; ++i) cell.pixels[static_cast<std::size_t>(i)] = static_cast<std::uint32_t>(code * 977 + i);
      window.SetElement(*TileElement(code), PictureElement{{}, cell, 0, 0, 36, 36});
    }
    view.BindPictures(unknown);
    view.ResizeToBoard();
    for (int x = 0; x < 101; ++x) {
      for (int y = 0; y < 101; ++y) state.Board(x, y) = static_cast<std::uint8_t>((x * 7 + y * 3) % 14);
    }
  }

  // Bytes one tick writes: the redrawn cells and the screen.
  std::size_t TickBytes() const {
    const int cw = std::min(2 * (state.ScreenWidth / 36 + 1) + 1, 101);
    const int ch = std::min(2 * (state.ScreenHeight / 36 + 1) + 1, 101);
    return static_cast<std::size_t>(cw) * ch * 36 * 36 * 4 +
           static_cast<std::size_t>(state.ScreenWidth) * state.ScreenHeight * 4;
  }
};

void TickDrawing(benchmark::State& bs) {
  Scene scene(static_cast<int>(bs.range(0)), static_cast<int>(bs.range(1)));
  for (auto _ : bs) {
    scene.view.RedrawVisibleCells();
    scene.view.PlaceBoard();
    scene.view.PresentBoard();
    benchmark::DoNotOptimize(scene.window.Screen().pixels.data());
  }
  bs.SetBytesProcessed(static_cast<std::int64_t>(bs.iterations() * scene.TickBytes()));
}

void MemcpyFloor(benchmark::State& bs) {
  const Scene scene(static_cast<int>(bs.range(0)), static_cast<int>(bs.range(1)));
  const std::size_t bytes = scene.TickBytes();
  std::vector<char> from(bytes, 1);
  std::vector<char> to(bytes);
  for (auto _ : bs) {
    std::memcpy(to.data(), from.data(), bytes);
    benchmark::DoNotOptimize(to.data());
    benchmark::ClobberMemory();
  }
  bs.SetBytesProcessed(static_cast<std::int64_t>(bs.iterations() * bytes));
}

}  // namespace

BENCHMARK(TickDrawing)->Args({800, 600})->Args({1920, 1080})->Unit(benchmark::kMicrosecond);
BENCHMARK(MemcpyFloor)->Args({800, 600})->Args({1920, 1080})->Unit(benchmark::kMicrosecond);
