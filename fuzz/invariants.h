#pragma once
// What must hold after every handler, whatever file or key sequence led there. A broken
// invariant aborts with a description, so that libFuzzer keeps the input.
#include <string>

#include "fuzz/fuzz_session.h"
#include "game/game_state.h"

// Aborts the process with `what` (and the state's headline) when `holds` is false.
void Require(bool holds, const std::string& what);

// After any handler: every cell outside the playfield still holds tile 0 (nothing was written
// outside it), the player stands on the playfield or is dead while a level is played, and the
// timer runs only in play and as the state says.
void CheckAfterHandler(FuzzSession& session);

// After a tick that ran the world update without stray marks (below) and did not end in game
// over: no cell keeps a mark of having acted (108..112), and the timer is off only when the
// board is at rest.
void CheckAfterTick(const GameState& before, const GameState& after);

// True when no playfield cell holds a mark of a pass (108..112) or a code from 200 on, which the
// end of a pass lowers into a mark or a falling object. Only a level file brings such codes, and
// the rules, as designed, turn them into creatures, slime or falling objects that stand still
// until a key starts the timer again.
bool WithoutStrayMarks(const GameState& s);

// True when no cell of the playfield would change in a world update: no creature, no slime,
// nothing falling, no object that would fall or roll.
bool BoardAtRest(const GameState& s);

// A tick, a key or a repaint through the form's handlers, followed by the checks above.
void CheckedTick(FuzzSession& session);
void CheckedKey(FuzzSession& session, int vk, bool shift = false);
void CheckedPaint(FuzzSession& session);
