#include "view/board_view.h"

#include <optional>

#include "game/tiles.h"
#include "view/placement.h"

using tiles::TileSize;

BoardView::BoardView(GameState& state, WindowModel& window)
    : state_(state), window_(window), blank_(TileSize, TileSize, kBlack) {
  cells_.fill(&blank_);
  unknown_ = blank_;
}

void BoardView::BindPictures(const Surface& unknownCode) {
  for (std::size_t code = 0; code < cells_.size(); ++code) {
    const std::optional<Element> id = TileElement(static_cast<int>(code));
    const Surface* picture = id ? &window_.Get(*id).Picture : nullptr;
    const bool usable = picture != nullptr && picture->width == TileSize && picture->height == TileSize;
    cells_[code] = usable ? picture : &blank_;
  }
  const bool usable = unknownCode.width == TileSize && unknownCode.height == TileSize;
  unknown_ = usable ? unknownCode : blank_;
}

const Surface& BoardView::PictureOf(std::uint8_t code) const {
  const int picture = code >= tiles::Mark ? code - tiles::Mark : code;
  if (picture < static_cast<int>(cells_.size())) return *cells_[static_cast<std::size_t>(picture)];
  return unknown_;
}

void BoardView::ClearScreen() {
  window_.Screen().Fill(kBlack);
  window_.MarkChanged();
}

void BoardView::DrawCell(int x, int y, std::uint8_t code) {
  const Surface& picture = PictureOf(code);
  const int px = x * TileSize;
  const int py = y * TileSize;
  if (px < 0 || py < 0 || px + TileSize > BoardBitmap.width || py + TileSize > BoardBitmap.height) {
    return;
  }
  for (int row = 0; row < TileSize; ++row) {
    std::copy_n(picture.Row(row), TileSize, BoardBitmap.Row(py + row) + px);
  }
}

void BoardView::RedrawVisibleCells() {
  const int cw = state_.ScreenWidth / TileSize;
  const int ch = state_.ScreenHeight / TileSize;
  const int firstX = std::max(state_.PlayerX - cw - 1, 0);
  const int lastX = std::min(state_.PlayerX + cw + 1, state_.BoardWidth - 1);
  const int firstY = std::max(state_.PlayerY - ch - 1, 0);
  const int lastY = std::min(state_.PlayerY + ch + 1, state_.BoardHeight - 1);
  for (int i = firstX; i <= lastX; ++i) {
    for (int j = firstY; j <= lastY; ++j) DrawCell(i, j, state_.Board(i, j));
  }
}

void BoardView::PlaceBoard() {
  state_.BoardOriginX =
      PlaceAxis(state_.ViewCenterX, state_.PlayerX, state_.BoardWidth, state_.ScreenWidth);
  state_.BoardOriginY =
      PlaceAxis(state_.ViewCenterY, state_.PlayerY, state_.BoardHeight, state_.ScreenHeight);
}

void BoardView::PresentBoard() {
  PresentBoard(Rect{0, 0, window_.Width(), window_.Height()});
  window_.DrawEdit1();
}

void BoardView::PresentBoard(const Rect& clip) {
  Blit(window_.Screen(), state_.BoardOriginX, state_.BoardOriginY, BoardBitmap, clip);
  window_.MarkChanged();
}

void BoardView::ResizeToBoard() {
  BoardBitmap.Resize(state_.BoardWidth * TileSize, state_.BoardHeight * TileSize);
}
