#pragma once
// Where the board picture goes so that the player stays in view.

// The board origin on one axis: 0 while the player is within half a screen of the board's
// start or the board is smaller than the screen, the board's end flush with the screen's end
// near the far side, and otherwise the origin that puts the player's cell at `viewCenter`.
int PlaceAxis(int viewCenter, int playerCell, int boardCells, int screenSize);

// Half of `screenSize` rounded down to a whole number of cells.
int ViewCenter(int screenSize);
