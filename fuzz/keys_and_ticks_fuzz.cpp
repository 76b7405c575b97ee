// Random keys and ticks on a random small board, through the window's handlers, with the
// invariants checked after every event. The input's first bytes make the board (and so the
// first campaign level); every later byte is one event.
#include <array>
#include <cstdint>
#include <set>
#include <string>

#include "fuzz/fuzz_session.h"
#include "fuzz/invariants.h"

namespace {

constexpr int kMostSide = 12;

// Codes a board is made of: the whole catalogue, falling objects, and codes without a rule;
// plain cells come more often, as in real levels. Marks of a pass (108..112) are not level
// codes: a level holding them is the loader target's business.
constexpr std::array<int, 32> kCodes{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 101, 104,
                                     1, 1, 3, 3, 4, 5, 5, 5, 5, 5, 5, 5, 13, 20, 113, 255};

// Money and every item in stock, for the item keys.
constexpr const char* kRichCampaign = "1\r\n500\r\n9\r\n9\r\n9\r\n9\r\n0\r\n0\r\n0\r\n0\r\n0\r\n";

class Input {
 public:
  Input(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
  bool Done() const { return at_ >= size_; }
  int Next() { return at_ < size_ ? data_[at_++] : 0; }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t at_ = 0;
};

std::string BoardLevel(Input& in) {
  const int w = 1 + in.Next() % kMostSide;
  const int h = 1 + in.Next() % kMostSide;
  const int px = in.Next() % w;
  const int py = in.Next() % h;
  std::string level = std::to_string(w) + "\r\n" + std::to_string(h) + "\r\n" +
                      std::to_string(px) + "\r\n" + std::to_string(py) + "\r\n" +
                      std::to_string(in.Next() % 6) + "\r\n";
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      level += std::to_string(kCodes[static_cast<std::size_t>(in.Next()) % kCodes.size()]);
      level += x + 1 < w ? " " : "\r\n";
    }
  }
  return level;
}

constexpr std::array<int, 4> kArrows{vk::Left, vk::Up, vk::Right, vk::Down};

void Event(FuzzSession& session, Input& in) {
  const int e = in.Next();
  const int low = e & 3;
  switch (e >> 2 & 7) {
    case 0:
    case 1:
      CheckedTick(session);
      break;
    case 2:
      CheckedKey(session, kArrows[static_cast<std::size_t>(low)]);
      break;
    case 3:
      CheckedKey(session, kArrows[static_cast<std::size_t>(low)], true);
      break;
    case 4:
      CheckedKey(session, low == 0 ? vk::Escape : low == 1 ? vk::Enter : vk::A + low);
      break;
    case 5: {
      // Digit keys 1..4 held from now on, one bit each (bits 0, 1, 5 and 6).
      std::set<int> held;
      constexpr std::array<int, 4> kBits{0, 1, 5, 6};
      for (std::size_t d = 0; d < kBits.size(); ++d) {
        if ((e >> kBits[d] & 1) != 0) held.insert(vk::Digit0 + 1 + static_cast<int>(d));
      }
      session.Hold(held);
      break;
    }
    case 6:
      // The next open dialog chooses the rich campaign (or, odd bytes, is cancelled).
      if (low == 0) session.Platform().QueueDialogAnswer(session.Path("Rich.ksv"));
      if (low == 1) session.Platform().QueueDialogAnswer(std::nullopt);
      if (low >= 2) CheckedPaint(session);
      break;
    default:
      CheckedKey(session, kArrows[static_cast<std::size_t>(low)]);
      CheckedTick(session);
      break;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Input in(data, size);
  FuzzSession session;
  const std::string level = BoardLevel(in);
  session.Write("Level1.cam", level);
  session.Write("Level2.cam", level);
  session.Write("High.scr", ShippedFile("levels/campaign/High.scr"));
  session.Write("Rich.ksv", kRichCampaign);
  session.Start();
  CheckAfterHandler(session);
  while (!in.Done() && !session.Closed()) Event(session, in);
  return 0;
}
