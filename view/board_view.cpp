#include "view/board_view.h"

#include <algorithm>
#include <optional>
#include <utility>

#include "game/tiles.h"
#include "view/placement.h"

using tiles::TileSize;

namespace {

int CellIndex(int x, int y) { return x * MaxBoardSize + y; }

int FloorDiv(int a, int b) { return a >= 0 ? a / b : -((-a + b - 1) / b); }

// The first and one past the last of `cells` cells of a board at `origin` that a screen of
// `screenSize` shows (empty when it shows none).
std::pair<int, int> ShownCells(int origin, int cells, int screenSize) {
  const int first = std::max(FloorDiv(-origin, TileSize), 0);
  const int last = std::min(FloorDiv(screenSize - origin - 1, TileSize) + 1, cells);
  return {first, std::max(last, first)};
}

// Where a picture of `size` cells starts so as to hold cells [first, last) in the middle,
// within a board of `cells` cells.
int PictureStart(int first, int last, int size, int cells) {
  const int start = first - (size - (last - first)) / 2;
  return std::clamp(start, 0, std::max(cells - size, 0));
}

}  // namespace

BoardView::BoardView(GameState& state, WindowModel& window)
    : state_(state), window_(window), blank_(TileSize, TileSize, kBlack) {
  cells_.fill(&blank_);
  unknown_ = blank_;
  shows_.fill(kBlackCell);
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
  PlacePicture(pictureX_, pictureY_, pictureWidth_, pictureHeight_);
}

void BoardView::SetIncremental(bool on) {
  incremental_ = on;
  FollowView();
}

std::uint8_t BoardView::PictureIndex(std::uint8_t code) {
  const int picture = code >= tiles::Mark ? code - tiles::Mark : code;
  return picture < kUnknownPicture ? static_cast<std::uint8_t>(picture) : kUnknownPicture;
}

const Surface& BoardView::Picture(std::uint8_t index) const {
  return index < kUnknownPicture ? *cells_[index] : unknown_;
}

void BoardView::FollowView() {
  const auto [firstX, lastX] = ShownCells(state_.view.BoardOriginX, boardWidth_, window_.Width());
  const auto [firstY, lastY] = ShownCells(state_.view.BoardOriginY, boardHeight_, window_.Height());
  // Two cells more than the screen's width hold the cells cut at both edges.
  const int around = 2 + 2 * kMarginCells;
  const int w =
      incremental_ ? std::min(window_.Width() / TileSize + around, boardWidth_) : boardWidth_;
  const int h =
      incremental_ ? std::min(window_.Height() / TileSize + around, boardHeight_) : boardHeight_;
  const bool holds = w == pictureWidth_ && h == pictureHeight_ &&
                     BoardBitmap.width == w * TileSize && BoardBitmap.height == h * TileSize &&
                     firstX >= pictureX_ && lastX <= pictureX_ + w && firstY >= pictureY_ &&
                     lastY <= pictureY_ + h;
  if (holds) return;
  PlacePicture(PictureStart(firstX, lastX, w, boardWidth_),
               PictureStart(firstY, lastY, h, boardHeight_), w, h);
}

void BoardView::PlacePicture(int x, int y, int w, int h) {
  pictureX_ = x;
  pictureY_ = y;
  pictureWidth_ = w;
  pictureHeight_ = h;
  if (BoardBitmap.width != w * TileSize || BoardBitmap.height != h * TileSize) {
    // The old picture goes before the new one comes: both at once would be the peak.
    BoardBitmap = Surface();
    BoardBitmap = Surface(w * TileSize, h * TileSize);
  }
  for (int i = x; i < x + w; ++i) {
    for (int j = y; j < y + h; ++j) PaintCell(i, j);
  }
  ForgetPresented();
}

void BoardView::PaintCell(int x, int y) {
  const int px = (x - pictureX_) * TileSize;
  const int py = (y - pictureY_) * TileSize;
  if (px < 0 || py < 0 || px + TileSize > BoardBitmap.width || py + TileSize > BoardBitmap.height) {
    return;
  }
  const std::uint8_t index = shows_[static_cast<std::size_t>(CellIndex(x, y))];
  const Surface& picture = index == kBlackCell ? blank_ : Picture(index);
  for (int row = 0; row < TileSize; ++row) {
    std::copy_n(picture.Row(row), TileSize, BoardBitmap.Row(py + row) + px);
  }
}

void BoardView::ClearScreen() {
  window_.Screen().Fill(kBlack);
  window_.MarkChanged(Rect{0, 0, window_.Width(), window_.Height()});
  ForgetPresented();
}

void BoardView::DrawCell(int x, int y, std::uint8_t code) {
  if (x < 0 || y < 0 || x >= boardWidth_ || y >= boardHeight_) return;
  const std::uint8_t index = PictureIndex(code);
  const auto cell = static_cast<std::size_t>(CellIndex(x, y));
  if (incremental_ && shows_[cell] == index) return;
  shows_[cell] = index;
  PaintCell(x, y);
  if (!listed_[cell]) {
    listed_[cell] = true;
    changed_.push_back(static_cast<int>(cell));
  }
}

void BoardView::RedrawVisibleCells() {
  const int cw = state_.view.ScreenWidth / TileSize;
  const int ch = state_.view.ScreenHeight / TileSize;
  const int firstX = std::max(state_.world.PlayerX - cw - 1, 0);
  const int lastX = std::min(state_.world.PlayerX + cw + 1, state_.world.BoardWidth - 1);
  const int firstY = std::max(state_.world.PlayerY - ch - 1, 0);
  const int lastY = std::min(state_.world.PlayerY + ch + 1, state_.world.BoardHeight - 1);
  for (int i = firstX; i <= lastX; ++i) {
    for (int j = firstY; j <= lastY; ++j) DrawCell(i, j, state_.world.Board(i, j));
  }
}

void BoardView::PlaceBoard() {
  state_.view.BoardOriginX = PlaceAxis(state_.view.ViewCenterX, state_.world.PlayerX,
                                       state_.world.BoardWidth, state_.view.ScreenWidth);
  state_.view.BoardOriginY = PlaceAxis(state_.view.ViewCenterY, state_.world.PlayerY,
                                       state_.world.BoardHeight, state_.view.ScreenHeight);
}

void BoardView::PresentBoard() {
  FollowView();
  const Rect screen{0, 0, window_.Width(), window_.Height()};
  const bool sameView = screenHolds_ && presentedX_ == state_.view.BoardOriginX &&
                        presentedY_ == state_.view.BoardOriginY &&
                        presentedRepaints_ == window_.Repaints();
  if (incremental_ && sameView) {
    for (const int cell : changed_) {
      const int x = cell / MaxBoardSize;
      const int y = cell % MaxBoardSize;
      CopyToScreen(Rect{x * TileSize, y * TileSize, TileSize, TileSize}, screen);
    }
  } else {
    CopyToScreen(Rect{0, 0, boardWidth_ * TileSize, boardHeight_ * TileSize}, screen);
  }
  for (const int cell : changed_) listed_[static_cast<std::size_t>(cell)] = false;
  changed_.clear();
  screenHolds_ = true;
  presentedX_ = state_.view.BoardOriginX;
  presentedY_ = state_.view.BoardOriginY;
  presentedRepaints_ = window_.Repaints();
  window_.DrawEdit1();
}

void BoardView::PresentBoard(const Rect& clip) {
  FollowView();
  CopyToScreen(Rect{0, 0, boardWidth_ * TileSize, boardHeight_ * TileSize}, clip);
  // Only part of the screen may have been repainted: the next present copies everything.
  ForgetPresented();
}

void BoardView::CopyToScreen(const Rect& area, const Rect& clip) {
  const Rect onScreen{state_.view.BoardOriginX + area.left, state_.view.BoardOriginY + area.top,
                      area.width, area.height};
  const Rect copied = Intersect(onScreen, clip);
  Blit(window_.Screen(), state_.view.BoardOriginX + pictureX_ * TileSize,
       state_.view.BoardOriginY + pictureY_ * TileSize, BoardBitmap, copied);
  window_.MarkChanged(copied);
}

void BoardView::ResizeToBoard() {
  const int w = std::clamp(state_.world.BoardWidth, 0, MaxBoardSize);
  const int h = std::clamp(state_.world.BoardHeight, 0, MaxBoardSize);
  // As a picture of the whole board would, cells beyond the smaller of the sizes turn black.
  for (int x = 0; x < MaxBoardSize; ++x) {
    for (int y = 0; y < MaxBoardSize; ++y) {
      if (x >= std::min(w, boardWidth_) || y >= std::min(h, boardHeight_)) {
        shows_[static_cast<std::size_t>(CellIndex(x, y))] = kBlackCell;
      }
    }
  }
  const bool resized = w != boardWidth_ || h != boardHeight_;
  boardWidth_ = w;
  boardHeight_ = h;
  if (resized) pictureWidth_ = -1;  // drawn anew below
  FollowView();
}
