#include "game/campaign_file.h"

#include <optional>

#include "game/cp1251.h"
#include "game/integer_text.h"
#include "game/runtime_error.h"
#include "game/snapshot_file.h"
#include "game/text_file.h"
#include "platform/file_system.h"

namespace {

constexpr int kLines = 11;
// Eleven numbers of at most ten digits; anything much larger is no saved campaign.
constexpr std::size_t kMostFileBytes = 4096;

RuntimeError NotACampaign(const std::string& shownName, const std::string& reason) {
  return RuntimeError(Utf8ToCp1251("Сохранённая кампания «" + shownName +
                                   "» не загружена: " + reason + "."));
}

std::string WithoutBlanks(const std::string& line) {
  const std::size_t first = line.find_first_not_of(" \t");
  if (first == std::string::npos) return {};
  return line.substr(first, line.find_last_not_of(" \t") - first + 1);
}

// The value of a line that holds only decimal digits (blanks around them allowed) within the
// 32-bit range; nothing for any other line.
std::optional<std::int32_t> Count(const std::string& line) {
  const std::string digits = WithoutBlanks(line);
  if (!IsDigits(digits)) return std::nullopt;
  return ParseInt32(digits);
}

// The money line: any 32-bit integer, a sign allowed (a level left short of rubies leaves
// money below 0, and Save writes it so).
std::optional<std::int32_t> MoneyValue(const std::string& line) {
  return ParseInt32(WithoutBlanks(line));
}

}  // namespace

void WriteCampaignFile(const std::string& path, const std::string& numberText,
                       const GameState& state) {
  const std::string text = numberText + "\r\n" + HoldingsLines(state);
  const FileError error = ReplaceFile(path, text, false);
  if (error != FileError::kNone) {
    throw NotWritten(error);
  }
}

SavedCampaign ReadCampaignFile(const std::string& path, const std::string& shownName) {
  FileError error = FileError::kNone;
  const auto file = TextReader::Open(path, kMostFileBytes, error);
  if (error == FileError::kTooLarge) throw NotACampaign(shownName, "файл слишком велик");
  if (!file) throw NotRead(error);
  file->SkipByteOrderMark();
  std::array<std::string, kLines> lines;
  for (std::string& line : lines) {
    if (file->Eof()) throw NotACampaign(shownName, "в файле меньше 11 строк");
    line = file->ReadLine();
  }
  while (!file->Eof()) {
    if (!WithoutBlanks(file->ReadLine()).empty()) {
      throw NotACampaign(shownName, "после 11-й строки есть ещё данные");
    }
  }
  SavedCampaign saved;
  if (!Count(lines[0])) throw NotACampaign(shownName, "в строке 1 нет номера уровня");
  saved.NumberText = WithoutBlanks(lines[0]);
  const std::optional<std::int32_t> money = MoneyValue(lines[1]);
  if (!money) throw NotACampaign(shownName, "в строке 2 нет целого числа");
  saved.Money = *money;
  for (int n = 3; n <= kLines; ++n) {
    const std::optional<std::int32_t> count = Count(lines[static_cast<std::size_t>(n - 1)]);
    if (!count) {
      throw NotACampaign(shownName, "в строке " + std::to_string(n) +
                                        " нет целого неотрицательного числа");
    }
    saved.Inventory[static_cast<std::size_t>(n - 2)] = *count;
  }
  return saved;
}
