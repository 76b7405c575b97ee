#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "game/cp1251.h"
#include "view/board_view.h"
#include "view/letters.h"
#include "view/placement.h"
#include "view/text_box.h"
#include "view/window_model.h"

namespace {

TEST(Placement, FollowsThePlayerAndHoldsTheEdges) {
  // 800 x 600: centre 396 x 288.
  EXPECT_EQ(ViewCenter(800), 396);
  EXPECT_EQ(ViewCenter(600), 288);
  EXPECT_EQ(ViewCenter(1024), 504);
  EXPECT_EQ(ViewCenter(768), 360);
  for (int x = 0; x < 20; ++x) EXPECT_EQ(PlaceAxis(396, x, 20, 800), 0) << "narrow board";
  EXPECT_EQ(PlaceAxis(396, 5, 40, 800), 0);
  EXPECT_EQ(PlaceAxis(396, 20, 40, 800), -324);
  EXPECT_EQ(PlaceAxis(396, 35, 40, 800), -640);
  EXPECT_EQ(PlaceAxis(288, 10, 30, 600), -72);
  for (int y = 0; y < 10; ++y) EXPECT_EQ(PlaceAxis(288, y, 10, 600), 0);
  // A board exactly one screen wide never moves.
  for (int x = 0; x < 25; ++x) EXPECT_EQ(PlaceAxis(396, x, 25, 900), 0);
}

TEST(Placement, OneStepMovesTheOriginByAtMostOneCell) {
  for (int x = 1; x < 101; ++x) {
    const int d = PlaceAxis(396, x - 1, 101, 800) - PlaceAxis(396, x, 101, 800);
    EXPECT_GE(d, 0);
    EXPECT_LE(d, 36);
  }
}

Surface Solid(int w, int h, std::uint32_t c) { return Surface(w, h, c); }

TEST(WindowModel, ElementsCarryTheirDesignNamesInStackingOrder) {
  EXPECT_EQ(ElementName(Element::ImCt1), "ImCt1");
  EXPECT_EQ(ElementName(Element{}), "ImMenuShop");
  EXPECT_EQ(ElementName(static_cast<Element>(kElementCount - 1)), "ImTempLetter");
  EXPECT_EQ(TileElement(13), Element::Im13);
  EXPECT_EQ(TileElement(14), std::nullopt);
}

TEST(WindowModel, RepaintDrawsBlackThenPaintHandlerThenElementsInOrder) {
  WindowModel w(40, 20);
  PictureElement low{Solid(10, 10, Rgb(255, 0, 0)), 0, 0, 10, 10, false};
  PictureElement high{Solid(10, 10, Rgb(0, 255, 0)), 5, 0, 10, 10, false};
  high.Picture.Set(0, 9, kWhite);  // bottom-left pixel: the see-through colour
  high.Picture.Set(1, 1, kWhite);
  high.Transparent = true;
  w.SetElement(Element::ImMenuShop, low);
  w.SetElement(Element::ImSelectSP, high);
  w.Screen().Fill(Rgb(9, 9, 9));
  w.Show(Element::ImSelectSP);
  w.Show(Element::ImMenuShop);
  int painted = 0;
  w.FlushPaint([&](const Rect& clip) {
    ++painted;
    w.Screen().Fill(clip, Rgb(0, 0, 255));
  });
  EXPECT_GT(painted, 0);
  EXPECT_EQ(w.Screen().At(2, 2), Rgb(255, 0, 0));
  EXPECT_EQ(w.Screen().At(7, 2), Rgb(0, 255, 0)) << "the higher element covers the lower";
  EXPECT_EQ(w.Screen().At(6, 1), Rgb(255, 0, 0)) << "white is see-through";
  EXPECT_EQ(w.Screen().At(12, 2), Rgb(0, 255, 0));
  EXPECT_EQ(w.Screen().At(30, 2), Rgb(9, 9, 9)) << "outside the repainted rectangles";
}

TEST(WindowModel, ShowingAVisibleElementRepaintsNothingButHideShowDoes) {
  WindowModel w(20, 20);
  w.SetElement(Element::ImScore, PictureElement{Solid(5, 5, Rgb(1, 2, 3)), 0, 0, 5, 5, true});
  w.Show(Element::ImScore);
  int painted = 0;
  w.FlushPaint([&](const Rect&) { ++painted; });
  EXPECT_EQ(painted, 0);
  w.Screen().Fill(Rgb(7, 7, 7));
  w.Hide(Element::ImScore);
  w.Show(Element::ImScore);
  w.FlushPaint([&](const Rect&) { ++painted; });
  EXPECT_GT(painted, 0);
  EXPECT_EQ(w.Screen().At(1, 1), Rgb(1, 2, 3));
}

TEST(WindowModel, StretchedElementsFillTheirBounds) {
  WindowModel w(40, 30);
  Surface p(4, 3, Rgb(0, 0, 200));
  p.Set(3, 0, Rgb(200, 0, 0));
  w.SetElement(Element::ImMenu, PictureElement{p, 0, 0, 40, 30, false, true});
  w.Show(Element::ImMenu);
  w.FlushPaint(nullptr);
  EXPECT_EQ(w.Screen().At(39, 0), Rgb(200, 0, 0));
  EXPECT_EQ(w.Screen().At(0, 29), Rgb(0, 0, 200));
}

TEST(Letters, StatusTextHasNoBlanks) {
  EXPECT_EQ(Cp1251ToUtf8(RubyStatusText(3, 16)), "Рубинов собрано:3/16");
  EXPECT_EQ(Cp1251ToUtf8(RubyStatusText(0, 25)), "Рубинов собрано:0/25");
}

// The right-most column of the status box that its text inks, drawn in a box `width` wide.
int LastInkedColumn(const std::string& utf8, int width) {
  TextBoxRenderer font(std::string(QUILLMERE_SOURCE_DIR) + "/assets/" + kStatusFontFile,
                       kStatusFontPixels);
  EXPECT_TRUE(font.Ok());
  Surface target(width, kStatusBoxHeight, kWhite);
  font.Draw(target, Rect{0, 0, width, kStatusBoxHeight}, Utf8ToCp1251(utf8));
  Surface empty(width, kStatusBoxHeight, kWhite);
  font.Draw(empty, Rect{0, 0, width, kStatusBoxHeight}, "");
  int last = -1;
  for (int y = 0; y < kStatusBoxHeight; ++y) {
    for (int x = 0; x < width; ++x) {
      if (target.At(x, y) != empty.At(x, y)) last = std::max(last, x);
    }
  }
  return last;
}

TEST(Letters, TheLongestStatusFitsTheStatusBox) {
  const std::string longest = "Рубинов собрано:999/999";
  const int unbounded = LastInkedColumn(longest, 4 * kStatusBoxWidth);
  EXPECT_LT(unbounded, kStatusBoxWidth - 2) << "the text reaches past the box's border";
  EXPECT_EQ(LastInkedColumn(longest, kStatusBoxWidth), unbounded) << "the box cuts the text";
}

TEST(Letters, MoneyShowsFourDigitsClampedToTheCounter) {
  EXPECT_EQ(MoneyDigits(0), "0000");
  EXPECT_EQ(MoneyDigits(26), "0026");
  EXPECT_EQ(MoneyDigits(9999), "9999");
  EXPECT_EQ(MoneyDigits(10000), "9999");
  EXPECT_EQ(MoneyDigits(-5), "0000");
  EXPECT_EQ(MoneyDigits(INT32_MIN), "0000");
}

// A letter strip whose every cell carries its own code as colour.
Surface CodedStrip() {
  Surface strip(4300, 31, kWhite);
  for (int c = 33; c <= 255; ++c) strip.Fill(Rect{19 * (c - 33) + 1, 0, 17, 31}, static_cast<std::uint32_t>(c));
  return strip;
}

TEST(Letters, TableLineLaysNameLeftAndScoreRight) {
  const Surface strip = CodedStrip();
  Surface line(800, 35);
  Surface score(800, 600, Rgb(153, 102, 0));
  DrawTableLine("Player | 120", 1, line, strip, score, 800);
  EXPECT_EQ(line.At(17, 0), 'P');
  EXPECT_EQ(line.At(33, 30), 'P');
  EXPECT_EQ(line.At(102, 0), 'r');
  EXPECT_EQ(line.At(118, 0), 'r');
  EXPECT_EQ(line.At(119, 5), kWhite) << "the blank after the name";
  EXPECT_EQ(line.At(135, 5), kWhite);
  EXPECT_EQ(line.At(649, 0), '1');
  EXPECT_EQ(line.At(683, 0), '0');
  EXPECT_EQ(line.At(699, 0), '0');
  EXPECT_EQ(line.At(700, 0), kWhite);
  EXPECT_EQ(line.At(10, 0), kWhite) << "the first cell stays white";
  // On the score picture the line lies at y 135, shifted right by 50; white lets it through.
  EXPECT_EQ(score.At(67, 135), 'P');
  EXPECT_EQ(score.At(749, 165), '0');
  EXPECT_EQ(score.At(750, 135), Rgb(153, 102, 0));
  EXPECT_EQ(score.At(67, 166), Rgb(153, 102, 0)) << "rows 31..34 are white";
}

// The line lies at x 50 of the 800-pixel score picture whatever the screen: the score ends at
// min(screen width, 800) - 101 of the line, and a name too long for the space left of it stops
// before it.
TEST(Letters, TableLineKeepsTheScoreOnTheScorePicture) {
  const Surface strip = CodedStrip();
  for (const int width : {640, 800, 1024, 1920}) {
    const int end = std::min(width, 800) - 101;
    Surface line(width, 35);
    Surface score(800, 600, Rgb(153, 102, 0));
    DrawTableLine("Player | 120", 1, line, strip, score, width);
    EXPECT_EQ(line.At(end - 50, 0), '1') << width;
    EXPECT_EQ(line.At(end, 0), '0') << width;
    EXPECT_EQ(line.At(end + 1, 0), kWhite) << width;
    EXPECT_EQ(score.At(50 + end, 135), '0') << width;

    DrawTableLine(std::string(60, 'W') + " | 120", 2, line, strip, score, width);
    const int scoreStart = end + 1 - 4 * 17;  // " 120"
    int lastName = 0;
    for (int x = 0; x < width; ++x) {
      if (line.At(x, 0) == 'W') lastName = x;
    }
    EXPECT_LT(lastName, scoreStart) << width << ": the name runs into the score";
    EXPECT_GE(lastName, scoreStart - 17) << width << ": the name is cut too early";
    EXPECT_EQ(line.At(end, 0), '0') << width;
  }
}

TEST(Letters, GlyphCellsFollowTheCodePage) {
  const Surface strip = CodedStrip();
  Surface target(40, 31, kWhite);
  DrawGlyph(target, 0, 223, strip);  // Я
  EXPECT_EQ(target.At(0, 0), 223u);
  DrawGlyph(target, 20, ' ', strip);
  EXPECT_EQ(target.At(25, 5), kWhite) << "a space has no cell";
  Surface line(800, 35);
  Surface score(800, 600, kBlack);
  DrawTableLine("| 5", 2, line, strip, score, 800);
  for (int x = 0; x < 600; ++x) EXPECT_EQ(line.At(x, 3), kWhite) << "an empty name draws nothing";
}

TEST(Letters, MoneyCounterFillsTheFourPlaces) {
  WindowModel w(300, 100);
  for (int n = 1; n <= 4; ++n) {
    PictureElement place{Surface(26, 39, kWhite), 26 * n, 0, 26, 39, true};
    place.Transparent = place.AutoSize = true;
    w.SetElement(kMoneyPlaces[static_cast<std::size_t>(n - 1)], place);
  }
  w.SetElement(Element::ImCTClear, PictureElement{Surface(), 0, 0, 26, 39});
  Surface digits(260, 39, kWhite);
  for (int d = 0; d < 10; ++d) digits.Fill(Rect{26 * d + 5, 5, 10, 20}, static_cast<std::uint32_t>(d + 1));
  DrawMoneyCounter(w, digits, 26);
  const char expect[] = "0026";
  for (int n = 1; n <= 4; ++n) {
    const PictureElement& e = w.Get(kMoneyPlaces[static_cast<std::size_t>(n - 1)]);
    ASSERT_EQ(e.Width, 26);
    ASSERT_EQ(e.Height, 39);
    EXPECT_EQ(e.Picture.At(6, 6), static_cast<std::uint32_t>(expect[n - 1] - '0' + 1));
    EXPECT_EQ(e.Picture.At(0, 38), kWhite);
  }
}

TEST(BoardView, DrawsCellsWithThePictureOfTheCodeBelowOneHundred) {
  GameState s;
  s.view.ScreenWidth = 800;
  s.view.ScreenHeight = 600;
  s.world.BoardWidth = 3;
  s.world.BoardHeight = 1;
  WindowModel w(800, 600);
  for (int code = 0; code < 14; ++code) {
    w.SetElement(*TileElement(code), PictureElement{Surface(36, 36, static_cast<std::uint32_t>(code + 1)), 0, 0, 36, 36});
  }
  BoardView view(s, w);
  view.BindPictures(Surface(36, 36, 0xABCDEF));
  view.ResizeToBoard();
  s.world.Board(0, 0) = 104;
  s.world.Board(1, 0) = 112;
  s.world.Board(2, 0) = 50;
  view.RedrawVisibleCells();
  EXPECT_EQ(view.BoardBitmap.At(10, 10), 5u);
  EXPECT_EQ(view.BoardBitmap.At(36 + 35, 35), 13u);
  EXPECT_EQ(view.BoardBitmap.At(80, 3), 0xABCDEFu);
  view.DrawCell(5, 5, 1);  // outside the picture: ignored
  view.PlaceBoard();
  view.PresentBoard();
  EXPECT_EQ(w.Screen().At(40, 1), 13u);
  EXPECT_EQ(w.Screen().At(200, 1), kBlack);
}

}  // namespace
