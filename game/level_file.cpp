#include "game/level_file.h"

#include <array>
#include <memory>
#include <utility>

#include "game/cp1251.h"
#include "game/runtime_error.h"

namespace {

constexpr const char* kCannotBeOpened = "файл не удаётся открыть";

struct LevelHeader {
  std::int32_t width = 0;
  std::int32_t height = 0;
  std::int32_t playerX = 0;
  std::int32_t playerY = 0;
  std::int32_t rubiesRequired = 0;
};

std::string Quoted(const std::string& name) {
  return Utf8ToCp1251("«") + Utf8ToCp1251(name) + Utf8ToCp1251("»");
}

// The reason a header cannot be played, or an empty text when it can.
std::string Refusal(const LevelHeader& h) {
  if (h.width < 1 || h.width > MaxBoardSize) {
    return "ширина поля " + std::to_string(h.width) + " вне пределов от 1 до 101";
  }
  if (h.height < 1 || h.height > MaxBoardSize) {
    return "высота поля " + std::to_string(h.height) + " вне пределов от 1 до 101";
  }
  if (h.playerX < 0 || h.playerX >= h.width || h.playerY < 0 || h.playerY >= h.height) {
    return "начальная клетка игрока (" + std::to_string(h.playerX) + ", " +
           std::to_string(h.playerY) + ") лежит вне поля " + std::to_string(h.width) + "x" +
           std::to_string(h.height);
  }
  return {};
}

RuntimeError Refused(const std::string& name, const std::string& reason) {
  return RuntimeError(Utf8ToCp1251("Уровень ") + Quoted(name) + Utf8ToCp1251(" не загружен: ") +
                      Utf8ToCp1251(reason) + ".");
}

}  // namespace

void ReadLevel(TextReader& reader, Level& level, const std::string& name) {
  reader.SkipByteOrderMark();
  LevelHeader h;
  const std::array<std::int32_t*, 5> fields{&h.width, &h.height, &h.playerX, &h.playerY,
                                            &h.rubiesRequired};
  for (std::int32_t* field : fields) {
    *field = reader.ReadInt();
    reader.SkipLine();
  }
  if (const std::string reason = Refusal(h); !reason.empty()) throw Refused(name, reason);
  level.Width = h.width;
  level.Height = h.height;
  level.PlayerX = h.playerX;
  level.PlayerY = h.playerY;
  level.RubiesRequired = h.rubiesRequired;
  for (int y = 0; y < h.height; ++y) {
    for (int x = 0; x < h.width; ++x) {
      level.Board(x, y) = static_cast<std::uint8_t>(reader.ReadInt() & 0xFF);
    }
  }
}

std::unique_ptr<TextReader> OpenLevelFile(const std::string& name) {
  FileError error = FileError::kNone;
  std::unique_ptr<TextReader> file = TextReader::Open(name, kMostLevelFileBytes, error);
  if (error == FileError::kTooLarge) {
    throw Refused(name, "файл длиннее " + std::to_string(kMostLevelFileBytes) +
                            " байт — больше любого уровня");
  }
  if (!file && error != FileError::kNotFound) throw Refused(name, kCannotBeOpened);
  return file;
}

std::optional<Level> ReadLevelIfPresent(const std::string& name) {
  const std::unique_ptr<TextReader> file = OpenLevelFile(name);
  if (!file) return std::nullopt;
  Level level;
  ReadLevel(*file, level, name);
  return level;
}

Level ReadLevelFile(const std::string& name) {
  std::optional<Level> level = ReadLevelIfPresent(name);
  if (!level) throw Refused(name, kCannotBeOpened);
  return *std::move(level);
}

void PutLevel(const Level& level, GameState& state) {
  state.world.Board = level.Board;
  state.world.BoardWidth = level.Width;
  state.world.BoardHeight = level.Height;
  state.world.PlayerX = level.PlayerX;
  state.world.PlayerY = level.PlayerY;
  state.world.RubiesRequired = level.RubiesRequired;
}
