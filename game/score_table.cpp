#include "game/score_table.h"

#include <cstdint>
#include <utility>

#include "game/cp1251.h"
#include "game/int32.h"
#include "game/runtime_error.h"
#include "game/shop_prices.h"
#include "game/text_file.h"
#include "platform/file_system.h"

namespace {

// Copying stops once more than this many lines were written.
constexpr std::size_t kMostLinesWritten = 10;
// Blanks tried between the name and " | " before a name is refused.
constexpr std::size_t kMostPaddingBlanks = 32;
constexpr const char* kLineEnd = "\r\n";

// The table's lines as raw bytes. Only a CR LF pair ends a line: an encoded entry may hold
// any byte, a lone CR or LF and 26 among them.
class RawLineReader {
 public:
  explicit RawLineReader(const std::string& path) {
    FileBytes file = ReadWholeFile(path, kTextFileLimit);
    if (file.error != FileError::kNone) {
      throw RuntimeError(file.error == FileError::kNotFound ? rtl::FileNotFound
                                                            : rtl::FileAccessDenied);
    }
    bytes_ = std::move(file.bytes);
  }

  // The next line without its CR LF; false at the end of the file.
  bool Next(std::string& line) {
    if (next_ >= bytes_.size()) return false;
    const std::size_t end = bytes_.find(kLineEnd, next_);
    const std::size_t stop = end == std::string::npos ? bytes_.size() : end;
    line = bytes_.substr(next_, stop - next_);
    next_ = end == std::string::npos ? bytes_.size() : end + 2;
    return true;
  }

 private:
  std::string bytes_;
  std::size_t next_ = 0;
};

RuntimeError DamagedTable(const std::string& tablePath, const std::string& what) {
  return RuntimeError(Utf8ToCp1251("Таблица лучших результатов " + tablePath +
                                   " повреждена: " + what + ". Результат не записан."));
}

// The score text as the run-time library's StrToInt reads it: an optional sign and decimal
// digits within 32 bits.
std::int32_t ParseScore(const std::string& text) {
  std::size_t i = (!text.empty() && (text[0] == '-' || text[0] == '+')) ? 1 : 0;
  const bool negative = i == 1 && text[0] == '-';
  if (i == text.size()) throw RuntimeError(rtl::NotValidInteger(text));
  std::int64_t value = 0;
  for (; i < text.size(); ++i) {
    if (text[i] < '0' || text[i] > '9') throw RuntimeError(rtl::NotValidInteger(text));
    value = value * 10 + (text[i] - '0');
    if (value > std::int64_t{INT32_MAX} + 1) throw RuntimeError(rtl::NotValidInteger(text));
  }
  if (negative) value = -value;
  if (value > INT32_MAX) throw RuntimeError(rtl::NotValidInteger(text));
  return static_cast<std::int32_t>(value);
}

// The score of decoded entry number `number`: the text after the first "|" and one blank.
std::int32_t EntryScore(const std::string& decoded, std::size_t number,
                        const std::string& tablePath) {
  const std::size_t bar = decoded.find('|');
  if (bar == std::string::npos) {
    throw DamagedTable(tablePath, "в строке " + std::to_string(number) + " нет знака \"|\"");
  }
  return ParseScore(bar + 2 <= decoded.size() ? decoded.substr(bar + 2) : std::string());
}

// The encoded new entry. A "|" in the name would split the entry when read back, so it is
// written as "/"; blanks before " | " move the encoded bytes until no CR LF pair would cut
// the line in two.
std::string EncodedNewEntry(const std::string& playerName, std::int32_t result,
                            const std::string& tablePath) {
  std::string name = playerName;
  for (char& c : name) {
    if (c == '|') c = '/';
  }
  for (std::size_t blanks = 0; blanks <= kMostPaddingBlanks; ++blanks) {
    const std::string encoded =
        EncodeScoreLine(name + std::string(blanks, ' ') + " | " + std::to_string(result));
    if (encoded.find(kLineEnd) == std::string::npos) return encoded;
  }
  throw RuntimeError(Utf8ToCp1251("Результат не записан в таблицу " + tablePath +
                                  ": имя игрока не сохранить в ней без искажения."));
}

// The lines of the new table, encoded, in the order they are written.
std::vector<std::string> NewTableLines(const std::string& tablePath,
                                       const std::string& playerName, std::int32_t result) {
  RawLineReader old(tablePath);
  std::vector<std::string> lines;
  bool inserted = false;
  std::size_t read = 0;
  std::string line;
  while (lines.size() <= kMostLinesWritten && old.Next(line)) {
    ++read;
    if (!inserted && EntryScore(DecodeScoreLine(line), read, tablePath) < result) {
      lines.push_back(EncodedNewEntry(playerName, result, tablePath));
      inserted = true;
    }
    lines.push_back(line);
  }
  if (read == 0) throw DamagedTable(tablePath, "файл пуст");
  return lines;
}

}  // namespace

std::string EncodeScoreLine(std::string_view plain) {
  std::string bytes(plain);
  const std::size_t n = bytes.size();
  for (std::size_t pass = 1; pass < n; ++pass) {
    for (std::size_t k = n - 1; k >= pass; --k) {
      bytes[k] = static_cast<char>(static_cast<unsigned char>(bytes[k]) -
                                   static_cast<unsigned char>(bytes[k - 1]));
    }
  }
  return bytes;
}

std::string DecodeScoreLine(std::string_view encoded) {
  std::string bytes(encoded);
  const std::size_t n = bytes.size();
  for (std::size_t pass = n > 1 ? n - 1 : 0; pass >= 1; --pass) {
    for (std::size_t k = pass; k < n; ++k) {
      bytes[k] = static_cast<char>(static_cast<unsigned char>(bytes[k]) +
                                   static_cast<unsigned char>(bytes[k - 1]));
    }
  }
  return bytes;
}

std::int32_t CampaignResult(std::int32_t money, const std::array<std::int32_t, 10>& inventory) {
  std::int64_t result = money;
  for (std::size_t item = 1; item < ShopPrices.size(); ++item) {
    result += std::int64_t{ShopPrices[item]} * inventory[item];
  }
  return Wrap32(result);
}

void UpdateScoreTable(const std::string& tablePath, const std::string& workPath,
                      const std::string& playerName, std::int32_t result) {
  const std::vector<std::string> lines = NewTableLines(tablePath, playerName, result);
  std::string bytes;
  for (const std::string& line : lines) bytes += line + kLineEnd;
  auto work = TextWriter::Create(workPath);
  work->Write(bytes);
  work->Close();
  // The working copy takes the table's place in one step (a rename cannot replace a file on
  // every system); when that fails the table keeps its old contents, without a message.
  if (ReplaceFile(tablePath, bytes, false) == FileError::kNone) RemoveFile(workPath);
}

std::vector<std::string> ReadScoreLinesToDraw(const std::string& tablePath) {
  RawLineReader table(tablePath);
  std::vector<std::string> lines;
  std::string line;
  while (lines.size() < kScoreLinesShown && table.Next(line)) {
    lines.push_back(DecodeScoreLine(line));
  }
  return lines;
}
