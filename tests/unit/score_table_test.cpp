#include "game/score_table.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "game/cp1251.h"
#include "game/runtime_error.h"
#include "test_files.h"

namespace {

namespace fs = std::filesystem;

std::string Bytes(std::initializer_list<int> values) {
  std::string s;
  for (const int v : values) s += static_cast<char>(v);
  return s;
}

// The (k-1)-th backward difference at every k, from the binomial formula (binomials taken
// modulo 256 from Pascal's triangle).
std::string EncodeByFormula(const std::string& plain) {
  std::string out;
  std::vector<unsigned> binomials{1};  // row k of the triangle
  for (std::size_t k = 0; k < plain.size(); ++k) {
    unsigned sum = 0;
    for (std::size_t j = 0; j <= k; ++j) {
      const unsigned term = binomials[j] * static_cast<unsigned char>(plain[k - j]);
      sum += j % 2 == 0 ? term : 256u * 256u - term;
    }
    out += static_cast<char>(sum % 256);
    std::vector<unsigned> next(binomials.size() + 1, 1);
    for (std::size_t j = 1; j < binomials.size(); ++j) {
      next[j] = (binomials[j - 1] + binomials[j]) % 256;
    }
    binomials = next;
  }
  return out;
}

TEST(ScoreCodec, KnownValues) {
  EXPECT_EQ(EncodeScoreLine("abc"), Bytes({97, 1, 0}));
  EXPECT_EQ(DecodeScoreLine(Bytes({97, 1, 0})), "abc");
  EXPECT_EQ(EncodeScoreLine("A"), "A");
  EXPECT_EQ(DecodeScoreLine("A"), "A");
  EXPECT_EQ(EncodeScoreLine(""), "");
  EXPECT_EQ(DecodeScoreLine(""), "");
}

TEST(ScoreCodec, MatchesTheBinomialFormulaAndIsExactlyReversible) {
  std::string every;
  for (int i = 0; i < 256; ++i) every += static_cast<char>((i * 71 + 5) % 256);
  // Long enough that the codec splits it where most binomials vanish modulo 256.
  std::string noise;
  for (int i = 0; i < 3000; ++i) noise += static_cast<char>((i * 7919 + i / 13) % 256);
  const std::string lines[] = {every, noise, Utf8ToCp1251("Ёжик | -2147483648"),
                               Bytes({255, 0, 255}), std::string(40, 'z')};
  for (const std::string& plain : lines) {
    const std::string encoded = EncodeScoreLine(plain);
    EXPECT_EQ(encoded.size(), plain.size());
    EXPECT_EQ(encoded, EncodeByFormula(plain));
    EXPECT_EQ(DecodeScoreLine(encoded), plain);
    EXPECT_EQ(EncodeScoreLine(DecodeScoreLine(plain)), plain);
  }
}

TEST(CampaignResultTest, MoneyPlusShopValueOfItemsOneToFour) {
  std::array<std::int32_t, 10> inventory{};
  inventory = {0, 2, 1, 0, 1, 7, 7, 7, 7, 7};
  EXPECT_EQ(CampaignResult(40, inventory), 106);
  EXPECT_EQ(CampaignResult(-40, std::array<std::int32_t, 10>{}), -40);
}

TEST(CampaignResultTest, HeldWithinThirtyTwoBitsInsteadOfWrapping) {
  const std::array<std::int32_t, 10> most{0, INT32_MAX, INT32_MAX, INT32_MAX, INT32_MAX,
                                          INT32_MAX, INT32_MAX, INT32_MAX, INT32_MAX, INT32_MAX};
  const std::array<std::int32_t, 10> one{0, 1};
  const std::array<std::int32_t, 10> fewest{0, INT32_MIN, INT32_MIN, INT32_MIN, INT32_MIN};
  EXPECT_EQ(CampaignResult(100, most), INT32_MAX) << "not 42, as wrapping gives";
  EXPECT_EQ(CampaignResult(INT32_MAX, one), INT32_MAX);
  EXPECT_EQ(CampaignResult(INT32_MAX - 13, one), INT32_MAX);
  EXPECT_EQ(CampaignResult(INT32_MIN, fewest), INT32_MIN);
}

class ScoreTableFile : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = NewTempFolder("quillmere-score-");
    table_ = (dir_ / kScoreTableFile).string();
    work_ = (dir_ / kScoreWorkFile).string();
  }
  void TearDown() override { fs::remove_all(dir_); }

  void WriteRaw(const std::string& bytes) const {
    std::ofstream(table_, std::ios::binary) << bytes;
  }
  // Writes the plain entries encoded, one a line.
  void WriteTable(const std::vector<std::string>& plain) const {
    std::string bytes;
    for (const std::string& line : plain) bytes += EncodeScoreLine(line) + "\r\n";
    WriteRaw(bytes);
  }
  std::string ReadRaw() const {
    std::ifstream in(table_, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }
  // Every line of the table, decoded (lines end only at CR LF).
  std::vector<std::string> Decoded() const {
    std::vector<std::string> lines;
    const std::string raw = ReadRaw();
    std::size_t start = 0;
    for (std::size_t end; (end = raw.find("\r\n", start)) != std::string::npos; start = end + 2) {
      lines.push_back(DecodeScoreLine(raw.substr(start, end - start)));
    }
    EXPECT_EQ(start, raw.size()) << "the table must end with CR LF";
    return lines;
  }
  std::string ErrorOfUpdate(const std::string& name, std::int32_t result) const {
    try {
      UpdateScoreTable(table_, work_, name, result);
    } catch (const RuntimeError& e) {
      return e.what();
    }
    return "no error";
  }

  fs::path dir_;
  std::string table_;
  std::string work_;
};

std::vector<std::string> Numbered(int count, int top, int step) {
  std::vector<std::string> lines;
  for (int i = 0; i < count; ++i) {
    lines.push_back("P" + std::to_string(i + 1) + " | " + std::to_string(top - i * step));
  }
  return lines;
}

TEST_F(ScoreTableFile, NewEntryGoesAboveTheFirstLowerScoreAndBelowEqualOnes) {
  const std::vector<std::string> old{"A | 300", "B | 200", "C | 100"};
  WriteTable(old);
  UpdateScoreTable(table_, work_, "Player", 150);
  EXPECT_EQ(Decoded(), (std::vector<std::string>{"A | 300", "B | 200", "Player | 150", "C | 100"}));

  WriteTable(old);
  UpdateScoreTable(table_, work_, "Player", 200);
  EXPECT_EQ(Decoded(), (std::vector<std::string>{"A | 300", "B | 200", "Player | 200", "C | 100"}));

  WriteTable(old);
  UpdateScoreTable(table_, work_, "Player", 301);
  EXPECT_EQ(Decoded().front(), "Player | 301");
  EXPECT_FALSE(fs::exists(work_));
}

TEST_F(ScoreTableFile, ResultNotAboveAnyScoreLeavesTheFileByteForByte) {
  WriteTable({"A | 300", "B | 200", "C | 100"});
  const std::string before = ReadRaw();
  UpdateScoreTable(table_, work_, "Player", 50);
  EXPECT_EQ(ReadRaw(), before);
  UpdateScoreTable(table_, work_, "Player", 100);
  EXPECT_EQ(ReadRaw(), before);
}

TEST_F(ScoreTableFile, TenEntriesGrowToElevenAndOnlyTenAreDrawn) {
  WriteTable(Numbered(10, 1000, 10));
  UpdateScoreTable(table_, work_, "Top", 5000);
  const std::vector<std::string> lines = Decoded();
  ASSERT_EQ(lines.size(), 11u);
  EXPECT_EQ(lines[0], "Top | 5000");
  EXPECT_EQ(lines[10], "P10 | 910");

  const std::vector<std::string> drawn = ReadScoreLinesToDraw(table_);
  ASSERT_EQ(drawn.size(), 10u);
  EXPECT_EQ(drawn[0], "Top | 5000");
  EXPECT_EQ(drawn[9], "P9 | 920");
}

TEST_F(ScoreTableFile, CopyingStopsOnceMoreThanTenLinesWereWritten) {
  std::vector<std::string> twelve = Numbered(12, 1200, 100);  // 1200 ... 100
  WriteTable(twelve);
  UpdateScoreTable(table_, work_, "New", 250);  // first lower score is the eleventh (200)
  std::vector<std::string> expected(twelve.begin(), twelve.begin() + 10);
  expected.push_back("New | 250");
  expected.push_back(twelve[10]);
  EXPECT_EQ(Decoded(), expected);

  WriteTable(twelve);
  UpdateScoreTable(table_, work_, "Low", 1);
  EXPECT_EQ(Decoded(), std::vector<std::string>(twelve.begin(), twelve.begin() + 11));

  WriteTable(twelve);
  UpdateScoreTable(table_, work_, "Top", 9999);
  const std::vector<std::string> lines = Decoded();
  ASSERT_EQ(lines.size(), 11u);
  EXPECT_EQ(lines[0], "Top | 9999");
}

TEST_F(ScoreTableFile, LinesAfterTheCopyStopAreNeitherReadNorChecked) {
  std::vector<std::string> lines = Numbered(11, 1100, 100);
  lines.push_back("no bar here");
  WriteTable(lines);
  UpdateScoreTable(table_, work_, "Low", 5);
  EXPECT_EQ(Decoded().size(), 11u);
}

TEST_F(ScoreTableFile, ScoresCompareAsSignedNumbers) {
  WriteTable({"A | +20", "B | -5"});
  UpdateScoreTable(table_, work_, "Z", -1);
  EXPECT_EQ(Decoded(), (std::vector<std::string>{"A | +20", "Z | -1", "B | -5"}));
}

// bad input: High.scr | entries whose encoded bytes hold CR, LF or byte 26 | read and written back intact
// Names found by search: with the result 150 their encoded entries hold the byte named.
TEST_F(ScoreTableFile, EntriesHoldingLineEndAndEndOfFileBytesSurviveIntact) {
  const struct {
    const char* name;
    char byte;
  } cases[] = {{"TA", 26}, {"aA", 13}, {"dA", 10}, {"pA", 13}};
  for (const auto& c : cases) {
    ASSERT_NE(EncodeScoreLine(std::string(c.name) + " | 150").find(c.byte), std::string::npos)
        << c.name;
  }
  ASSERT_EQ(EncodeScoreLine("pA | 150").back(), '\r');  // CR right before the line's CR LF

  for (const auto& c : cases) {
    WriteTable({"A | 300", "C | 100"});
    UpdateScoreTable(table_, work_, c.name, 150);
    UpdateScoreTable(table_, work_, "Other", 120);  // the entry is copied as it was read
    const std::string expected = EncodeScoreLine("A | 300") + "\r\n" +
                                 EncodeScoreLine(std::string(c.name) + " | 150") + "\r\n" +
                                 EncodeScoreLine("Other | 120") + "\r\n" +
                                 EncodeScoreLine("C | 100") + "\r\n";
    EXPECT_EQ(ReadRaw(), expected) << c.name;
  }
}

TEST_F(ScoreTableFile, NameWhoseEntryWouldHoldCrLfIsPaddedWithBlanks) {
  ASSERT_NE(EncodeScoreLine("zB | 150").find("\r\n"), std::string::npos);
  WriteTable({"A | 300", "C | 100"});
  UpdateScoreTable(table_, work_, "zB", 150);
  EXPECT_EQ(Decoded(), (std::vector<std::string>{"A | 300", "zB  | 150", "C | 100"}));
  EXPECT_EQ(ReadScoreLinesToDraw(table_)[1], "zB  | 150");
}

// bad input: Player.cfg | a name whose own bytes encode to CR LF whatever follows | the result is not entered, with a message naming the table — the table is kept
TEST_F(ScoreTableFile, NameWhoseOwnBytesEncodeToCrLfIsRefusedAndTheTableKept) {
  ASSERT_NE(EncodeScoreLine("ANe ").find("\r\n"), std::string::npos);
  WriteTable({"A | 300", "C | 100"});
  const std::string before = ReadRaw();
  EXPECT_NE(ErrorOfUpdate("ANe", 150).find(kScoreTableFile), std::string::npos);
  EXPECT_EQ(ReadRaw(), before);
  UpdateScoreTable(table_, work_, "ANe", 50);  // not entered, so nothing to refuse
  EXPECT_EQ(ReadRaw(), before);
}

TEST_F(ScoreTableFile, BarInTheNameIsWrittenAsSlash) {
  WriteTable({"A | 300"});
  UpdateScoreTable(table_, work_, "a|b|c", 400);
  EXPECT_EQ(Decoded().front(), "a/b/c | 400");
}

// bad input: High.scr | empty, a line without the bar, an empty line, a score that is no integer, empty, beyond 32 bits, followed by a blank, 100 000 bytes long or holding control bytes | a message (naming the table where it is the table's fault, a score quoted by at most its first 40 characters with unprintable bytes as "?") — the file is left byte for byte
TEST_F(ScoreTableFile, DamagedTablesAreReportedAndLeftAsTheyWere) {
  const struct {
    std::string bytes;
    std::string message;
    bool namesTheFile;
  } cases[] = {
      {"", Utf8ToCp1251("файл пуст"), true},
      {EncodeScoreLine("A | 300") + "\r\n" + EncodeScoreLine("no bar") + "\r\n",
       Utf8ToCp1251("в строке 2 нет знака \"|\""), true},
      {"\r\n", Utf8ToCp1251("в строке 1 нет знака \"|\""), true},
      {EncodeScoreLine("A | 3x0") + "\r\n", "'3x0' is not a valid integer value", false},
      {EncodeScoreLine("A |") + "\r\n", "'' is not a valid integer value", false},
      {EncodeScoreLine("A | 2147483648") + "\r\n", "'2147483648' is not a valid integer value",
       false},
      {EncodeScoreLine("A | 300 ") + "\r\n", "'300 ' is not a valid integer value", false},
      {EncodeScoreLine("A | 1" + std::string(100000, 'x')) + "\r\n",
       "'1" + std::string(39, 'x') + "' is not a valid integer value", false},
      {EncodeScoreLine("A | 9\x01\t\x7F\x98" + Utf8ToCp1251("Ёж")) + "\r\n",
       "'9????" + Utf8ToCp1251("Ёж") + "' is not a valid integer value", false},
  };
  for (const auto& c : cases) {
    WriteRaw(c.bytes);
    const std::string error = ErrorOfUpdate("Player", 150);
    EXPECT_NE(error.find(c.message), std::string::npos) << error;
    if (c.namesTheFile) {
      EXPECT_NE(error.find(table_), std::string::npos) << error;
    }
    EXPECT_EQ(ReadRaw(), c.bytes);
  }
}

// bad input: High.scr | the last line without its line end | still read as an entry
TEST_F(ScoreTableFile, LastLineWithoutLineEndIsStillAnEntry) {
  WriteRaw(EncodeScoreLine("A | 300") + "\r\n" + EncodeScoreLine("B | 100"));
  UpdateScoreTable(table_, work_, "P", 200);
  EXPECT_EQ(Decoded(), (std::vector<std::string>{"A | 300", "P | 200", "B | 100"}));
}

// bad input: Writing a file | the table's work file in a missing folder | an error — the table is kept
TEST_F(ScoreTableFile, WorkFileThatCannotBeCreatedLeavesTheTable) {
  WriteTable({"A | 300"});
  const std::string before = ReadRaw();
  EXPECT_THROW(UpdateScoreTable(table_, (dir_ / "missing" / "High.tmp").string(), "P", 500),
               RuntimeError);
  EXPECT_EQ(ReadRaw(), before);
}

// bad input: High.scr | missing when the table is drawn | "File not found"
TEST_F(ScoreTableFile, MissingTableCannotBeDrawn) {
  try {
    ReadScoreLinesToDraw(table_);
    ADD_FAILURE() << "no error";
  } catch (const RuntimeError& e) {
    EXPECT_STREQ(e.what(), rtl::FileNotFound);
  }
}

TEST(ShippedScoreTable, DecodesToItsEntriesInFallingOrder) {
  const std::string path = std::string(QUILLMERE_SOURCE_DIR) + "/levels/campaign/High.scr";
  const std::vector<std::string> lines = ReadScoreLinesToDraw(path);
  const std::vector<std::string> expected{
      Utf8ToCp1251("Квиллмер | 170"), "Rook | 150",  Utf8ToCp1251("Мира | 130"), "Tamsin | 115",
      Utf8ToCp1251("Ёжик | 100"),     "Oriel | 80",  "Brannoc | 60",             "Wenna | 40",
      "Pip | 20",                      "Player | 5"};
  EXPECT_EQ(lines, expected);
}

}  // namespace
