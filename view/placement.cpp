#include "view/placement.h"

#include "game/int32.h"
#include "game/tiles.h"

int PlaceAxis(int viewCenter, int playerCell, int boardCells, int screenSize) {
  const std::int64_t follow = std::int64_t{viewCenter} - std::int64_t{tiles::TileSize} * playerCell;
  const std::int64_t board = std::int64_t{tiles::TileSize} * boardCells;
  if (follow > 0) return 0;
  if (screenSize > board) return 0;
  if (screenSize > follow + board) return Wrap32(screenSize - board);
  return Wrap32(follow);
}

int ViewCenter(int screenSize) { return screenSize / 2 / tiles::TileSize * tiles::TileSize; }
