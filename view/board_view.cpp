#include "view/board_view.h"

#include <algorithm>
#include <optional>

#include "game/tiles.h"
#include "view/placement.h"

using tiles::TileSize;

namespace {

int CellIndex(int x, int y) { return x * MaxBoardSize + y; }

}  // namespace

BoardView::BoardView(GameState& state, WindowModel& window)
    : state_(state), window_(window), blank_(TileSize, TileSize, kBlack) {
  cells_.fill(&blank_);
  unknown_ = blank_;
  ForgetDrawn();
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
  ForgetDrawn();
}

void BoardView::SetIncremental(bool on) {
  incremental_ = on;
  ForgetDrawn();
}

std::uint8_t BoardView::PictureIndex(std::uint8_t code) {
  const int picture = code >= tiles::Mark ? code - tiles::Mark : code;
  return picture < kUnknownPicture ? static_cast<std::uint8_t>(picture) : kUnknownPicture;
}

const Surface& BoardView::Picture(std::uint8_t index) const {
  return index < kUnknownPicture ? *cells_[index] : unknown_;
}

void BoardView::ForgetDrawn() {
  drawn_.fill(kNotDrawn);
  for (const int cell : changed_) listed_[static_cast<std::size_t>(cell)] = false;
  changed_.clear();
  drawnWidth_ = BoardBitmap.width;
  drawnHeight_ = BoardBitmap.height;
  ForgetPresented();
}

void BoardView::FollowBitmapSize() {
  if (BoardBitmap.width != drawnWidth_ || BoardBitmap.height != drawnHeight_) ForgetDrawn();
}

void BoardView::ClearScreen() {
  window_.Screen().Fill(kBlack);
  window_.MarkChanged(Rect{0, 0, window_.Width(), window_.Height()});
  ForgetPresented();
}

void BoardView::DrawCell(int x, int y, std::uint8_t code) {
  FollowBitmapSize();
  const int px = x * TileSize;
  const int py = y * TileSize;
  if (px < 0 || py < 0 || px + TileSize > BoardBitmap.width || py + TileSize > BoardBitmap.height) {
    return;
  }
  const std::uint8_t index = PictureIndex(code);
  const auto cell = static_cast<std::size_t>(CellIndex(x, y));
  if (incremental_ && drawn_[cell] == index) return;
  const Surface& picture = Picture(index);
  for (int row = 0; row < TileSize; ++row) {
    std::copy_n(picture.Row(row), TileSize, BoardBitmap.Row(py + row) + px);
  }
  drawn_[cell] = index;
  if (!listed_[cell]) {
    listed_[cell] = true;
    changed_.push_back(static_cast<int>(cell));
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
  FollowBitmapSize();
  const Rect screen{0, 0, window_.Width(), window_.Height()};
  const bool sameView = screenHolds_ && presentedX_ == state_.BoardOriginX &&
                        presentedY_ == state_.BoardOriginY &&
                        presentedRepaints_ == window_.Repaints();
  if (incremental_ && sameView) {
    for (const int cell : changed_) {
      const int x = cell / MaxBoardSize;
      const int y = cell % MaxBoardSize;
      CopyToScreen(Rect{x * TileSize, y * TileSize, TileSize, TileSize}, screen);
    }
  } else {
    CopyToScreen(Rect{0, 0, BoardBitmap.width, BoardBitmap.height}, screen);
  }
  for (const int cell : changed_) listed_[static_cast<std::size_t>(cell)] = false;
  changed_.clear();
  screenHolds_ = true;
  presentedX_ = state_.BoardOriginX;
  presentedY_ = state_.BoardOriginY;
  presentedRepaints_ = window_.Repaints();
  window_.DrawEdit1();
}

void BoardView::PresentBoard(const Rect& clip) {
  CopyToScreen(Rect{0, 0, BoardBitmap.width, BoardBitmap.height}, clip);
  // Only part of the screen may have been repainted: the next present copies everything.
  ForgetPresented();
}

void BoardView::CopyToScreen(const Rect& area, const Rect& clip) {
  const Rect onScreen{state_.BoardOriginX + area.left, state_.BoardOriginY + area.top, area.width,
                      area.height};
  const Rect copied = Intersect(onScreen, clip);
  Blit(window_.Screen(), state_.BoardOriginX, state_.BoardOriginY, BoardBitmap, copied);
  window_.MarkChanged(copied);
}

void BoardView::ResizeToBoard() {
  BoardBitmap.Resize(state_.BoardWidth * TileSize, state_.BoardHeight * TileSize);
  FollowBitmapSize();
}
