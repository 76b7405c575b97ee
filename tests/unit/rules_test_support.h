#pragma once
// Boards written as rows, a window that records what the rules ask of it, scripted dice.
#include <cstdint>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "game/game_state.h"
#include "game/random.h"
#include "play/flow.h"
#include "rules/play_host.h"

namespace rules_test {

using Rows = std::vector<std::vector<int>>;  // rows[y][x], playfield only

// A state whose playfield is `rows`, with the ring of tile 0 around it.
inline GameState StateFromRows(const Rows& rows) {
  GameState s;
  s.world.BoardHeight = static_cast<std::int32_t>(rows.size());
  s.world.BoardWidth = static_cast<std::int32_t>(rows.front().size());
  for (int y = 0; y < s.world.BoardHeight; ++y) {
    for (int x = 0; x < s.world.BoardWidth; ++x)
      s.world.Board(x, y) = static_cast<std::uint8_t>(rows[y][x]);
  }
  return s;
}

// The playfield of `s` as rows.
inline Rows RowsOf(const GameState& s) {
  Rows rows(s.world.BoardHeight, std::vector<int>(s.world.BoardWidth));
  for (int y = 0; y < s.world.BoardHeight; ++y) {
    for (int x = 0; x < s.world.BoardWidth; ++x) rows[y][x] = s.world.Board(x, y);
  }
  return rows;
}

// A `width` x `height` playfield of one code.
inline Rows Filled(int width, int height, int code) {
  return Rows(height, std::vector<int>(width, code));
}

// True when every cell of the ring around the playfield still holds tile 0.
inline bool RingIsClear(const GameState& s) {
  for (int x = -1; x <= s.world.BoardWidth; ++x) {
    if (s.world.Board(x, -1) != 0 || s.world.Board(x, s.world.BoardHeight) != 0) return false;
  }
  for (int y = -1; y <= s.world.BoardHeight; ++y) {
    if (s.world.Board(-1, y) != 0 || s.world.Board(s.world.BoardWidth, y) != 0) return false;
  }
  return true;
}

// Records every call as text, e.g. "DrawCell 3 4 5"; finishing and leaving play act on the
// state as the window does.
class RecordingHost : public PlayHost {
 public:
  explicit RecordingHost(GameState& s) : s_(s) {}

  void DrawCell(int x, int y, std::uint8_t code) override {
    calls.push_back("DrawCell " + std::to_string(x) + " " + std::to_string(y) + " " +
                    std::to_string(code));
  }
  void PlaceBoard() override { calls.push_back("PlaceBoard"); }
  void PresentBoard() override { calls.push_back("PresentBoard"); }
  void UpdateRubyStatus() override {
    calls.push_back("UpdateRubyStatus " + std::to_string(s_.world.RubiesCollected));
  }
  bool IsKeyDown(int vk) override { return held.count(vk) != 0; }
  bool LevelFinished() override {
    const bool shop = FinishLevel(s_);
    calls.push_back(shop ? "ShowShopAfterLevel" : "CloseWindow");
    return shop;
  }
  void LeavePlayForMenu() override {
    calls.push_back("LeavePlayForMenu");
    s_.screens.ScreenState = Screen::Menu;
    s_.screens.MenuItem = 1;
    s_.world.Timer1Enabled = false;
  }

  std::vector<std::string> calls;
  std::set<int> held;  // virtual-key codes held down

 private:
  GameState& s_;
};

// Hands out the scripted draws in order, then `rest` for ever; remembers each range asked for.
class ScriptedRandom : public RandomSource {
 public:
  explicit ScriptedRandom(std::vector<std::int32_t> draws = {}, std::int32_t rest = 49)
      : draws_(std::move(draws)), rest_(rest) {}

  std::int32_t Random(std::int32_t n) override {
    ranges.push_back(n);
    return next_ < draws_.size() ? draws_[next_++] : rest_;
  }

  std::vector<std::int32_t> ranges;

 private:
  std::vector<std::int32_t> draws_;
  std::size_t next_ = 0;
  std::int32_t rest_;
};

}  // namespace rules_test
