// A saved campaign holding any bytes, loaded from the menu: the shop opens with what it holds
// and the snapshot says the same, saving again writes it back, and Play goes on from there.
#include <cstdint>
#include <string_view>

#include "fuzz/fuzz_session.h"
#include "fuzz/invariants.h"
#include "game/campaign_file.h"
#include "game/snapshot_file.h"

namespace {

void RequireSameHoldings(const GameState& a, const GameState& b, const char* what) {
  Require(a.campaign.Money == b.campaign.Money && a.campaign.Inventory == b.campaign.Inventory,
          what);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzSession session;
  session.Write("Level1.cam", ShippedFile("levels/campaign/Level1.cam"));
  session.Write("High.scr", ShippedFile("levels/campaign/High.scr"));
  session.Write("Saved.ksv", std::string_view(reinterpret_cast<const char*>(data), size));
  session.Start();
  session.Platform().QueueDialogAnswer(session.Path("Saved.ksv"));
  for (int i = 1; i < 5; ++i) CheckedKey(session, vk::Down);
  CheckedKey(session, vk::Enter);  // Load
  if (session.State().screens.ScreenState == Screen::Shop) {
    GameState snapshot;
    ReadSnapshot(snapshot, session.SnapshotPath());
    RequireSameHoldings(snapshot, session.State(), "the snapshot holds what was loaded");
    CheckedKey(session, vk::Up);  // Save
    session.Platform().QueueDialogAnswer(session.Path("Again.ksv"));
    const int messages = session.MessagesSaying("message ");
    CheckedKey(session, vk::Enter);
    std::string again;
    if (session.MessagesSaying("message ") == messages && session.Read("Again.ksv", again)) {
      const SavedCampaign saved = ReadCampaignFile(session.Path("Again.ksv"), "Again.ksv");
      GameState reread;
      reread.campaign.Money = saved.Money;
      reread.campaign.Inventory = saved.Inventory;
      reread.campaign.Inventory[0] = session.State().campaign.Inventory[0];  // item 0 is not saved
      RequireSameHoldings(reread, session.State(), "a campaign saved again reads back the same");
    }
    CheckedKey(session, vk::Down);
    CheckedKey(session, vk::Enter);  // Play
  }
  for (int i = 0; i < 3; ++i) {
    CheckedTick(session);
    CheckedKey(session, vk::Left);
  }
  CheckedKey(session, vk::Enter);
  return 0;
}
