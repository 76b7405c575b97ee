// Drawing only the cells that changed shows the same pixels as drawing everything in view: two
// windows play the same random game, one each way, and their screens are compared after every
// event. Each window also keeps what a real window would show when given only the areas that
// changed, which must be its whole screen.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <memory>
#include <random>
#include <sstream>
#include <string>

#include "app/tform1.h"
#include "platform/scripted/scripted_platform.h"
#include "test_files.h"

namespace {

// A level larger than the screen, so that the board scrolls, with everything that moves.
std::string BusyLevel(std::mt19937& rng) {
  constexpr int kW = 60;
  constexpr int kH = 45;
  constexpr int kCodes[] = {1, 3, 3, 3, 4, 5, 5, 5, 5, 6, 8, 9, 10, 11, 12, 13, 50};
  std::string level = std::to_string(kW) + "\r\n" + std::to_string(kH) + "\r\n30\r\n20\r\n3\r\n";
  std::uniform_int_distribution<std::size_t> pick(0, std::size(kCodes) - 1);
  for (int y = 0; y < kH; ++y) {
    for (int x = 0; x < kW; ++x) {
      level += std::to_string(x == 30 && y == 20 ? 5 : kCodes[pick(rng)]);
      level += x + 1 < kW ? " " : "\r\n";
    }
  }
  return level;
}

// The largest board, still (no timer after the first tick), with a pattern to tell cells apart.
std::string StillLevel() {
  constexpr int kSize = 101;
  constexpr int kCodes[] = {3, 3, 5, 50, 3, 5, 5};
  std::string level = "101\r\n101\r\n50\r\n50\r\n3\r\n";
  for (int y = 0; y < kSize; ++y) {
    for (int x = 0; x < kSize; ++x) {
      level += std::to_string(x == 50 && y == 50 ? 5 : kCodes[(x * 3 + y * 5) % std::size(kCodes)]);
      level += x + 1 < kSize ? " " : "\r\n";
    }
  }
  return level;
}

struct Window {
  std::string folder;
  std::ostringstream shown;
  ScriptedPlatform platform{1024, 768, shown};
  ForcedRandom random;
  std::unique_ptr<TForm1> form;

  Window(const std::string& name, const std::string& level, bool wholeView)
      : folder(TempDir() + "/" + name + "/") {
    std::filesystem::create_directories(folder);
    WriteTempFile(name + "/Level1.cam", level);
    WriteTempFile(name + "/Level2.cam", level);
    form = std::make_unique<TForm1>(
        platform, random, FormOptions{folder, std::string(QUILLMERE_SOURCE_DIR) + "/assets/",
                              folder + "snapshot.tmp", wholeView});
    platform.KeepShownPicture();
    Enter();
    form->LoadPictures(DecodeGamePictures(std::string(QUILLMERE_SOURCE_DIR) + "/assets/", true));
    form->FormCreate();
  }
  void Enter() const { EXPECT_EQ(::chdir(folder.c_str()), 0); }
};

void ExpectSameScreens(const Window& changed, const Window& whole, int step) {
  ASSERT_TRUE(changed.form->Window().Screen().pixels == whole.form->Window().Screen().pixels)
      << "screens differ after event " << step;
  for (const Window* w : {&changed, &whole}) {
    ASSERT_TRUE(w->platform.ShownPicture().pixels == w->form->Window().Screen().pixels)
        << "the changed areas missed a change by event " << step;
  }
}

TEST(BoardDrawing, OnlyWhatChangedShowsTheSamePixelsAsEverythingInView) {
  std::mt19937 rng(20240613);
  const std::string level = BusyLevel(rng);
  Window changed("changed", level, false);
  Window whole("whole", level, true);
  constexpr int kArrows[] = {37, 38, 39, 40};
  std::uniform_int_distribution<int> event(0, 99);
  std::uniform_int_distribution<std::size_t> arrow(0, std::size(kArrows) - 1);
  for (int step = 0; step < 300 && !changed.form->IsClosed(); ++step) {
    // Mostly play: ticks and arrows, now and then Escape, Enter in the menu or a repaint.
    const int e = event(rng);
    const bool inMenu = changed.form->State().screens.ScreenState == Screen::Menu;
    const int k = inMenu && e % 2 == 0 ? 13 : e == 97 ? 27 : kArrows[arrow(rng)];
    const bool shift = event(rng) < 20;
    for (Window* w : {&changed, &whole}) {
      w->Enter();
      if (e < 55) {
        w->form->OnTimer();
      } else if (e < 98) {
        w->form->OnKeyDown(k, shift);
      } else {
        w->form->OnPaint();
      }
    }
    ASSERT_EQ(changed.form->IsClosed(), whole.form->IsClosed());
    ExpectSameScreens(changed, whole, step);
  }
  EXPECT_EQ(changed.shown.str(), whole.shown.str());
}

// The board picture holds only the cells around the view: a walk to every edge of the
// largest board moves it many times, and cells never drawn must stay as black as before.
TEST(BoardDrawing, AWalkAcrossTheLargestBoardShowsTheSamePixelsAsEverythingInView) {
  const std::string level = StillLevel();
  Window changed("walk-changed", level, false);
  Window whole("walk-whole", level, true);
  struct Leg {
    int vk;
    int steps;
  };
  constexpr Leg kLegs[] = {{13, 1}, {39, 52}, {40, 52}, {37, 101}, {38, 101}, {39, 60}};
  int step = 0;
  for (const Leg& leg : kLegs) {
    for (int i = 0; i < leg.steps; ++i, ++step) {
      for (Window* w : {&changed, &whole}) {
        w->Enter();
        w->form->OnKeyDown(leg.vk, false);
        if (step % 7 == 3) w->form->OnTimer();
      }
      ExpectSameScreens(changed, whole, step);
    }
  }
  EXPECT_NE(changed.form->State().world.PlayerX, 50) << "the player walked";
}

}  // namespace
