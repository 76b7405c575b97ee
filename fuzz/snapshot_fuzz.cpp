// A snapshot holding any bytes: Restart gives back what it holds and reloads the level; the
// game over that follows a death reads it again.
#include <cstdint>
#include <string_view>

#include "fuzz/fuzz_session.h"
#include "fuzz/invariants.h"

namespace {

// A player under a falling rock: dies on the first tick.
constexpr const char* kDeadlyLevel = "3\r\n3\r\n1\r\n2\r\n0\r\n5 104 5\r\n5 5 5\r\n5 5 5\r\n";

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzSession session;
  session.Write("Level1.cam", kDeadlyLevel);
  session.Start();
  session.Write("Kolbrin.tmp", std::string_view(reinterpret_cast<const char*>(data), size));
  CheckedKey(session, vk::Down);
  CheckedKey(session, vk::Down);
  CheckedKey(session, vk::Enter);  // Restart
  for (int i = 0; i < 4; ++i) {
    CheckedTick(session);
    CheckedKey(session, vk::Right);
  }
  return 0;
}
