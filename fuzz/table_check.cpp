#include "fuzz/table_check.h"

#include "fuzz/invariants.h"
#include "game/score_table.h"

namespace {

constexpr std::size_t kMostLines = 12;
constexpr const char* kMissingLevel = "99";

// The name as an entry holds it: "|" written as "/", then blanks before " | ".
bool IsEntryOf(const std::string& decoded, const std::string& name, std::int32_t result) {
  std::string expected = name;
  for (char& c : expected) {
    if (c == '|') c = '/';
  }
  const std::string tail = " | " + std::to_string(result);
  if (decoded.size() < expected.size() + tail.size()) return false;
  if (decoded.compare(0, expected.size(), expected) != 0) return false;
  if (decoded.compare(decoded.size() - tail.size(), tail.size(), tail) != 0) return false;
  const std::size_t blanksEnd = decoded.size() - tail.size();
  for (std::size_t i = expected.size(); i < blanksEnd; ++i) {
    if (decoded[i] != ' ') return false;
  }
  return true;
}

}  // namespace

std::string FirstLineOf(std::string_view bytes) {
  const std::size_t end = bytes.find_first_of(std::string_view("\r\n\x1a", 3));
  return std::string(bytes.substr(0, end));
}

std::vector<std::string> TableLines(std::string_view bytes) {
  std::vector<std::string> lines;
  while (!bytes.empty()) {
    const std::size_t end = bytes.find("\r\n");
    lines.emplace_back(bytes.substr(0, end));
    bytes.remove_prefix(end == std::string_view::npos ? bytes.size() : end + 2);
  }
  return lines;
}

void FinishCampaign(FuzzSession& session, std::int32_t money) {
  session.Write("Go.ksv", std::string(kMissingLevel) + "\r\n" + std::to_string(money) +
                              "\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n");
  session.Platform().QueueDialogAnswer(session.Path("Go.ksv"));
  for (int i = 1; i < 5; ++i) CheckedKey(session, vk::Down);
  CheckedKey(session, vk::Enter);  // Load: the shop, on Play
  Require(session.State().screens.ScreenState == Screen::Shop,
          "a good saved campaign opens the shop");
  CheckedKey(session, vk::Enter);  // Play: no such level, the campaign is over
}

void CheckTableAfterUpdate(FuzzSession& session, const std::string& oldTable,
                           const std::string& name, std::int32_t result) {
  Require(session.State().screens.ScreenState == Screen::ScoreTable, "the score screen is up");
  std::string now;
  Require(session.Read("High.scr", now), "High.scr is still there");
  if (session.MessagesSaying("message ") != 0) {
    Require(now == oldTable, "a table that could not be updated stays as it was");
    return;
  }
  const std::vector<std::string> before = TableLines(oldTable);
  Require(now.size() >= 2 && now.compare(now.size() - 2, 2, "\r\n") == 0,
          "every line of the new table ends with CR LF");
  const std::vector<std::string> after = TableLines(now);
  Require(after.size() <= kMostLines, "the new table holds at most twelve lines");
  std::size_t same = 0;
  while (same < after.size() && same < before.size() && after[same] == before[same]) ++same;
  if (same == after.size()) return;  // the result was not entered
  Require(IsEntryOf(DecodeScoreLine(after[same]), name, result),
          "the one new line is the player's entry");
  for (std::size_t i = same + 1; i < after.size(); ++i) {
    Require(i - 1 < before.size() && after[i] == before[i - 1],
            "the old lines follow the new entry unchanged");
  }
}
