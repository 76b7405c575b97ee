// The level loader on any bytes: start-up loads them as the first level, Return enters it and a
// few keys and ticks play it; New and Restart load it again.
#include <array>
#include <cstdint>
#include <string_view>

#include "fuzz/fuzz_session.h"
#include "fuzz/invariants.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzSession session;
  session.Write("Level1.cam", std::string_view(reinterpret_cast<const char*>(data), size));
  session.Start();
  CheckAfterHandler(session);
  const GameState& s = session.State();
  if (session.MessagesSaying("message ") == 0) {
    Require(s.world.BoardWidth >= 1 && s.world.BoardHeight >= 1,
            "a level loaded silently has a playfield");
    Require(s.world.InPlayfield(s.world.PlayerX, s.world.PlayerY),
            "a level loaded silently starts on its field");
  }
  CheckedKey(session, vk::Enter);  // Return
  constexpr std::array<int, 4> kArrows{vk::Right, vk::Down, vk::Left, vk::Up};
  for (const int arrow : kArrows) {
    CheckedTick(session);
    CheckedKey(session, arrow);
    CheckedKey(session, arrow, true);
  }
  CheckedTick(session);
  CheckedKey(session, vk::Escape);
  CheckedKey(session, vk::Down);
  CheckedKey(session, vk::Enter);  // New
  CheckedTick(session);
  CheckedKey(session, vk::Escape);
  CheckedKey(session, vk::Down);
  CheckedKey(session, vk::Down);
  CheckedKey(session, vk::Enter);  // Restart
  CheckedTick(session);
  return 0;
}
