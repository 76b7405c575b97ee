// A damaged "High.scr" at the end of a campaign: the result is entered and the table drawn in a
// throwaway folder; whatever the file holds, the game goes on and the table is never lost.
#include <cstdint>
#include <string>

#include "fuzz/fuzz_session.h"
#include "fuzz/invariants.h"
#include "fuzz/table_check.h"

namespace {

// A result that moves with the input, so that it lands anywhere in the tables tried, while the
// input stays a plain table file (the shipped tables seed the corpus as they are).
std::int32_t ResultFor(const std::string& table) {
  std::uint32_t sum = static_cast<std::uint32_t>(table.size());
  for (const char c : table) sum = sum * 31 + static_cast<unsigned char>(c);
  // A saved campaign may carry money below 0 (a level left short of rubies).
  return static_cast<std::int32_t>(sum % 2000) - 1000;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzSession session;
  const std::string table(reinterpret_cast<const char*>(data), size);
  session.Write("Level1.cam", ShippedFile("levels/campaign/Level1.cam"));
  session.Write("High.scr", table);
  session.Start(FuzzSession::Pictures::kLetters);
  CheckAfterHandler(session);
  const std::int32_t result = ResultFor(table);
  FinishCampaign(session, result);
  CheckTableAfterUpdate(session, table, "Player", result);
  CheckedKey(session, vk::Enter);  // back to the menu
  Require(session.State().screens.ScreenState == Screen::Menu, "a key leaves the score screen");
  return 0;
}
