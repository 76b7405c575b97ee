#include "fuzz/invariants.h"

#include <cstdio>
#include <cstdlib>

#include "game/tiles.h"
#include "play/flow.h"

namespace {

bool IsMarkOfThisPass(std::uint8_t code) { return code >= 108 && code <= 112; }

// The end of a pass lowers every code above 100 by 100, so a level code from 200 on becomes a
// falling object or a mark of the pass.
constexpr std::uint8_t kFirstCodeLoweredToAMark = 200;

bool IsStrayMark(std::uint8_t code) {
  return IsMarkOfThisPass(code) || code >= kFirstCodeLoweredToAMark;
}

// Whether a resting ruby or rock at (x, y) would fall or roll in the next pass.
bool WouldMove(const GameState& s, int x, int y) {
  const std::uint8_t below = s.world.Board(x, y + 1);
  if (below == tiles::Empty) return true;
  if (below != tiles::Ruby && below != tiles::Rock) return false;
  const bool left =
      s.world.Board(x - 1, y) == tiles::Empty && s.world.Board(x - 1, y + 1) == tiles::Empty;
  const bool right =
      s.world.Board(x + 1, y) == tiles::Empty && s.world.Board(x + 1, y + 1) == tiles::Empty;
  return left || right;
}

}  // namespace

bool WithoutStrayMarks(const GameState& s) {
  for (int x = 0; x < s.world.BoardWidth; ++x) {
    for (int y = 0; y < s.world.BoardHeight; ++y) {
      if (IsStrayMark(s.world.Board(x, y))) return false;
    }
  }
  return true;
}

void Require(bool holds, const std::string& what) {
  if (holds) return;
  std::fprintf(stderr, "invariant broken: %s\n", what.c_str());
  std::abort();
}

bool BoardAtRest(const GameState& s) {
  for (int x = 0; x < s.world.BoardWidth; ++x) {
    for (int y = 0; y < s.world.BoardHeight; ++y) {
      const std::uint8_t c = s.world.Board(x, y);
      if (tiles::IsCreature(c) || c == tiles::Slime || c == tiles::NewSlime) return false;
      if (c == tiles::FallingRuby || c == tiles::FallingRock) return false;
      if ((c == tiles::Ruby || c == tiles::Rock) && WouldMove(s, x, y)) return false;
    }
  }
  return true;
}

void CheckAfterHandler(FuzzSession& session) {
  if (session.Closed()) return;
  const GameState& s = session.State();
  Require(s.world.BoardWidth >= 0 && s.world.BoardWidth <= MaxBoardSize &&
              s.world.BoardHeight >= 0 && s.world.BoardHeight <= MaxBoardSize,
          "the playfield fits the grid");
  for (int x = -1; x <= MaxBoardSize; ++x) {
    for (int y = -1; y <= MaxBoardSize; ++y) {
      if (s.world.InPlayfield(x, y) || s.world.Board(x, y) == 0) continue;
      Require(false, "cell (" + std::to_string(x) + ", " + std::to_string(y) +
                         ") outside the playfield holds " + std::to_string(s.world.Board(x, y)));
    }
  }
  const bool playing = s.screens.ScreenState == Screen::Play;
  if (playing && s.world.BoardWidth > 0) {
    Require(s.world.InPlayfield(s.world.PlayerX, s.world.PlayerY) || s.world.PlayerDead != 0,
            "the player stands on the playfield or is dead");
  }
  Require(playing || !s.world.Timer1Enabled, "the timer is off outside play");
  Require(session.Platform().TimerEnabled() == s.world.Timer1Enabled,
          "the platform's timer follows the game's");
}

void CheckAfterTick(const GameState& before, const GameState& after) {
  for (int x = 0; x < after.world.BoardWidth; ++x) {
    for (int y = 0; y < after.world.BoardHeight; ++y) {
      Require(!IsMarkOfThisPass(after.world.Board(x, y)), "a mark of the pass survived the tick");
    }
  }
  if (!after.world.Timer1Enabled) {
    Require(BoardAtRest(after), "the timer stopped while the board still moves");
  } else {
    // The pass keeps the timer only for something that acted: a creature or slime, which
    // stays on the board unless a blast took it, or a move, which changed the board.
    bool acted = before.world.Board.bytes != after.world.Board.bytes;
    for (int x = 0; x < after.world.BoardWidth && !acted; ++x) {
      for (int y = 0; y < after.world.BoardHeight && !acted; ++y) {
        const std::uint8_t c = after.world.Board(x, y);
        acted = tiles::IsCreature(c) || c == tiles::Slime;
      }
    }
    Require(acted, "the timer runs on although nothing acted");
  }
}

void CheckedTick(FuzzSession& session) {
  if (session.Closed()) return;
  GameState before = session.State();
  const bool updates = before.world.Timer1Enabled && before.screens.ScreenState == Screen::Play &&
                       WithoutStrayMarks(before);
  const int gameOvers = session.MessagesSaying("\"Game Over\"");
  session.Tick();
  CheckAfterHandler(session);
  if (!updates || session.Closed() || session.MessagesSaying("\"Game Over\"") != gameOvers) {
    return;
  }
  // The tick writes the player's tile before the pass; that is no activity of the pass.
  PlacePlayerTile(before);
  CheckAfterTick(before, session.State());
}

void CheckedKey(FuzzSession& session, int vk, bool shift) {
  if (session.Closed()) return;
  const bool playing = session.State().screens.ScreenState == Screen::Play;
  const int messages = session.MessagesSaying("message ");
  session.Key(vk, shift);
  CheckAfterHandler(session);
  // A run-time error ends the handler where it happened, which may be after the timer stopped.
  const bool failed = session.MessagesSaying("message ") != messages;
  if (playing && !failed && !session.Closed() &&
      session.State().screens.ScreenState == Screen::Play) {
    Require(session.State().world.Timer1Enabled, "a key in play starts the timer");
  }
}

void CheckedPaint(FuzzSession& session) {
  if (session.Closed()) return;
  session.Paint();
  CheckAfterHandler(session);
}
