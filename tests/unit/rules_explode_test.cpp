#include <gtest/gtest.h>

#include <iterator>
#include <random>

#include "rules/explode.h"
#include "tests/unit/rules_test_support.h"

namespace {

using rules_test::Filled;
using rules_test::RingIsClear;
using rules_test::Rows;
using rules_test::RowsOf;
using rules_test::StateFromRows;

bool IsCreatureCode(int code) { return (code >= 8 && code <= 11) || (code >= 108 && code <= 111); }
bool IsProtected(int code) { return code == 6 || code == 7 || code == 13; }

// The blast as the rules describe it, recursion and all.
void ReferenceExplode(GameState& s, int x, int y) {
  std::uint8_t& centre = s.world.Board(x, y);
  if (centre == 2) {
    s.world.PlayerDead = 1;
  } else if (!IsProtected(centre)) {
    centre = 1;
  }
  const int order[8][2] = {{0, -1}, {0, 1}, {-1, -1}, {-1, 0}, {-1, 1}, {1, -1}, {1, 0}, {1, 1}};
  for (const auto& o : order) {
    const int nx = x + o[0];
    const int ny = y + o[1];
    std::uint8_t& cell = s.world.Board(nx, ny);
    if (IsCreatureCode(cell)) {
      ReferenceExplode(s, nx, ny);
      continue;
    }
    if (IsProtected(cell)) continue;
    const bool off = (o[1] < 0 && y == 0) || (o[1] > 0 && y == s.world.BoardHeight - 1) ||
                     (o[0] < 0 && x == 0) || (o[0] > 0 && x == s.world.BoardWidth - 1);
    if (off) continue;
    if (cell == 2) {
      s.world.PlayerDead = 1;
      continue;
    }
    cell = 1;
  }
}

// `rows` blown up at (x, y) by the game and by the reference; both must agree to the byte.
void ExpectSameAsReference(const GameState& start, int x, int y) {
  GameState game = start;
  GameState reference = start;
  Explode(game, x, y);
  ReferenceExplode(reference, x, y);
  ASSERT_EQ(game.world.Board.bytes, reference.world.Board.bytes) << "blast at " << x << "," << y;
  ASSERT_EQ(game.world.PlayerDead, reference.world.PlayerDead);
}

TEST(Explode, ACreatureInACornerChangesOnlyThePlayfield) {
  GameState s = StateFromRows(Filled(4, 3, 5));
  s.world.Board(0, 0) = 9;
  Explode(s, 0, 0);
  s.world.Board(3, 2) = 110;
  Explode(s, 3, 2);
  EXPECT_EQ(RowsOf(s), (Rows{{1, 1, 5, 5}, {1, 1, 1, 1}, {5, 5, 1, 1}}));
  EXPECT_TRUE(RingIsClear(s));
}

TEST(Explode, NeighbouringCreaturesGoUpTogether) {
  GameState s = StateFromRows(Filled(6, 5, 5));
  s.world.Board(2, 2) = 8;
  s.world.Board(3, 2) = 111;
  Explode(s, 2, 2);
  EXPECT_EQ(RowsOf(s), (Rows{{5, 5, 5, 5, 5, 5},
                             {5, 1, 1, 1, 1, 5},
                             {5, 1, 1, 1, 1, 5},
                             {5, 1, 1, 1, 1, 5},
                             {5, 5, 5, 5, 5, 5}}));
  EXPECT_EQ(s.world.PlayerDead, 0);
}

TEST(Explode, WallsAndExitsStandEverythingElseBecomesARuby) {
  GameState s = StateFromRows({{6, 7, 13, 5}, {0, 10, 3, 5}, {4, 104, 112, 5}, {5, 5, 5, 5}});
  Explode(s, 1, 1);
  EXPECT_EQ(RowsOf(s), (Rows{{6, 7, 13, 5}, {1, 1, 1, 5}, {1, 1, 1, 5}, {5, 5, 5, 5}}));

  GameState more = StateFromRows({{12, 101, 1}, {20, 9, 255}, {5, 5, 5}});
  Explode(more, 1, 1);
  EXPECT_EQ(RowsOf(more), (Rows{{1, 1, 1}, {1, 1, 1}, {1, 1, 1}}));
}

TEST(Explode, ThePlayerAnywhereInTheBlastIsCaughtAndStays) {
  for (int dx = -1; dx <= 1; ++dx) {
    for (int dy = -1; dy <= 1; ++dy) {
      GameState s = StateFromRows(Filled(5, 5, 5));
      s.world.Board(2, 2) = 11;
      s.world.Board(2 + dx, 2 + dy) = 2;
      Explode(s, 2, 2);
      EXPECT_EQ(s.world.PlayerDead, 1) << dx << "," << dy;
      EXPECT_EQ(s.world.Board(2 + dx, 2 + dy), 2);
    }
  }
  GameState away = StateFromRows(Filled(5, 5, 5));
  away.world.Board(1, 1) = 8;
  away.world.Board(3, 3) = 2;
  Explode(away, 1, 1);
  EXPECT_EQ(away.world.PlayerDead, 0);
}

TEST(Explode, AChainAcrossAFullBoardEndsWithEveryCreatureGone) {
  GameState s = StateFromRows(Filled(MaxBoardSize, MaxBoardSize, 8));
  s.world.Board(50, 50) = 2;
  ExpectSameAsReference(s, 0, 0);
  Explode(s, 0, 0);
  Rows expected = Filled(MaxBoardSize, MaxBoardSize, 1);
  expected[50][50] = 2;
  EXPECT_EQ(RowsOf(s), expected);
  EXPECT_EQ(s.world.PlayerDead, 1);
  EXPECT_TRUE(RingIsClear(s));
}

TEST(Explode, ALongWindingChainMatchesTheRecursiveBlast) {
  // Rows of creatures joined at alternate ends, walls between them: one chain thousands deep.
  Rows rows = Filled(MaxBoardSize, MaxBoardSize, 13);
  for (int y = 0; y < MaxBoardSize; y += 2) {
    for (int x = 0; x < MaxBoardSize; ++x) rows[y][x] = 8 + (x + y) % 4;
    if (y + 1 < MaxBoardSize) rows[y + 1][(y / 2) % 2 == 0 ? MaxBoardSize - 1 : 0] = 109;
  }
  ExpectSameAsReference(StateFromRows(rows), 0, 0);
}

TEST(Explode, RandomBoardsMatchTheRecursiveBlast) {
  std::mt19937 gen(20240611);
  const int codes[] = {0, 1, 2, 3, 4, 5, 6, 7, 12, 13, 20, 101, 104, 112, 255};
  for (int round = 0; round < 300; ++round) {
    const int width = std::uniform_int_distribution<int>(1, MaxBoardSize)(gen);
    const int height = std::uniform_int_distribution<int>(1, MaxBoardSize)(gen);
    const int creaturePercent = std::uniform_int_distribution<int>(10, 90)(gen);
    Rows rows = Filled(width, height, 5);
    for (auto& row : rows) {
      for (int& cell : row) {
        if (std::uniform_int_distribution<int>(0, 99)(gen) < creaturePercent) {
          cell = std::uniform_int_distribution<int>(0, 7)(gen);
          cell = cell < 4 ? 8 + cell : 104 + cell;
        } else {
          cell = codes[std::uniform_int_distribution<int>(0, std::size(codes) - 1)(gen)];
        }
      }
    }
    const int x = std::uniform_int_distribution<int>(0, width - 1)(gen);
    const int y = std::uniform_int_distribution<int>(0, height - 1)(gen);
    ExpectSameAsReference(StateFromRows(rows), x, y);
  }
}

}  // namespace
