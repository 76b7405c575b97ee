#pragma once
// The editing of one level: the cursor, the selection, what the keys put on the board, and
// undo and redo. Knows nothing of the screen; messages are UTF-8.
#include <cstdint>
#include <deque>
#include <optional>
#include <string>

#include "editor/edited_level.h"

// A rectangle of cells, both corners included.
struct CellArea {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  bool Contains(int x, int y) const { return x >= left && x <= right && y >= top && y <= bottom; }
};

class LevelEditor {
 public:
  // Undo remembers at least this many steps.
  static constexpr std::size_t kUndoSteps = 1000;

  explicit LevelEditor(EditedLevel level, std::string fileName = "");

  const EditedLevel& Level() const { return level_; }
  // The file the level is saved to; empty for a level never saved.
  const std::string& FileName() const { return fileName_; }
  int CursorX() const { return cursorX_; }
  int CursorY() const { return cursorY_; }
  // The selected cells, when Shift and the arrows have marked some since the last plain arrow.
  std::optional<CellArea> Selection() const;

  // Moves the cursor one cell (kept on the board). With `extend` the selection runs from the cell
  // where it began to the new cursor; without it the selection ends.
  void MoveCursor(int dx, int dy, bool extend);

  // Puts `code` on the cursor's cell or on every selected cell, as one undo step. The player's
  // start is never painted over: alone it is refused, in a selection it is left out. Returns the
  // message to show, empty when all went well.
  std::string Paint(std::uint8_t code);
  // A creature: heading right on an empty cell or a selection; on a creature it turns clockwise
  // (right, down, left, up).
  std::string PlaceCreature();
  // Another level (opened from `fileName`, or new with no name) takes the place of this one as
  // one undo step: undo brings back the level before and its name. The cursor goes to the
  // start, the selection ends, and the new level counts as unchanged.
  void Replace(EditedLevel level, std::string fileName);
  // The player's start moves to the cursor; the cell it leaves becomes empty.
  std::string MoveStart();
  // Rubies required up (+1) or down (-1), never below 0.
  void ChangeRequired(int delta);

  // Steps back or forward; false when there is nothing to undo or redo.
  bool Undo();
  bool Redo();

  // True when the level differs from what was last saved or opened.
  bool Modified() const { return revision_ != savedRevision_; }
  // The level as it stands is now what the file `fileName` holds.
  void MarkSaved(std::string fileName);

 private:
  struct Step {
    EditedLevel level;
    std::uint64_t revision;
    std::optional<std::string> fileName;  // a replaced level's name
  };

  // Remembers the level before a change (and, for a replacement, its name) and starts a new
  // revision.
  void BeginChange(std::optional<std::string> fileName = std::nullopt);
  // Moves the last step of `from` back into the level, the level's present state onto `to`.
  bool MoveStep(std::deque<Step>& from, std::deque<Step>& to);
  // Cells a key acts on: the selection, or the cursor's cell.
  CellArea Target() const;
  bool IsStart(int x, int y) const { return x == level_.StartX && y == level_.StartY; }
  // Keeps the cursor and the selection's first corner on the board (a smaller level may come).
  void KeepCursorOnBoard();

  EditedLevel level_;
  std::string fileName_;
  int cursorX_ = 0;
  int cursorY_ = 0;
  bool selecting_ = false;
  int anchorX_ = 0;
  int anchorY_ = 0;
  std::deque<Step> undo_;
  std::deque<Step> redo_;
  std::uint64_t revision_ = 0;
  std::uint64_t nextRevision_ = 1;
  std::uint64_t savedRevision_ = 0;
};

// The player's name for what a cell holds ("стена"), UTF-8.
std::string CellName(std::uint8_t code);
