// "Player.cfg" holding any bytes: the name read at start-up is entered at the top of the table
// at the end of a campaign, and the table is drawn with it.
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz/fuzz_session.h"
#include "fuzz/invariants.h"
#include "fuzz/table_check.h"

namespace {
constexpr std::int32_t kBestResult = 1000000;  // above every shipped entry
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzSession session;
  const std::string_view cfg(reinterpret_cast<const char*>(data), size);
  const std::string table = ShippedFile("levels/campaign/High.scr");
  session.Write("Player.cfg", cfg);
  session.Write("Level1.cam", ShippedFile("levels/campaign/Level1.cam"));
  session.Write("High.scr", table);
  session.Start(FuzzSession::Pictures::kLetters);
  CheckAfterHandler(session);
  const std::string_view bom = "\xEF\xBB\xBF";
  const std::string_view text = cfg.substr(0, bom.size()) == bom ? cfg.substr(bom.size()) : cfg;
  Require(session.State().campaign.PlayerName == FirstLineOf(text),
          "the name is the file's first line, after a byte-order mark if there is one");
  FinishCampaign(session, kBestResult);
  CheckTableAfterUpdate(session, table, session.State().campaign.PlayerName, kBestResult);
  CheckedKey(session, vk::Enter);
  return 0;
}
