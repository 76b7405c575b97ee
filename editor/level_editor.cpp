#include "editor/level_editor.h"

#include <algorithm>
#include <array>
#include <utility>

#include "game/tiles.h"

namespace {

constexpr const char* kStartKept = "Клетку игрока не закрасить: сначала переставьте его (P).";
constexpr const char* kStartLeftOut = "Клетка игрока оставлена как была.";

bool IsHeading(std::uint8_t code) {
  return code >= tiles::CreatureRight && code <= tiles::CreatureUp;
}

}  // namespace

LevelEditor::LevelEditor(EditedLevel level, std::string fileName)
    : level_(std::move(level)), fileName_(std::move(fileName)) {
  cursorX_ = level_.StartX;
  cursorY_ = level_.StartY;
  KeepCursorOnBoard();
}

void LevelEditor::Replace(EditedLevel level, std::string fileName) {
  BeginChange(fileName_);
  level_ = std::move(level);
  fileName_ = std::move(fileName);
  selecting_ = false;
  cursorX_ = level_.StartX;
  cursorY_ = level_.StartY;
  KeepCursorOnBoard();
  savedRevision_ = revision_;
}

void LevelEditor::MarkSaved(std::string fileName) {
  fileName_ = std::move(fileName);
  savedRevision_ = revision_;
}

std::optional<CellArea> LevelEditor::Selection() const {
  if (!selecting_) return std::nullopt;
  return CellArea{std::min(anchorX_, cursorX_), std::min(anchorY_, cursorY_),
                  std::max(anchorX_, cursorX_), std::max(anchorY_, cursorY_)};
}

void LevelEditor::MoveCursor(int dx, int dy, bool extend) {
  if (extend && !selecting_) {
    selecting_ = true;
    anchorX_ = cursorX_;
    anchorY_ = cursorY_;
  } else if (!extend) {
    selecting_ = false;
  }
  cursorX_ += dx;
  cursorY_ += dy;
  KeepCursorOnBoard();
}

void LevelEditor::KeepCursorOnBoard() {
  const int right = std::max(level_.Width - 1, 0);
  const int bottom = std::max(level_.Height - 1, 0);
  cursorX_ = std::clamp(cursorX_, 0, right);
  cursorY_ = std::clamp(cursorY_, 0, bottom);
  anchorX_ = std::clamp(anchorX_, 0, right);
  anchorY_ = std::clamp(anchorY_, 0, bottom);
}

CellArea LevelEditor::Target() const {
  return Selection().value_or(CellArea{cursorX_, cursorY_, cursorX_, cursorY_});
}

void LevelEditor::BeginChange(std::optional<std::string> fileName) {
  undo_.push_back(Step{level_, revision_, std::move(fileName)});
  if (undo_.size() > kUndoSteps) undo_.pop_front();
  redo_.clear();
  revision_ = nextRevision_++;
}

std::string LevelEditor::Paint(std::uint8_t code) {
  const CellArea area = Target();
  const bool single = !selecting_;
  if (single && IsStart(cursorX_, cursorY_)) return kStartKept;
  BeginChange();
  bool leftOut = false;
  for (int x = area.left; x <= area.right; ++x) {
    for (int y = area.top; y <= area.bottom; ++y) {
      if (IsStart(x, y)) {
        leftOut = true;
        continue;
      }
      level_.Board(x, y) = code;
    }
  }
  return leftOut ? kStartLeftOut : "";
}

std::string LevelEditor::PlaceCreature() {
  if (selecting_ || IsStart(cursorX_, cursorY_)) return Paint(tiles::CreatureRight);
  const std::uint8_t now = level_.Board(cursorX_, cursorY_);
  BeginChange();
  level_.Board(cursorX_, cursorY_) =
      IsHeading(now)
          ? static_cast<std::uint8_t>(tiles::CreatureRight + (now - tiles::CreatureRight + 1) % 4)
          : tiles::CreatureRight;
  return "";
}

std::string LevelEditor::MoveStart() {
  if (IsStart(cursorX_, cursorY_)) return "Игрок уже стоит здесь.";
  BeginChange();
  if (level_.OnBoard(level_.StartX, level_.StartY) &&
      level_.Board(level_.StartX, level_.StartY) == tiles::Player) {
    level_.Board(level_.StartX, level_.StartY) = tiles::Empty;
  }
  level_.StartX = cursorX_;
  level_.StartY = cursorY_;
  level_.Board(cursorX_, cursorY_) = tiles::Player;
  return "";
}

void LevelEditor::ChangeRequired(int delta) {
  const std::int32_t next = std::max(0, level_.RubiesRequired + delta);
  if (next == level_.RubiesRequired) return;
  BeginChange();
  level_.RubiesRequired = next;
}

bool LevelEditor::Undo() { return MoveStep(undo_, redo_); }

bool LevelEditor::Redo() { return MoveStep(redo_, undo_); }

bool LevelEditor::MoveStep(std::deque<Step>& from, std::deque<Step>& to) {
  if (from.empty()) return false;
  Step& back = from.back();
  to.push_back({std::move(level_), revision_,
                back.fileName ? std::optional<std::string>(fileName_) : std::nullopt});
  level_ = std::move(back.level);
  revision_ = back.revision;
  if (back.fileName) fileName_ = std::move(*back.fileName);
  from.pop_back();
  KeepCursorOnBoard();
  return true;
}

std::string CellName(std::uint8_t code) {
  static const std::array<const char*, 14> kNames{
      "кирпич",          "рубин",         "игрок",          "земля",
      "камень",          "пусто",         "закрытый выход", "выход",
      "существо вправо", "существо вниз", "существо влево", "существо вверх",
      "слизь",           "стена"};
  if (code < kNames.size()) return kNames[code];
  return "код " + std::to_string(code);
}
