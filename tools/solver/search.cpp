#include "tools/solver/search.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <queue>
#include <unordered_map>

#include "game/tiles.h"

namespace {

// A state is kept as its differences from the stretch's start board, plus the few numbers the
// board does not hold. Boards of 101 x 101 cells differ from the start in a few dozen cells.
struct Node {
  std::uint32_t parent;
  std::uint32_t deltaBegin;
  std::uint32_t deltaEnd;
  std::int32_t steps;
  std::int16_t px;
  std::int16_t py;
  std::int32_t collected;
  std::array<std::int32_t, 4> items;
  bool timer;
  StepAction action;  // the action that led here from the parent
};

constexpr std::uint32_t kNoParent = 0xffffffffu;

// How far from the player (in cells, either way) a creature's whereabouts tell states apart.
constexpr int kCreatureSight = 6;

// Cell (x, y) of the playfield as one number; 101 x 101 fits.
std::uint32_t CellIndex(int x, int y, int height) {
  return static_cast<std::uint32_t>(x * height + y);
}

std::uint64_t Mix(std::uint64_t h, std::uint64_t v) {
  h ^= v + 0x9e3779b97f4a7c15ull + (h << 6) + (h >> 2);
  return h * 0xff51afd7ed558ccdull;
}

class Searcher {
 public:
  Searcher(const GameState& start, const SearchGoal& goal, const SearchLimits& limits)
      : root_(start),
        goal_(goal),
        limits_(limits),
        w_(start.world.BoardWidth),
        h_(start.world.BoardHeight),
        rubiesFixed_(!HasCreatures(start)) {
    distance_.resize(static_cast<std::size_t>(w_ * h_));
  }

  SearchResult Run(GameState* end) {
    SearchResult result;
    GameState base = root_;
    if (IsGoalState(base)) {
      result.found = true;
      if (end != nullptr) *end = base;
      return result;
    }
    AddNode(base, kNoParent, StepAction{}, 0);
    GameState work;
    while (!open_.empty() && result.expanded < limits_.maxStates) {
      const std::uint32_t id = open_.top().id;
      open_.pop();
      ++result.expanded;
      Materialise(id, base);
      if (limits_.progress != nullptr && result.expanded % 50000 == 0) {
        *limits_.progress << "  " << result.expanded << " explored; now at " << base.world.PlayerX
                          << "," << base.world.PlayerY << " with " << base.world.RubiesCollected
                          << " rubies after " << nodes_[id].steps << " steps\n";
      }
      for (const StepAction& a : ActionsFor(base)) {
        work = base;
        const StepOutcome outcome = PlayStep(work, a, noGrowth_);
        if (outcome == StepOutcome::Caught) continue;
        if (outcome == StepOutcome::Finished) {
          if (!goal_.exit) continue;
          return Finish(id, a, work, result, end);
        }
        if (!goal_.exit && IsGoalState(work)) return Finish(id, a, work, result, end);
        AddNode(work, id, a, nodes_[id].steps + 1);
      }
    }
    result.generated = nodes_.size();
    return result;
  }

 private:
  struct Open {
    double f;
    std::int32_t steps;
    std::uint32_t id;
    bool operator<(const Open& o) const {
      if (f != o.f) return f > o.f;
      if (steps != o.steps) return steps < o.steps;  // deeper first among equals
      return id > o.id;
    }
  };

  bool IsGoalState(const GameState& s) const {
    if (goal_.exit || s.world.RubiesCollected < goal_.rubies) return false;
    if (goal_.blast) return !tiles::IsCreature(s.world.Board(goal_.x, goal_.y));
    return s.world.PlayerX == goal_.x && s.world.PlayerY == goal_.y;
  }

  SearchResult& Finish(std::uint32_t id, const StepAction& last, const GameState& state,
                       SearchResult& result, GameState* end) {
    std::vector<StepAction> path{last};
    for (std::uint32_t at = id; nodes_[at].parent != kNoParent; at = nodes_[at].parent) {
      path.push_back(nodes_[at].action);
    }
    std::reverse(path.begin(), path.end());
    result.actions = std::move(path);
    result.found = true;
    result.generated = nodes_.size();
    if (end != nullptr) *end = state;
    return result;
  }

  // Every key press that can change something, and waiting.
  std::vector<StepAction> ActionsFor(const GameState& s) const {
    std::vector<StepAction> actions;
    constexpr std::array<int, 4> kArrows{vk::Left, vk::Up, vk::Right, vk::Down};
    constexpr std::array<std::array<int, 2>, 4> kStep{{{-1, 0}, {0, -1}, {1, 0}, {0, 1}}};
    for (std::size_t d = 0; d < kArrows.size(); ++d) {
      const int ax = s.world.PlayerX + kStep[d][0];
      const int ay = s.world.PlayerY + kStep[d][1];
      const std::uint8_t next = s.world.Board(ax, ay);
      actions.push_back(StepAction{kArrows[d], false, 0});
      const bool pushable = kStep[d][1] == 0 && next == tiles::Rock &&
                            s.world.Board(ax + kStep[d][0], ay) == tiles::Empty;
      if (next == tiles::Earth || next == tiles::Ruby || pushable) {
        actions.push_back(StepAction{kArrows[d], true, 0});
      }
      if (!limits_.useItems) continue;
      // Only the lowest held digit with stock counts, so one digit is held at a time.
      for (int item = 1; item <= 4; ++item) {
        if (s.campaign.Inventory[item] < 1) continue;
        const std::uint8_t needed = item == 4 ? tiles::Rock : tiles::Empty;
        if (next == needed) actions.push_back(StepAction{kArrows[d], false, item});
      }
    }
    if (s.world.Timer1Enabled) actions.push_back(StepAction{});
    return actions;
  }

  void Materialise(std::uint32_t id, GameState& s) const {
    const Node& n = nodes_[id];
    s.world.Board = root_.world.Board;
    for (std::uint32_t i = n.deltaBegin; i < n.deltaEnd; ++i) {
      const std::uint32_t cell = delta_[i] >> 8;
      s.world.Board(static_cast<int>(cell) / h_, static_cast<int>(cell) % h_) =
          static_cast<std::uint8_t>(delta_[i] & 0xff);
    }
    s.world.PlayerX = n.px;
    s.world.PlayerY = n.py;
    s.world.RubiesCollected = n.collected;
    for (int i = 0; i < 4; ++i) s.campaign.Inventory[i + 1] = n.items[static_cast<std::size_t>(i)];
    s.world.Timer1Enabled = n.timer;
    s.world.PlayerDead = 0;
  }

  void AddNode(const GameState& s, std::uint32_t parent, const StepAction& a, std::int32_t steps) {
    const std::size_t begin = delta_.size();
    std::uint64_t hash = 0x51ed270b27b1f2a3ull;
    for (int x = 0; x < w_; ++x) {
      const std::uint8_t* now = &s.world.Board.bytes[BoardGrid::Index(x, 0)];
      const std::uint8_t* was = &root_.world.Board.bytes[BoardGrid::Index(x, 0)];
      if (std::memcmp(now, was, static_cast<std::size_t>(h_)) == 0) continue;
      for (int y = 0; y < h_; ++y) {
        if (now[y] == was[y]) continue;
        const std::uint32_t entry = CellIndex(x, y, h_) << 8 | now[y];
        delta_.push_back(entry);
        if (limits_.exactStates || Telling(x, y, was[y], now[y], s)) hash = Mix(hash, entry);
      }
    }
    hash = Mix(hash, static_cast<std::uint64_t>(s.world.PlayerX) << 32 |
                         static_cast<std::uint32_t>(s.world.PlayerY));
    hash = Mix(hash, static_cast<std::uint64_t>(static_cast<std::uint32_t>(s.world.RubiesCollected))
                             << 1 |
                         (s.world.Timer1Enabled ? 1u : 0u));
    for (int i = 1; i <= 4; ++i)
      hash = Mix(hash, static_cast<std::uint32_t>(s.campaign.Inventory[i]));
    // Two different states with one 64-bit hash are taken as one: rare enough for a tool.
    if (!seen_.emplace(hash, static_cast<std::uint32_t>(nodes_.size())).second ||
        RubiesOutOfReach(s)) {
      delta_.resize(begin);
      return;
    }
    Node n{parent,
           static_cast<std::uint32_t>(begin),
           static_cast<std::uint32_t>(delta_.size()),
           steps,
           static_cast<std::int16_t>(s.world.PlayerX),
           static_cast<std::int16_t>(s.world.PlayerY),
           s.world.RubiesCollected,
           {s.campaign.Inventory[1], s.campaign.Inventory[2], s.campaign.Inventory[3],
            s.campaign.Inventory[4]},
           s.world.Timer1Enabled,
           a};
    nodes_.push_back(n);
    open_.push(Open{steps + limits_.weight * Estimate(s), steps,
                    static_cast<std::uint32_t>(nodes_.size() - 1)});
  }

  // True when fewer rubies are left within reach than the goal needs, so that no way on can
  // finish. Only rubies on the board count, so boards where creatures can be blown up into new
  // ones, or rubies placed from the stock, are never given up. Rocks count as passable: they
  // may be pushed or fall away, and whatever falls lands somewhere.
  bool RubiesOutOfReach(const GameState& s) {
    if (!rubiesFixed_ || s.campaign.Inventory[1] > 0) return false;
    const int need = (goal_.exit ? s.world.RubiesRequired : goal_.rubies) - s.world.RubiesCollected;
    if (need <= 0) return false;
    int reachable = 0;
    Walk(
        s,
        [&](int x, int y) {
          const std::uint8_t c = s.world.Board(x, y);
          reachable += c == tiles::Ruby || c == tiles::FallingRuby ? 1 : 0;
          return false;
        },
        0,
        [](std::uint8_t c) {
          return Passable(c) || c == tiles::Rock || c == tiles::FallingRock ||
                 c == tiles::FallingRuby;
        });
    return reachable < need;
  }

  static bool HasCreatures(const GameState& s) {
    for (int x = 0; x < s.world.BoardWidth; ++x) {
      for (int y = 0; y < s.world.BoardHeight; ++y) {
        if (tiles::IsCreature(s.world.Board(x, y))) return true;
      }
    }
    return false;
  }

  // Whether a difference from the start board tells two states apart. Which earth was dug
  // seldom matters, and neither does where a creature far from the player has got to; both
  // would multiply the states by every order of digging and every moment of waiting. So,
  // unless told otherwise, states that differ only there count as one.
  static bool Telling(int x, int y, std::uint8_t was, std::uint8_t now, const GameState& s) {
    if (was == tiles::Earth && now == tiles::Empty) return false;
    if (!tiles::IsCreature(was) && !tiles::IsCreature(now)) return true;
    return std::abs(x - s.world.PlayerX) <= kCreatureSight &&
           std::abs(y - s.world.PlayerY) <= kCreatureSight;
  }

  // Whether the estimate may lead through a cell: what the player can enter (creatures move
  // on). A ruby behind rocks counts as out of reach until they are moved.
  static bool Passable(std::uint8_t code) {
    return !tiles::IsBlocking(code) || code == tiles::Player;
  }

  // Steps still needed: to a waypoint as the crow flies, or for the exit as far as a walk over
  // the present board tells (to the nearest ruby while rubies are missing, then to an open
  // exit); each ruby missing beyond the nearest adds the ruby weight.
  double Estimate(const GameState& s) {
    const int need = goal_.exit ? s.world.RubiesRequired - s.world.RubiesCollected
                                : goal_.rubies - s.world.RubiesCollected;
    // A waypoint lies where its designer saw a way to it (on a ruby, when rubies are asked
    // for), and the cell of a blast is walled in until the blast: only how far away it lies
    // counts, which is also cheap on a large board.
    if (!goal_.exit) {
      return std::abs(s.world.PlayerX - goal_.x) + std::abs(s.world.PlayerY - goal_.y) +
             limits_.rubyWeight * std::max(need, 0);
    }
    auto isTarget = [&](int x, int y) {
      const std::uint8_t c = s.world.Board(x, y);
      return need > 0 ? c == tiles::Ruby || c == tiles::FallingRuby : c == tiles::Exit;
    };
    const int unreachable = 4 * w_ * h_;
    const int walk = Walk(s, isTarget, unreachable, Passable);
    return walk + limits_.rubyWeight * std::max(need - 1, 0);
  }

  // Breadth-first walk from the player over cells that `passable` admits; the distance to the
  // first cell that `isTarget` accepts, or `unreachable`.
  template <typename Target, typename Admit>
  int Walk(const GameState& s, Target isTarget, int unreachable, Admit passable) {
    std::fill(distance_.begin(), distance_.end(), -1);
    queue_.clear();
    const auto start = CellIndex(s.world.PlayerX, s.world.PlayerY, h_);
    distance_[start] = 0;
    queue_.push_back(start);
    while (!queue_.empty()) {
      const std::uint32_t at = queue_.front();
      queue_.pop_front();
      const int x = static_cast<int>(at) / h_;
      const int y = static_cast<int>(at) % h_;
      if (isTarget(x, y)) return distance_[at];
      constexpr std::array<std::array<int, 2>, 4> kStep{{{-1, 0}, {0, -1}, {1, 0}, {0, 1}}};
      for (const auto& d : kStep) {
        const int nx = x + d[0];
        const int ny = y + d[1];
        if (nx < 0 || ny < 0 || nx >= w_ || ny >= h_) continue;
        const std::uint32_t next = CellIndex(nx, ny, h_);
        if (distance_[next] >= 0 || !(passable(s.world.Board(nx, ny)) || isTarget(nx, ny)))
          continue;
        distance_[next] = distance_[at] + 1;
        queue_.push_back(next);
      }
    }
    return unreachable;
  }

  const GameState& root_;
  SearchGoal goal_;
  SearchLimits limits_;
  int w_;
  int h_;
  bool rubiesFixed_;  // no creature: no blast can make new rubies
  NoGrowth noGrowth_;
  std::vector<Node> nodes_;
  std::vector<std::uint32_t> delta_;
  std::unordered_map<std::uint64_t, std::uint32_t> seen_;
  std::priority_queue<Open> open_;
  std::vector<int> distance_;
  std::deque<std::uint32_t> queue_;
};

}  // namespace

SearchResult Search(const GameState& start, const SearchGoal& goal, const SearchLimits& limits,
                    GameState* end) {
  Searcher searcher(start, goal, limits);
  return searcher.Run(end);
}
