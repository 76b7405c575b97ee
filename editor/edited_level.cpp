#include "editor/edited_level.h"

#include <algorithm>
#include <memory>

#include "game/cp1251.h"
#include "game/level_file.h"
#include "game/runtime_error.h"
#include "game/text_file.h"
#include "game/tiles.h"

namespace {

RuntimeError NotOpened(const std::string& path, const std::string& reasonUtf8) {
  return RuntimeError(Utf8ToCp1251("Уровень «" + path + "» не открыт: " + reasonUtf8 + "."));
}

std::string SideRefusal(const char* side, std::int32_t value) {
  return std::string(side) + " " + std::to_string(value) + " вне пределов от 1 до 101";
}

int CountCodes(const EditedLevel& level, bool (*match)(std::uint8_t)) {
  int n = 0;
  for (int x = 0; x < level.Width; ++x) {
    for (int y = 0; y < level.Height; ++y) n += match(level.Board(x, y)) ? 1 : 0;
  }
  return n;
}

// The next value of the file; a value that is not an integer is named with the file.
std::int32_t ReadValue(TextReader& file, const std::string& path) {
  try {
    return file.ReadInt();
  } catch (const RuntimeError&) {
    throw NotOpened(path, "в файле стоит не число (Invalid numeric input)");
  }
}

bool IsAnyExit(std::uint8_t c) { return c == tiles::Exit || c == tiles::ClosedExit; }
bool IsClosedExit(std::uint8_t c) { return c == tiles::ClosedExit; }
bool IsRuby(std::uint8_t c) { return c == tiles::Ruby || c == tiles::FallingRuby; }

}  // namespace

EditedLevel NewLevel(int width, int height) {
  EditedLevel level;
  level.Width = std::clamp(width, kNewLevelMinSide, kNewLevelMaxSide);
  level.Height = std::clamp(height, kNewLevelMinSide, kNewLevelMaxSide);
  for (int x = 0; x < level.Width; ++x) {
    for (int y = 0; y < level.Height; ++y) {
      const bool ring = x == 0 || y == 0 || x == level.Width - 1 || y == level.Height - 1;
      level.Board(x, y) = ring ? tiles::Wall : tiles::Earth;
    }
  }
  level.StartX = 1;
  level.StartY = 1;
  level.Board(1, 1) = tiles::Player;
  level.Board(level.Width - 2, level.Height - 2) = tiles::Exit;
  return level;
}

EditedLevel ReadEditedLevel(const std::string& path) {
  FileError error = FileError::kNone;
  const std::unique_ptr<TextReader> file = TextReader::Open(path, kMostLevelFileBytes, error);
  if (error == FileError::kTooLarge) {
    throw NotOpened(path, "файл длиннее " + std::to_string(kMostLevelFileBytes) +
                              " байт — больше любого уровня");
  }
  if (!file) throw NotOpened(path, "файл не удаётся прочитать");
  EditedLevel level;
  std::array<std::int32_t*, 5> fields{&level.Width, &level.Height, &level.StartX, &level.StartY,
                                      &level.RubiesRequired};
  for (std::size_t i = 0; i < fields.size(); ++i) {
    *fields[i] = ReadValue(*file, path);
    level.Comments[i] = file->ReadLine();
  }
  if (level.Width < 1 || level.Width > MaxBoardSize) {
    throw NotOpened(path, SideRefusal("ширина поля", level.Width));
  }
  if (level.Height < 1 || level.Height > MaxBoardSize) {
    throw NotOpened(path, SideRefusal("высота поля", level.Height));
  }
  for (int y = 0; y < level.Height; ++y) {
    for (int x = 0; x < level.Width; ++x) {
      level.Board(x, y) = static_cast<std::uint8_t>(ReadValue(*file, path) & 0xFF);
    }
  }
  return level;
}

std::string LevelText(const EditedLevel& level) {
  const std::array<std::int32_t, 5> values{level.Width, level.Height, level.StartX, level.StartY,
                                           level.RubiesRequired};
  std::string text;
  text.reserve(static_cast<std::size_t>(level.Width * level.Height * 4 + 64));
  for (std::size_t i = 0; i < values.size(); ++i) {
    text += std::to_string(values[i]) + level.Comments[i] + "\r\n";
  }
  for (int y = 0; y < level.Height; ++y) {
    for (int x = 0; x < level.Width; ++x) {
      if (x > 0) text += ' ';
      text += std::to_string(level.Board(x, y));
    }
    text += "\r\n";
  }
  return text;
}

FileError SaveEditedLevel(const std::string& path, const EditedLevel& level) {
  return ReplaceFile(path, LevelText(level), false);
}

int RubiesOnBoard(const EditedLevel& level) { return CountCodes(level, IsRuby); }

int MostRubies(const EditedLevel& level) {
  return CountCodes(level, IsRuby) + 9 * CountCodes(level, tiles::IsCreature);
}

std::vector<LevelProblem> CheckLevel(const EditedLevel& level) {
  std::vector<LevelProblem> problems;
  if (CountCodes(level, IsAnyExit) == 0) {
    problems.push_back({false, "На поле нет ни одного выхода."});
  }
  if (!level.OnBoard(level.StartX, level.StartY)) {
    problems.push_back({false, "Начальная клетка игрока (" + std::to_string(level.StartX) + ", " +
                                   std::to_string(level.StartY) + ") лежит вне поля."});
  }
  if (const int most = MostRubies(level); level.RubiesRequired > most) {
    problems.push_back({true, "Требуется рубинов: " + std::to_string(level.RubiesRequired) +
                                  ", а на поле с учётом взрывов их может быть не больше " +
                                  std::to_string(most) + "."});
  }
  if (level.RubiesRequired == 0 && CountCodes(level, IsClosedExit) > 0) {
    problems.push_back(
        {true, "Закрытые выходы никогда не откроются: не требуется ни одного рубина."});
  }
  return problems;
}
