#include "game/score_table.h"

#include <algorithm>
#include <bit>
#include <cerrno>
#include <climits>
#include <cstdint>
#include <optional>
#include <utility>

#include "game/cp1251.h"
#include "game/integer_text.h"
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
// Twelve entries of names and scores; a file far larger is no table of the game's.
constexpr std::size_t kMostTableBytes = 1 << 20;

// The message for a table that cannot be used: what is wrong with it, and that the result was
// not entered.
RuntimeError DamagedTable(const std::string& tablePath, const std::string& what);

// The table's lines as raw bytes. Only a CR LF pair ends a line: an encoded entry may hold
// any byte, a lone CR or LF and 26 among them.
class RawLineReader {
 public:
  explicit RawLineReader(const std::string& path) {
    FileBytes file = ReadWholeFile(path, kMostTableBytes);
    if (file.error == FileError::kTooLarge) throw DamagedTable(path, "файл слишком велик");
    if (file.error != FileError::kNone) throw NotRead(file.error);
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

// The score text as the run-time library's StrToInt reads it.
std::int32_t ParseScore(const std::string& text) {
  const std::optional<std::int32_t> value = ParseInt32(text);
  if (!value) throw RuntimeError(rtl::NotValidInteger(text));
  return *value;
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

// The codec is the binomial transform modulo 256: decoding gives plain byte k (from 0) as the
// sum over j of C(k, j) x encoded byte j, and encoding is the same with the signs
// (-1)^(k-j). Done pass by pass as the codec is defined it takes time quadratic in the length
// of the line; split at a power of two h instead, the upper part is the transform of a short
// sum over C(h, i), most of which vanish modulo 256.

// Lines up to this length are transformed pass by pass.
constexpr std::size_t kDirectLength = 64;

// One non-zero entry of a row of binomials: C(h, offset) x sign^(h - offset) modulo 256.
struct Tap {
  std::size_t offset;
  std::uint8_t factor;
};

// The inverse of an odd number modulo 256.
std::uint32_t OddInverse(std::uint32_t odd) {
  std::uint32_t inverse = odd;  // right in the lowest 3 bits; each step doubles that
  for (int step = 0; step < 3; ++step) inverse *= 2 - odd * inverse;
  return inverse & 0xFF;
}

// The entries of row h of Pascal's triangle that are not 0 modulo 256, each times
// sign^(h - offset). Binomials are kept as an odd part modulo 256 and a power of two.
std::vector<Tap> RowTaps(std::size_t h, int sign) {
  std::vector<Tap> taps;
  std::uint32_t odd = 1;
  int twos = 0;
  for (std::size_t i = 0; i <= h; ++i) {
    if (i > 0) {
      const std::size_t up = h - i + 1;
      const int upTwos = std::countr_zero(up);
      const int downTwos = std::countr_zero(i);
      odd = odd * static_cast<std::uint32_t>((up >> upTwos) & 0xFF) *
            OddInverse(static_cast<std::uint32_t>((i >> downTwos) & 0xFF)) & 0xFF;
      twos += upTwos - downTwos;
    }
    if (twos >= 8) continue;
    std::uint32_t factor = (odd << twos) & 0xFF;
    if (sign < 0 && (h - i) % 2 == 1) factor = (256 - factor) & 0xFF;
    taps.push_back(Tap{i, static_cast<std::uint8_t>(factor)});
  }
  return taps;
}

void TransformDirectly(std::uint8_t* b, std::size_t n, int sign) {
  if (sign > 0) {
    for (std::size_t pass = n > 1 ? n - 1 : 0; pass >= 1; --pass) {
      for (std::size_t k = pass; k < n; ++k) b[k] = static_cast<std::uint8_t>(b[k] + b[k - 1]);
    }
  } else {
    for (std::size_t pass = 1; pass < n; ++pass) {
      for (std::size_t k = n - 1; k >= pass; --k) b[k] = static_cast<std::uint8_t>(b[k] - b[k - 1]);
    }
  }
}

// Transforms b[0..n) in place; rows[m] holds the taps of row 2^m.
void Transform(std::uint8_t* b, std::size_t n, int sign,
               const std::vector<std::vector<Tap>>& rows) {
  if (n <= kDirectLength) {
    TransformDirectly(b, n, sign);
    return;
  }
  const int m = std::bit_width(n - 1) - 1;
  const std::size_t h = std::size_t{1} << m;
  // Byte h + r of the result is byte r of the transform of g, g[t] = sum of tap x b[t + offset].
  std::vector<std::uint8_t> g(n - h, 0);
  for (const Tap& tap : rows[static_cast<std::size_t>(m)]) {
    const std::uint8_t* from = b + tap.offset;
    for (std::size_t t = 0; t < g.size(); ++t) {
      g[t] = static_cast<std::uint8_t>(g[t] + tap.factor * from[t]);
    }
  }
  Transform(b, h, sign, rows);
  std::copy(g.begin(), g.end(), b + h);
  Transform(b + h, n - h, sign, rows);
}

// Decodes (sign +1) or encodes (sign -1) a table line in place.
void BinomialTransform(std::string& line, int sign) {
  std::vector<std::vector<Tap>> rows;
  for (std::size_t h = 1; h < line.size(); h *= 2) rows.push_back(RowTaps(h, sign));
  Transform(reinterpret_cast<std::uint8_t*>(line.data()), line.size(), sign, rows);
}

}  // namespace

std::string EncodeScoreLine(std::string_view plain) {
  std::string bytes(plain);
  BinomialTransform(bytes, -1);
  return bytes;
}

std::string DecodeScoreLine(std::string_view encoded) {
  std::string bytes(encoded);
  BinomialTransform(bytes, +1);
  return bytes;
}

std::int32_t CampaignResult(std::int32_t money, const std::array<std::int32_t, 10>& inventory) {
  std::int64_t result = money;
  for (std::size_t item = 1; item < ShopPrices.size(); ++item) {
    result += std::int64_t{ShopPrices[item]} * inventory[item];
  }
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(result, INT32_MIN, INT32_MAX));
}

void UpdateScoreTable(const std::string& tablePath, const std::string& workPath,
                      const std::string& playerName, std::int32_t result) {
  std::string table;
  for (const std::string& line : NewTableLines(tablePath, playerName, result)) {
    table += line + kLineEnd;
  }
  // The working copy is written first, as the table's old name for it says; when it cannot be,
  // the error box says why. The table then takes its contents in one step; when that fails the
  // table keeps its old contents, which the score screen then shows.
  auto work = TextWriter::Create(workPath);
  work->Write(table);
  if (const FileError error = work->Close(); error != FileError::kNone) throw NotWritten(error);
  ReplaceFile(tablePath, table, false);
  RemoveFile(workPath);
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
