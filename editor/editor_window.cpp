#include "editor/editor_window.h"

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <string_view>

#include "game/cp1251.h"
#include "game/runtime_error.h"
#include "game/tiles.h"
#include "rules/player_moves.h"
#include "play/flow.h"
#include "view/letters.h"
#include "view/placement.h"
#include "view/text_box.h"

using tiles::TileSize;

namespace {

constexpr int kF1 = 112;
constexpr int kF2 = 113;
constexpr int kF3 = 114;
constexpr int kF4 = 115;
constexpr int kF5 = 116;
constexpr int kF9 = 120;
constexpr int kBackspace = 8;
constexpr int kSpace = 32;
constexpr int kDelete = 46;
constexpr int kPlus = 187;
constexpr int kMinus = 189;
constexpr int kKeypadPlus = 107;
constexpr int kKeypadMinus = 109;
constexpr int kKeypad0 = 96;
constexpr int kControl = 17;

// Ctrl with a letter: the shortcuts players know from other programs, beside the keys of the
// editor's own (S save, Z undo, Y redo, O open, N new).
struct Shortcut {
  int letter;
  int key;
  bool shift;
};
constexpr Shortcut kShortcuts[] = {
    {'S', kF2, false}, {'Z', kBackspace, false}, {'Y', kBackspace, true},
    {'O', kF3, false}, {'N', kF4, false},
};

constexpr int kStatusHeight = 42;  // two lines: the level, then the last message
constexpr int kStatusLinePixels = 13;
constexpr int kHelpFontPixels = 16;
constexpr int kHelpLineHeight = 25;
constexpr std::uint32_t kStatusGround = Rgb(32, 32, 32);
constexpr std::uint32_t kStatusInk = Rgb(230, 230, 230);
constexpr std::uint32_t kCursorColour = Rgb(255, 230, 0);
constexpr std::uint32_t kSelectionColour = Rgb(60, 140, 255);
constexpr int kNewWidth = 20;
constexpr int kNewHeight = 12;
// A slice of the check between two key presses; the timer comes every 200 ms.
constexpr std::chrono::milliseconds kCheckSlice{150};
constexpr std::size_t kCheckStep = 500;

// What the keys W B E R G X S O and Space put on a cell.
struct PaintKey {
  int key;
  std::uint8_t tile;
};
constexpr PaintKey kPaintKeys[] = {
    {'W', tiles::Wall},     {'B', tiles::OuterWall},  {'E', tiles::Earth}, {'R', tiles::Rock},
    {'G', tiles::Ruby},     {'X', tiles::ClosedExit}, {'S', tiles::Slime}, {'O', tiles::Exit},
    {kSpace, tiles::Empty}, {kDelete, tiles::Empty},
};

constexpr std::string_view kHelp[] = {
    "Редактор уровней Quillmere: клавиши",
    "",
    "Стрелки: курсор на клетку; Shift + стрелки: выделить прямоугольник",
    "W стена   B кирпич   E земля   R камень   G рубин   X закрытый выход",
    "S слизь   O открытый выход   Пробел, Delete: пусто",
    "C: существо вправо; C ещё раз: поворот по часовой стрелке",
    "P: начальная клетка игрока (на курсор)",
    "+ и -: требуется рубинов больше или меньше",
    "Backspace: отменить;  Shift + Backspace: вернуть",
    "F1: эта подсказка",
    "F2: сохранить;  Shift + F2: сохранить под другим именем",
    "F3: открыть уровень",
    "F4: новый уровень (ширина и высота от 5 до 101)",
    "Ctrl + S, Z, Y, O, N: сохранить, отменить, вернуть, открыть, новый уровень",
    "F5: сыграть уровень; Escape возвращает в редактор",
    "F9: проверить, есть ли путь к выходу; Enter: показать путь",
    "Escape: выйти из редактора",
    "",
    "Любая клавиша: назад к уровню",
};

std::string BaseName(const std::string& path) {
  const std::size_t slash = path.find_last_of("/\\");
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool HasExtension(const std::string& path) {
  const std::string name = BaseName(path);
  const std::size_t dot = name.find_last_of('.');
  return dot != std::string::npos && dot > 0;
}

std::uint32_t Mix(std::uint32_t under, std::uint32_t over, int alpha) {
  auto channel = [&](int shift) {
    const int u = static_cast<int>((under >> shift) & 255);
    const int o = static_cast<int>((over >> shift) & 255);
    return static_cast<std::uint32_t>((u * (255 - alpha) + o * alpha + 127) / 255) << shift;
  };
  return channel(16) | channel(8) | channel(0);
}

std::string Joined(const std::vector<LevelProblem>& problems, bool warnings) {
  std::string text;
  for (const LevelProblem& p : problems) {
    if (p.warning != warnings) continue;
    if (!text.empty()) text += warnings ? " " : "\r";
    text += p.text;
  }
  return text;
}

}  // namespace

EditorWindow::EditorWindow(Platform& platform, RandomSource& random, EditorOptions options)
    : platform_(platform),
      random_(random),
      options_(std::move(options)),
      window_(platform.ScreenWidth(), platform.ScreenHeight()),
      editor_(::NewLevel(kNewWidth, kNewHeight)),
      board_(play_, window_) {
  window_.SetEdit1Bounds(Rect{});
}

EditorWindow::~EditorWindow() = default;

void EditorWindow::LoadPictures(GamePictures pictures) {
  InstallCatalogue(window_, std::move(pictures.catalogue));
  for (std::size_t i = 0; i < kElementCount; ++i) window_.Hide(static_cast<Element>(i));
  unknownCode_ = std::move(pictures.unknownCode);
  board_.BindPictures(unknownCode_);
  const std::string font = options_.assetsFolder + kStatusFontFile;
  statusFont_ = OpenTextRaster(font, kStatusLinePixels);
  helpFont_ = OpenTextRaster(font, kHelpFontPixels);
  edit1Font_ = std::make_unique<TextBoxRenderer>(font, kStatusFontPixels);
  window_.SetTextRenderer(edit1Font_.get());
}

void EditorWindow::Start(const std::string& path) {
  if (!path.empty()) {
    try {
      editor_ = LevelEditor(ReadEditedLevel(path), path);
      message_ = "Открыт «" + BaseName(path) + "».";
    } catch (const RuntimeError& error) {
      platform_.MessageBox(kEditorTitle, error.what());
    }
  }
  if (editor_.FileName().empty()) message_ = "Новый уровень. F1: подсказка по клавишам.";
  window_.InvalidateAll();
  Sync();
}

void EditorWindow::OnKeyDown(int key, bool shift) { Handle(&EditorWindow::KeyDown, key, shift); }

void EditorWindow::OnTimer() { Handle(&EditorWindow::Tick, 0, false); }

void EditorWindow::OnPaint() {
  if (closed_) return;
  window_.InvalidateAll();
  Sync();
}

void EditorWindow::OnClose() {
  if (closed_) return;
  if (mode_ == Mode::Edit || mode_ == Mode::Help) {
    if (MayLeave()) Close();
  } else {
    Close();
  }
  Sync();
}

void EditorWindow::Handle(void (EditorWindow::*handler)(int, bool), int key, bool shift) {
  if (closed_) return;
  try {
    (this->*handler)(key, shift);
  } catch (const std::exception& error) {
    platform_.MessageBox(kEditorTitle, error.what());
  }
  Sync();
}

void EditorWindow::Sync() {
  if (closed_) return;
  const bool playing = mode_ == Mode::Play || mode_ == Mode::ShowWay;
  platform_.SetTimerEnabled((mode_ == Mode::Play && play_.world.Timer1Enabled) ||
                            mode_ == Mode::ShowWay || mode_ == Mode::Check);
  window_.FlushPaint([&](const Rect& clip) {
    if (!playing) return;
    board_.PlaceBoard();
    board_.PresentBoard(clip);
  });
  if (!playing) Draw();
  const std::vector<Rect> changed = window_.TakeChanged();
  if (!changed.empty()) platform_.Present(window_.Screen(), changed);
}

void EditorWindow::KeyDown(int key, bool shift) {
  switch (mode_) {
    case Mode::Edit:
      if (!platform_.IsKeyDown(kControl)) {
        EditKey(key, shift);
        break;
      }
      for (const Shortcut& s : kShortcuts) {
        if (s.letter == key) EditKey(s.key, s.shift);
      }
      break;
    case Mode::Help:
      mode_ = Mode::Edit;
      break;
    case Mode::AskWidth:
    case Mode::AskHeight:
      SizeKey(key);
      break;
    case Mode::Play:
    case Mode::ShowWay:
      PlayKey(key, shift);
      break;
    case Mode::Check:
      if (key == vk::Escape) {
        message_ =
            "Проверка прервана (просмотрено состояний: " + std::to_string(check_->Explored()) +
            ").";
        check_.reset();
        mode_ = Mode::Edit;
      }
      break;
  }
}

void EditorWindow::Tick(int, bool) {
  switch (mode_) {
    case Mode::Play:
      if (play_.world.Timer1Enabled) PlayTick();
      break;
    case Mode::ShowWay:
      WayTick();
      break;
    case Mode::Check:
      CheckSlice();
      break;
    default:
      break;
  }
}

void EditorWindow::EditKey(int key, bool shift) {
  const std::string before = message_;
  message_.clear();
  switch (key) {
    case vk::Left:
      editor_.MoveCursor(-1, 0, shift);
      return;
    case vk::Right:
      editor_.MoveCursor(1, 0, shift);
      return;
    case vk::Up:
      editor_.MoveCursor(0, -1, shift);
      return;
    case vk::Down:
      editor_.MoveCursor(0, 1, shift);
      return;
    case 'C':
      message_ = editor_.PlaceCreature();
      return;
    case 'P':
      message_ = editor_.MoveStart();
      return;
    case kPlus:
    case kKeypadPlus:
      editor_.ChangeRequired(1);
      return;
    case kMinus:
    case kKeypadMinus:
      editor_.ChangeRequired(-1);
      return;
    case kBackspace:
      if (!(shift ? editor_.Redo() : editor_.Undo())) {
        message_ = shift ? "Возвращать нечего." : "Отменять нечего.";
      }
      return;
    case kF1:
      mode_ = Mode::Help;
      message_ = before;
      return;
    case kF2:
      Save(shift);
      return;
    case kF3:
      Open();
      return;
    case kF4:
      NewLevel();
      return;
    case kF5:
      if (Checked("играть")) StartPlay(Mode::Play);
      return;
    case kF9:
      StartCheck();
      return;
    case vk::Enter:
      if (wayLevel_ && *wayLevel_ == editor_.Level()) {
        wayStep_ = 0;
        StartPlay(Mode::ShowWay);
      } else {
        message_ = "Пути пока нет: F9 ищет его.";
      }
      return;
    case vk::Escape:
      if (MayLeave()) Close();
      return;
    default:
      break;
  }
  for (const PaintKey& paint : kPaintKeys) {
    if (paint.key == key) {
      message_ = editor_.Paint(paint.tile);
      return;
    }
  }
  message_ = before;
}

void EditorWindow::SizeKey(int key) {
  const int digit = key >= vk::Digit0 && key <= vk::Digit0 + 9 ? key - vk::Digit0
                    : key >= kKeypad0 && key <= kKeypad0 + 9   ? key - kKeypad0
                                                               : -1;
  if (digit >= 0) {
    if (typed_.size() < 3) typed_ += static_cast<char>('0' + digit);
    return;
  }
  if (key == kBackspace) {
    if (!typed_.empty()) typed_.pop_back();
    return;
  }
  if (key == vk::Escape) {
    mode_ = Mode::Edit;
    message_ = "Новый уровень отменён.";
    return;
  }
  if (key != vk::Enter) return;
  const int value = typed_.empty() ? 0 : std::stoi(typed_);
  if (value < kNewLevelMinSide || value > kNewLevelMaxSide) {
    message_ = "Нужно число от 5 до 101.";
    return;
  }
  message_.clear();
  typed_.clear();
  if (mode_ == Mode::AskWidth) {
    newWidth_ = value;
    mode_ = Mode::AskHeight;
    return;
  }
  mode_ = Mode::Edit;
  Replace(::NewLevel(newWidth_, value), "");
  message_ = "Новый уровень " + std::to_string(newWidth_) + " x " + std::to_string(value) + ".";
}

// ---- Files ----

FileDialogSetup EditorWindow::DialogSetup() const {
  FileDialogSetup setup;
  setup.filter = Utf8ToCp1251(
      "Уровни Quillmere (*.lvl, *.cam)|*.lvl;*.cam|Одиночные уровни (*.lvl)|*.lvl|"
      "Уровни кампании (*.cam)|*.cam");
  const std::string& name = editor_.FileName();
  const std::size_t slash = name.find_last_of("/\\");
  setup.initialFolder = slash == std::string::npos || IsShipped(name) ? options_.levelsFolder
                                                                      : name.substr(0, slash + 1);
  setup.fileName = BaseName(name);
  return setup;
}

bool EditorWindow::IsShipped(const std::string& path) const {
  if (options_.shippedFolder.empty()) return false;
  const auto normal = [](const std::string& p) {
    return std::filesystem::path(p).lexically_normal().string();
  };
  const std::string shipped = normal(options_.shippedFolder);
  return normal(path).compare(0, shipped.size(), shipped) == 0;
}

bool EditorWindow::Checked(const std::string& doing) {
  const std::vector<LevelProblem> problems = CheckLevel(editor_.Level());
  const std::string errors = Joined(problems, false);
  if (!errors.empty()) {
    platform_.MessageBox(kEditorTitle, Utf8ToCp1251("Нельзя " + doing + ":\r" + errors));
    return false;
  }
  const std::string warnings = Joined(problems, true);
  if (!warnings.empty()) message_ = "Внимание: " + warnings;
  return true;
}

bool EditorWindow::Save(bool askName) {
  if (!Checked("сохранить")) return false;
  const std::string warnings = message_;
  std::string path = editor_.FileName();
  if (IsShipped(path)) {
    askName = true;
    message_ = "«" + BaseName(path) + "» — уровень из поставки игры: сохраните его в своей папке.";
  }
  if (askName || path.empty()) {
    const std::optional<std::string> chosen = platform_.SaveDialog(DialogSetup());
    if (!chosen) return false;
    path = HasExtension(*chosen) ? *chosen : *chosen + ".lvl";
  }
  if (SaveEditedLevel(path, editor_.Level()) != FileError::kNone) {
    platform_.MessageBox(kEditorTitle, Utf8ToCp1251("Уровень не сохранён в «" + path +
                                                    "»: " + LastFileErrorText() + "."));
    return false;
  }
  editor_.MarkSaved(path);
  message_ = "Сохранено в «" + BaseName(path) + "». " + warnings;
  return true;
}

void EditorWindow::Open() {
  const std::optional<std::string> chosen = platform_.OpenDialog(DialogSetup());
  if (!chosen) return;
  Replace(ReadEditedLevel(*chosen), *chosen);
  message_ = "Открыт «" + BaseName(*chosen) + "». Backspace вернёт прежний уровень.";
}

void EditorWindow::NewLevel() {
  typed_.clear();
  mode_ = Mode::AskWidth;
}

bool EditorWindow::MayLeave() {
  if (!editor_.Modified()) return true;
  const std::string& file = editor_.FileName();
  const std::string name = file.empty() ? "новом уровне" : "«" + BaseName(file) + "»";
  switch (platform_.AskQuestion(
      kEditorTitle, Utf8ToCp1251("Сохранить изменения в " + name + " перед выходом?"))) {
    case QuestionAnswer::kSave:
      return Save(false);
    case QuestionAnswer::kDiscard:
      return true;
    case QuestionAnswer::kStay:
      break;
  }
  return false;
}

void EditorWindow::Replace(EditedLevel level, std::string fileName) {
  editor_.Replace(std::move(level), std::move(fileName));
  wayLevel_.reset();
}

// ---- Play-testing and the check ----

void EditorWindow::StartPlay(Mode mode) {
  play_ = GameState{};
  play_.screens.ScreenState = Screen::Play;
  play_.view.ScreenWidth = window_.Width();
  play_.view.ScreenHeight = window_.Height();
  play_.view.ViewCenterX = ViewCenter(window_.Width());
  play_.view.ViewCenterY = ViewCenter(window_.Height());
  playEnded_ = false;
  mode_ = mode;
  window_.SetEdit1Bounds(
      Rect{window_.Width() / 2 - kStatusBoxWidth / 2, 0, kStatusBoxWidth, kStatusBoxHeight});
  EnterLevel(play_, *this, AsLevel(editor_.Level()));
}

void EditorWindow::PlayKey(int key, bool shift) {
  if (key == vk::Escape) {
    EndPlay(mode_ == Mode::Play ? "Игра прервана." : "Показ пути прерван.");
    return;
  }
  if (mode_ != Mode::Play) return;
  PlayKeyDown(play_, *this, key, shift);
  if (playEnded_) EndPlay(playEnd_);
}

void EditorWindow::PlayTick() {
  TickWorld(play_, random_, silence_);
  RedrawBoard();
  if (play_.world.PlayerDead == 0) return;
  ShowMessage("Game Over", "Game Over");
  EndPlay("Игрок пойман.");
}

void EditorWindow::WayTick() {
  if (wayStep_ >= way_.size()) {
    EndPlay("Путь показан.");
    return;
  }
  const StepOutcome outcome = PlayStep(play_, way_[wayStep_++], noGrowth_);
  RedrawBoard();
  UpdateRubyStatus();
  if (outcome == StepOutcome::Finished) {
    EndPlay("Путь пройден до выхода.");
  } else if (outcome == StepOutcome::Caught) {
    ShowMessage("Game Over", "Game Over");
    EndPlay("Игрок пойман.");
  }
}

void EditorWindow::EndPlay(const std::string& message) {
  mode_ = Mode::Edit;
  message_ = message;
  window_.SetEdit1Bounds(Rect{});
  window_.InvalidateAll();
}

void EditorWindow::StartCheck() {
  if (!Checked("проверять")) return;
  check_ = std::make_unique<WayCheck>(editor_.Level());
  wayLevel_ = editor_.Level();
  mode_ = Mode::Check;
  message_ = "Проверка: просмотрено состояний: 0. Escape: прервать.";
}

void EditorWindow::CheckSlice() {
  const auto until = std::chrono::steady_clock::now() + kCheckSlice;
  while (!check_->Run(kCheckStep)) {
    if (std::chrono::steady_clock::now() >= until) {
      message_ = "Проверка: просмотрено состояний: " + std::to_string(check_->Explored()) +
                 ". Escape: прервать.";
      return;
    }
  }
  EndCheck();
}

void EditorWindow::FinishCheck() {
  if (mode_ != Mode::Check) return;
  while (!check_->Run(kCheckStep * 100)) {
  }
  EndCheck();
  Sync();
}

void EditorWindow::EndCheck() {
  mode_ = Mode::Edit;
  const std::string explored = std::to_string(check_->Explored());
  if (check_->Found()) {
    way_ = check_->Way();
    message_ = "Найден путь, нажатий клавиш: " + std::to_string(check_->Keys()) +
               " (просмотрено состояний: " + explored + "). Enter: показать его.";
  } else {
    wayLevel_.reset();
    message_ = "Путь не найден (просмотрено состояний: " + explored +
               "). Это ничего не доказывает: путь может быть, поиск его не нашёл.";
  }
  check_.reset();
}

// ---- Drawing ----

const Surface& EditorWindow::CellPicture(std::uint8_t code) const {
  static const Surface kBlackCell(TileSize, TileSize, kBlack);
  const int index = code >= tiles::Mark ? code - tiles::Mark : code;
  if (const std::optional<Element> id = TileElement(index)) {
    const Surface& picture = window_.Get(*id).Picture;
    if (picture.width == TileSize && picture.height == TileSize) return picture;
  }
  if (unknownCode_.width == TileSize && unknownCode_.height == TileSize) return unknownCode_;
  return kBlackCell;
}

void EditorWindow::Draw() {
  Surface& screen = window_.Screen();
  screen.Fill(kBlack);
  if (mode_ == Mode::Help) {
    DrawHelp();
  } else {
    DrawBoard();
    DrawStatus();
  }
  window_.MarkChanged(Rect{0, 0, screen.width, screen.height});
}

void EditorWindow::DrawBoard() {
  Surface& screen = window_.Screen();
  const EditedLevel& level = editor_.Level();
  const int viewHeight = std::max(screen.height - kStatusHeight, 0);
  const Rect view{0, 0, screen.width, viewHeight};
  const int originX =
      PlaceAxis(ViewCenter(screen.width), editor_.CursorX(), level.Width, screen.width);
  const int originY =
      PlaceAxis(ViewCenter(viewHeight), editor_.CursorY(), level.Height, viewHeight);
  const int firstX = std::max(-originX / TileSize, 0);
  const int firstY = std::max(-originY / TileSize, 0);
  const int lastX = std::min(level.Width, (screen.width - originX) / TileSize + 1);
  const int lastY = std::min(level.Height, (viewHeight - originY) / TileSize + 1);
  const std::optional<CellArea> selection = editor_.Selection();
  for (int x = firstX; x < lastX; ++x) {
    for (int y = firstY; y < lastY; ++y) {
      const bool start = x == level.StartX && y == level.StartY;
      const int left = originX + x * TileSize;
      const int top = originY + y * TileSize;
      Blit(screen, left, top, CellPicture(start ? tiles::Player : level.Board(x, y)), view);
      if (!selection || !selection->Contains(x, y)) continue;
      for (int py = std::max(top, 0); py < std::min(top + TileSize, viewHeight); ++py) {
        for (int px = std::max(left, 0); px < std::min(left + TileSize, screen.width); ++px) {
          screen.Set(px, py, Mix(screen.At(px, py), kSelectionColour, 110));
        }
      }
    }
  }
  const Rect cell{originX + editor_.CursorX() * TileSize, originY + editor_.CursorY() * TileSize,
                  TileSize, TileSize};
  for (int ring = 0; ring < 3; ++ring) {
    const std::uint32_t colour = ring == 2 ? kBlack : kCursorColour;
    const Rect r{cell.left + ring, cell.top + ring, cell.width - 2 * ring, cell.height - 2 * ring};
    for (const Rect& side :
         {Rect{r.left, r.top, r.width, 1}, Rect{r.left, r.Bottom() - 1, r.width, 1},
          Rect{r.left, r.top, 1, r.height}, Rect{r.Right() - 1, r.top, 1, r.height}}) {
      screen.Fill(Intersect(side, view), colour);
    }
  }
}

std::string EditorWindow::StatusText() const {
  if (mode_ == Mode::AskWidth || mode_ == Mode::AskHeight) {
    return std::string(mode_ == Mode::AskWidth ? "Ширина" : "Высота") +
           " нового уровня (от 5 до 101): " + typed_ + "_   Enter: дальше, Escape: отмена.";
  }
  const EditedLevel& level = editor_.Level();
  const int x = editor_.CursorX();
  const int y = editor_.CursorY();
  const bool start = x == level.StartX && y == level.StartY;
  std::string text = "(" + std::to_string(x) + ", " + std::to_string(y) + ") " +
                     (start ? std::string("игрок") : CellName(level.Board(x, y)));
  if (const std::optional<CellArea> s = editor_.Selection()) {
    text += " [" + std::to_string(s->right - s->left + 1) + " x " +
            std::to_string(s->bottom - s->top + 1) + "]";
  }
  text += "  |  " + std::to_string(level.Width) + " x " + std::to_string(level.Height) +
          "  |  рубинов нужно " + std::to_string(level.RubiesRequired) + " / на поле " +
          std::to_string(RubiesOnBoard(level)) + "  |  " +
          (editor_.FileName().empty() ? std::string("без имени") : BaseName(editor_.FileName())) +
          (editor_.Modified() ? " *" : "");
  return text;
}

void EditorWindow::DrawStatus() {
  Surface& screen = window_.Screen();
  const int top = std::max(screen.height - kStatusHeight, 0);
  screen.Fill(Rect{0, top, screen.width, kStatusHeight}, kStatusGround);
  DrawText(6, top + 3, StatusText(), kStatusInk, statusFont_.get());
  DrawText(6, top + 22, message_, kStatusInk, statusFont_.get());
}

void EditorWindow::DrawHelp() {
  int y = 20;
  for (const std::string_view line : kHelp) {
    DrawText(40, y, std::string(line), kStatusInk, helpFont_.get());
    y += kHelpLineHeight;
  }
}

void EditorWindow::DrawText(int x, int y, const std::string& utf8, std::uint32_t colour,
                            TextRaster* raster) {
  if (raster == nullptr || utf8.empty()) return;
  Surface& screen = window_.Screen();
  const TextMask mask = raster->Render(utf8);
  for (int my = 0; my < mask.height; ++my) {
    const int sy = y + my;
    if (sy < 0 || sy >= screen.height) continue;
    for (int mx = 0; mx < mask.width; ++mx) {
      const int sx = x + mx;
      const std::uint8_t a = mask.coverage[static_cast<std::size_t>(my) * mask.width + mx];
      if (sx < 0 || sx >= screen.width || a == 0) continue;
      screen.Set(sx, sy, Mix(screen.At(sx, sy), colour, a));
    }
  }
}

// ---- The game's rules in play-testing ----

void EditorWindow::DrawCell(int x, int y, std::uint8_t code) { board_.DrawCell(x, y, code); }

void EditorWindow::PlaceBoard() { board_.PlaceBoard(); }

void EditorWindow::PresentBoard() { board_.PresentBoard(); }

void EditorWindow::UpdateRubyStatus() {
  window_.SetEdit1Text(RubyStatusText(play_.world.RubiesCollected, play_.world.RubiesRequired));
}

bool EditorWindow::IsKeyDown(int key) { return platform_.IsKeyDown(key); }

bool EditorWindow::LevelFinished() {
  FinishLevel(play_);
  playEnded_ = true;
  playEnd_ = "Выход достигнут.";
  return false;
}

void EditorWindow::LeavePlayForMenu() {
  playEnded_ = true;
  playEnd_ = "Игра прервана.";
}

// ---- The game's flow in play-testing ----

void EditorWindow::ShowMessage(const std::string& caption, const std::string& text) {
  Sync();
  platform_.MessageBox(caption, text);
}

void EditorWindow::ShowError(const std::string& text) { ShowMessage(kEditorTitle, text); }

void EditorWindow::ClearBoardView() { board_.ClearScreen(); }

void EditorWindow::ShowLevel() {
  board_.ResizeToBoard();
  // The cells at once, not at the first tick: the board picture may still hold another level.
  RedrawBoard();
  UpdateRubyStatus();
}

void EditorWindow::RedrawBoard() {
  board_.RedrawVisibleCells();
  board_.PlaceBoard();
  board_.PresentBoard();
}

// A level played in the editor ends no campaign.
void EditorWindow::ShowScoreTable() {}

void EditorWindow::ShowMenuOverFirstLevel() {}

void EditorWindow::Close() {
  closed_ = true;
  check_.reset();
  platform_.SetTimerEnabled(false);
  platform_.QuitLoop();
}
