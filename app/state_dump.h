#pragma once
// The state block that quillmere-headless prints for `dump` and `board`.
#include <ostream>

#include "app/tform1.h"

// Writes the whole state block.
void WriteStateDump(std::ostream& out, const TForm1& form);
// Writes only the board part, from "board:" to "end".
void WriteBoardDump(std::ostream& out, const GameState& state);
