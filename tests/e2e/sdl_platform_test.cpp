#include "platform/linux/sdl_platform.h"

#include <SDL.h>
#include <fnmatch.h>
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <future>
#include <string>
#include <tuple>
#include <vector>

#include "game/cp1251.h"
#include "platform/linux/window_watchdog.h"

namespace {

TEST(VirtualKey, GameKeysGetTheirWindowsCodes) {
  EXPECT_EQ(VirtualKeyFromScancode(SDL_SCANCODE_LEFT, false), 37);
  EXPECT_EQ(VirtualKeyFromScancode(SDL_SCANCODE_UP, false), 38);
  EXPECT_EQ(VirtualKeyFromScancode(SDL_SCANCODE_RIGHT, false), 39);
  EXPECT_EQ(VirtualKeyFromScancode(SDL_SCANCODE_DOWN, false), 40);
  EXPECT_EQ(VirtualKeyFromScancode(SDL_SCANCODE_RETURN, false), 13);
  EXPECT_EQ(VirtualKeyFromScancode(SDL_SCANCODE_KP_ENTER, true), 13);
  EXPECT_EQ(VirtualKeyFromScancode(SDL_SCANCODE_ESCAPE, false), 27);
  EXPECT_EQ(VirtualKeyFromScancode(SDL_SCANCODE_LSHIFT, false), 16);
  EXPECT_EQ(VirtualKeyFromScancode(SDL_SCANCODE_RSHIFT, false), 16);
}

TEST(VirtualKey, TopRowDigitsAndLettersAreTheirAsciiCodes) {
  EXPECT_EQ(VirtualKeyFromScancode(SDL_SCANCODE_0, false), '0');
  EXPECT_EQ(VirtualKeyFromScancode(SDL_SCANCODE_1, false), '1');
  EXPECT_EQ(VirtualKeyFromScancode(SDL_SCANCODE_4, false), '4');
  EXPECT_EQ(VirtualKeyFromScancode(SDL_SCANCODE_9, false), '9');
  EXPECT_EQ(VirtualKeyFromScancode(SDL_SCANCODE_A, false), 'A');
  EXPECT_EQ(VirtualKeyFromScancode(SDL_SCANCODE_Z, false), 'Z');
}

TEST(VirtualKey, OtherKeysAreMappedOrGetACodeWithoutAction) {
  EXPECT_EQ(VirtualKeyFromScancode(SDL_SCANCODE_F1, false), 112);
  EXPECT_EQ(VirtualKeyFromScancode(SDL_SCANCODE_F12, false), 123);
  EXPECT_EQ(VirtualKeyFromScancode(SDL_SCANCODE_SPACE, false), 32);
  EXPECT_EQ(VirtualKeyFromScancode(SDL_SCANCODE_TAB, false), 9);
  EXPECT_EQ(VirtualKeyFromScancode(SDL_SCANCODE_BACKSPACE, false), 8);
  EXPECT_EQ(VirtualKeyFromScancode(SDL_SCANCODE_UNKNOWN, false), 255);
  for (int scancode = 0; scancode < SDL_NUM_SCANCODES; ++scancode) {
    const int vk = VirtualKeyFromScancode(scancode, scancode % 2 == 0);
    EXPECT_TRUE(vk > 0 && vk < 256) << "scancode " << scancode << " gives " << vk;
  }
}

TEST(VirtualKey, KeypadFollowsNumLock) {
  EXPECT_EQ(VirtualKeyFromScancode(SDL_SCANCODE_KP_8, true), 104);
  EXPECT_EQ(VirtualKeyFromScancode(SDL_SCANCODE_KP_8, false), 38);
  EXPECT_EQ(VirtualKeyFromScancode(SDL_SCANCODE_KP_2, false), 40);
  EXPECT_EQ(VirtualKeyFromScancode(SDL_SCANCODE_KP_4, false), 37);
  EXPECT_EQ(VirtualKeyFromScancode(SDL_SCANCODE_KP_6, false), 39);
}

TEST(MessageText, CarriageReturnsBreakLinesOnce) {
  EXPECT_EQ(MessageTextToUtf8("a\rb"), "a\nb");
  EXPECT_EQ(MessageTextToUtf8("a\r\nb"), "a\nb");
  EXPECT_EQ(MessageTextToUtf8("a\r\r"), "a\n\n");
  EXPECT_EQ(MessageTextToUtf8(Utf8ToCp1251("Игра 800х600.\rВы")), "Игра 800х600.\nВы");
}

TEST(TickGate, OnlyOneTickWaitsAtATime) {
  TickGate gate;
  EXPECT_FALSE(gate.Offer().has_value());
  ASSERT_TRUE(gate.Start());
  const std::optional<std::uint32_t> first = gate.Offer();
  ASSERT_TRUE(first.has_value());
  EXPECT_FALSE(gate.Offer().has_value());
  EXPECT_FALSE(gate.Offer().has_value());
  EXPECT_TRUE(gate.Accept(*first));
  const std::optional<std::uint32_t> second = gate.Offer();
  ASSERT_TRUE(second.has_value());
  EXPECT_TRUE(gate.Accept(*second));
}

TEST(TickGate, StartingARunningTimerChangesNothing) {
  TickGate gate;
  ASSERT_TRUE(gate.Start());
  const std::optional<std::uint32_t> tick = gate.Offer();
  ASSERT_TRUE(tick.has_value());
  EXPECT_FALSE(gate.Start());
  EXPECT_FALSE(gate.Offer().has_value());
  EXPECT_TRUE(gate.Accept(*tick));
}

TEST(TickGate, ATickFromBeforeTheTimerStoppedIsDropped) {
  TickGate gate;
  ASSERT_TRUE(gate.Start());
  const std::optional<std::uint32_t> stale = gate.Offer();
  ASSERT_TRUE(stale.has_value());
  gate.Stop();
  EXPECT_FALSE(gate.Running());
  EXPECT_FALSE(gate.Accept(*stale));
  ASSERT_TRUE(gate.Start());
  const std::optional<std::uint32_t> fresh = gate.Offer();
  ASSERT_TRUE(fresh.has_value());
  EXPECT_FALSE(gate.Accept(*stale));
  EXPECT_TRUE(gate.Accept(*fresh));
}

TEST(FileFilter, DesignFiltersGiveTheRussianNameAndThePattern) {
  const std::vector<FileFilterEntry> entries =
      ParseFileFilter(Utf8ToCp1251("Файлы уровней Kolbrin|*.lvl"));
  ASSERT_EQ(entries.size(), 1u);
  EXPECT_EQ(entries[0].description, "Файлы уровней Kolbrin");
  EXPECT_EQ(entries[0].patterns, std::vector<std::string>{"*.lvl"});
}

TEST(FileFilter, SeveralEntriesAndPatterns) {
  const std::vector<FileFilterEntry> entries = ParseFileFilter("Saves|*.ksv;*.sav|All|*.*");
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(entries[0].patterns, (std::vector<std::string>{"*.ksv", "*.sav"}));
  EXPECT_EQ(entries[1].description, "All");
  EXPECT_EQ(entries[1].patterns, std::vector<std::string>{"*.*"});
  EXPECT_TRUE(ParseFileFilter("").empty());
}

TEST(FileFilter, PatternsIgnoreTheCaseOfLetters) {
  const std::string glob = CaseInsensitiveGlob("*.lvl");
  EXPECT_EQ(fnmatch(glob.c_str(), "Level.LVL", 0), 0);
  EXPECT_EQ(fnmatch(glob.c_str(), "a.lvl", 0), 0);
  EXPECT_EQ(fnmatch(glob.c_str(), "a.Lvl", 0), 0);
  EXPECT_NE(fnmatch(glob.c_str(), "a.lvx", 0), 0);
  EXPECT_NE(fnmatch(glob.c_str(), "a.ksv", 0), 0);
  const std::string inClass = CaseInsensitiveGlob("*.[kl]sv");
  EXPECT_EQ(fnmatch(inClass.c_str(), "x.KSV", 0), 0);
  EXPECT_NE(fnmatch(inClass.c_str(), "x.msv", 0), 0);
}

// Records what the event loop delivers; a close request ends the loop.
class Recorder : public WindowEvents {
 public:
  explicit Recorder(const Platform& platform) : platform_(platform) {}
  void OnKeyDown(int vk, bool shift) override {
    keys.emplace_back(vk, shift, platform_.IsKeyDown('2'));
  }
  void OnTimer() override { ++ticks; }
  void OnPaint() override { ++paints; }
  void OnClose() override { closed_ = true; }
  bool IsClosed() const override { return closed_; }

  std::vector<std::tuple<int, bool, bool>> keys;  // code, Shift, digit 2 held
  int ticks = 0;
  int paints = 0;

 private:
  const Platform& platform_;
  bool closed_ = false;
};

void PushKey(Uint32 type, SDL_Scancode scancode, Uint16 mod = KMOD_NONE) {
  SDL_Event event{};
  event.type = type;
  event.key.state = type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
  event.key.keysym.scancode = scancode;
  event.key.keysym.mod = mod;
  SDL_PushEvent(&event);
}

void PushFocusLost() {
  SDL_Event event{};
  event.type = SDL_WINDOWEVENT;
  event.window.event = SDL_WINDOWEVENT_FOCUS_LOST;
  SDL_PushEvent(&event);
}

void PushExposed() {
  SDL_Event event{};
  event.type = SDL_WINDOWEVENT;
  event.window.event = SDL_WINDOWEVENT_EXPOSED;
  SDL_PushEvent(&event);
}

void PushQuit() {
  SDL_Event event{};
  event.type = SDL_QUIT;
  SDL_PushEvent(&event);
}

class EventLoop : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { setenv("SDL_VIDEODRIVER", "offscreen", 1); }
};

TEST_F(EventLoop, KeysArriveAsVirtualKeysWithShiftAndHeldDigits) {
  SdlPlatform platform("test");
  Recorder recorder(platform);
  SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
  PushKey(SDL_KEYDOWN, SDL_SCANCODE_KP_ENTER, KMOD_NUM);
  PushKey(SDL_KEYDOWN, SDL_SCANCODE_2);
  PushKey(SDL_KEYDOWN, SDL_SCANCODE_DOWN, KMOD_LSHIFT);
  PushKey(SDL_KEYUP, SDL_SCANCODE_2);
  PushKey(SDL_KEYDOWN, SDL_SCANCODE_UP);
  PushKey(SDL_KEYDOWN, SDL_SCANCODE_2);
  PushFocusLost();
  PushKey(SDL_KEYDOWN, SDL_SCANCODE_LEFT);
  PushQuit();
  EXPECT_EQ(platform.Run(recorder), 0);
  EXPECT_TRUE(recorder.IsClosed());
  const std::vector<std::tuple<int, bool, bool>> expected{
      {13, false, false}, {'2', false, true}, {40, true, true},
      {38, false, false}, {'2', false, true}, {37, false, false}};
  EXPECT_EQ(recorder.keys, expected);
}

TEST_F(EventLoop, QuitLoopEndsTheLoopAfterTheHandler) {
  SdlPlatform platform("test");
  class Quitter : public Recorder {
   public:
    Quitter(SdlPlatform& platform) : Recorder(platform), platform_(platform) {}
    void OnKeyDown(int vk, bool shift) override {
      Recorder::OnKeyDown(vk, shift);
      platform_.QuitLoop();
    }

   private:
    SdlPlatform& platform_;
  } quitter(platform);
  SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
  PushKey(SDL_KEYDOWN, SDL_SCANCODE_ESCAPE);
  PushKey(SDL_KEYDOWN, SDL_SCANCODE_RETURN);
  EXPECT_EQ(platform.Run(quitter), 0);
  ASSERT_EQ(quitter.keys.size(), 1u);
  EXPECT_EQ(std::get<0>(quitter.keys[0]), 27);
}

// The guard around opening the window: silent when the window comes, a warning when it is late,
// giving up when it never comes. Only the order of events matters, never how fast the machine is.
TEST(WindowWatchdog, WarnsWhenLateAndGivesUpWhenTheWindowNeverComes) {
  using std::chrono::hours;
  using std::chrono::milliseconds;
  std::vector<std::string> said;
  {
    const WindowWatchdog quick(hours(1), hours(2), [&](const std::string& t) { said.push_back(t); },
                               [] { FAIL() << "gave up on a window that came"; });
  }
  EXPECT_TRUE(said.empty());

  std::promise<void> warned;
  {
    WindowWatchdog late(milliseconds(0), hours(1),
                        [&](const std::string& t) {
                          said.push_back(t);
                          if (said.size() == 1) warned.set_value();
                        },
                        [] { FAIL() << "gave up on a window that came"; });
    warned.get_future().wait();
    late.Done();
  }
  ASSERT_EQ(said.size(), 2u);
  EXPECT_EQ(said[0], WindowLateWarning(milliseconds(0)));
  EXPECT_EQ(said[1], "Quillmere: the game's window has appeared.\n");

  said.clear();
  std::promise<void> gaveUp;
  WindowWatchdog never(milliseconds(0), milliseconds(1),
                       [&](const std::string& t) { said.push_back(t); },
                       [&] { gaveUp.set_value(); });
  gaveUp.get_future().wait();
  ASSERT_EQ(said.size(), 2u);
  EXPECT_EQ(said[1], WindowGiveUpMessage(milliseconds(1)));
}

// The window keeps its whole last frame: uncovered (after a dialog, say), it shows that frame
// again instead of having the game paint afresh, which would draw no board behind the shop.
TEST_F(EventLoop, AnUncoveredWindowShowsItsLastFrameAgain) {
  SdlPlatform platform("test");
  Recorder recorder(platform);
  SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
  PushExposed();
  // The loop shows a frame again only once no other event waits: the end comes later.
  const SDL_TimerID quit = SDL_AddTimer(
      300, [](Uint32, void*) -> Uint32 { PushQuit(); return 0; }, nullptr);
  EXPECT_EQ(platform.Run(recorder), 0);
  SDL_RemoveTimer(quit);
  EXPECT_EQ(recorder.paints, 0);
}

}  // namespace
