// One tick's drawing of a 101 x 101 board: every cell in view drawn and the whole board copied
// (the way before cells were remembered), against only what changed; beside the floor of
// copying the same bytes.
#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

#include "game/game_state.h"
#include "game/random.h"
#include "game/tiles.h"
#include "play/flow.h"
#include "view/board_view.h"
#include "view/window_model.h"

namespace {

struct Scene {
  GameState state;
  WindowModel window;
  BoardView view;
  Surface unknown{36, 36, 0xFF00FF};

  Scene(int w, int h, bool incremental) : window(w, h), view(state, window) {
    state.view.ScreenWidth = w;
    state.view.ScreenHeight = h;
    state.view.ViewCenterX = w / 2 / 36 * 36;
    state.view.ViewCenterY = h / 2 / 36 * 36;
    state.world.BoardWidth = 101;
    state.world.BoardHeight = 101;
    state.world.PlayerX = 50;
    state.world.PlayerY = 50;
    for (int code = 0; code < 14; ++code) {
      Surface cell(36, 36);
      for (int i = 0; i < 36 * 36; ++i) cell.pixels[static_cast<std::size_t>(i)] = static_cast<std::uint32_t>(code * 977 + i);
      window.SetElement(*TileElement(code), PictureElement{cell, 0, 0, 36, 36});
    }
    view.BindPictures(unknown);
    view.SetIncremental(incremental);
    view.ResizeToBoard();
    for (int x = 0; x < 101; ++x) {
      for (int y = 0; y < 101; ++y)
        state.world.Board(x, y) = static_cast<std::uint8_t>((x * 7 + y * 3) % 14);
    }
  }

  void Tick() {
    view.RedrawVisibleCells();
    view.PlaceBoard();
    view.PresentBoard();
    benchmark::DoNotOptimize(window.Screen().pixels.data());
  }

  // Bytes the whole-view tick writes: every cell in reach of the screen and the screen.
  std::size_t WholeViewBytes() const {
    const int cw = std::min(2 * (state.view.ScreenWidth / 36 + 1) + 1, 101);
    const int ch = std::min(2 * (state.view.ScreenHeight / 36 + 1) + 1, 101);
    return static_cast<std::size_t>(cw) * ch * 36 * 36 * 4 +
           static_cast<std::size_t>(state.view.ScreenWidth) * state.view.ScreenHeight * 4;
  }
};

// Cells near the player that change every tick: a few creatures walking, a rock falling.
constexpr int kMovingCells = 8;

void Move(Scene& scene, int tick) {
  for (int i = 0; i < kMovingCells; ++i) {
    const int x = 45 + i;
    const int y = 48 + (i * 5 + tick) % 6;
    scene.state.world.Board(x, y) = static_cast<std::uint8_t>(tick % 2 == 0 ? 5 : 8 + i % 4);
  }
}

void TickDrawingWholeView(benchmark::State& bs) {
  Scene scene(static_cast<int>(bs.range(0)), static_cast<int>(bs.range(1)), false);
  int tick = 0;
  for (auto _ : bs) {
    Move(scene, ++tick);
    scene.Tick();
  }
  bs.SetBytesProcessed(static_cast<std::int64_t>(bs.iterations() * scene.WholeViewBytes()));
}

void TickDrawingChangedCells(benchmark::State& bs) {
  Scene scene(static_cast<int>(bs.range(0)), static_cast<int>(bs.range(1)), true);
  scene.Tick();
  int tick = 0;
  for (auto _ : bs) {
    Move(scene, ++tick);
    scene.Tick();
  }
}

// The first tick after the board moved: every cell in view again and the whole copy.
void TickDrawingAfterAMove(benchmark::State& bs) {
  Scene scene(static_cast<int>(bs.range(0)), static_cast<int>(bs.range(1)), true);
  scene.Tick();
  int tick = 0;
  for (auto _ : bs) {
    Move(scene, ++tick);
    scene.state.world.PlayerX = 50 + tick % 2;
    scene.Tick();
  }
}

// The first tick after the board moved so far that the board picture, which holds the cells
// around the view, is drawn anew (every few steps of a walk).
void TickDrawingPictureMoves(benchmark::State& bs) {
  Scene scene(static_cast<int>(bs.range(0)), static_cast<int>(bs.range(1)), true);
  scene.Tick();
  int tick = 0;
  for (auto _ : bs) {
    Move(scene, ++tick);
    scene.state.world.PlayerX = tick % 2 == 0 ? 30 : 70;
    scene.Tick();
  }
}

// A whole tick on the largest board with little moving: the world update (creatures walking
// in a walled room, the rest at rest) and the drawing.
void WholeTickLittleMoving(benchmark::State& bs) {
  Scene scene(static_cast<int>(bs.range(0)), static_cast<int>(bs.range(1)), bs.range(2) != 0);
  for (int x = 0; x < 101; ++x) {
    for (int y = 0; y < 101; ++y) scene.state.world.Board(x, y) = tiles::Earth;
  }
  for (int x = 40; x < 60; ++x) {
    for (int y = 40; y < 60; ++y) scene.state.world.Board(x, y) = tiles::Empty;
  }
  for (int i = 0; i < 4; ++i) scene.state.world.Board(42 + 4 * i, 45) = tiles::CreatureRight;
  ClockRandom random;  // the player stands at (50, 50): the tick writes his tile
  scene.Tick();
  for (auto _ : bs) {
    scene.state.world.Timer1Enabled = true;
    TickWorld(scene.state, random);
    scene.Tick();
  }
}

void MemcpyFloor(benchmark::State& bs) {
  const Scene scene(static_cast<int>(bs.range(0)), static_cast<int>(bs.range(1)), false);
  const std::size_t bytes = scene.WholeViewBytes();
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

BENCHMARK(TickDrawingWholeView)->Args({800, 600})->Args({1920, 1080})->Unit(benchmark::kMicrosecond);
BENCHMARK(TickDrawingChangedCells)->Args({800, 600})->Args({1920, 1080})->Unit(benchmark::kMicrosecond);
BENCHMARK(TickDrawingAfterAMove)->Args({800, 600})->Args({1920, 1080})->Unit(benchmark::kMicrosecond);
BENCHMARK(TickDrawingPictureMoves)->Args({800, 600})->Args({1920, 1080})->Unit(benchmark::kMicrosecond);
BENCHMARK(WholeTickLittleMoving)->Args({1920, 1080, 0})->Args({1920, 1080, 1})->Unit(benchmark::kMicrosecond);
BENCHMARK(MemcpyFloor)->Args({800, 600})->Args({1920, 1080})->Unit(benchmark::kMicrosecond);
