// The committed picture catalogue (assets/, painted by tools/art): sizes, see-through colours,
// and the painted positions the game's code relies on.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <future>
#include <stdexcept>
#include <string>
#include <vector>

#include "game/shop_prices.h"
#include "tools/art/price_box.h"
#include "platform/picture_codec.h"
#include "test_files.h"
#include "view/bmp_file.h"
#include "view/catalogue.h"
#include "view/surface.h"

namespace {

const std::string kAssets = std::string(QUILLMERE_SOURCE_DIR) + "/assets/";

Surface Bmp(const std::string& name) { return LoadBmp(kAssets + name); }
Surface Jpg(const std::string& name) { return LoadJpeg(kAssets + name); }

int R(std::uint32_t c) { return static_cast<int>((c >> 16) & 255); }
int G(std::uint32_t c) { return static_cast<int>((c >> 8) & 255); }
int B(std::uint32_t c) { return static_cast<int>(c & 255); }

bool IsRedDominated(std::uint32_t c) { return R(c) > 150 && R(c) > G(c) + 60 && R(c) > B(c) + 20; }
bool IsBlueDominated(std::uint32_t c) { return B(c) > R(c) + 40 && B(c) > G(c) + 10; }
bool IsGolden(std::uint32_t c) { return R(c) > 200 && G(c) > 140 && B(c) < 110 && R(c) - B(c) > 130; }

std::uint32_t BottomLeft(const Surface& s) { return s.At(0, s.height - 1); }

// ------------------------------------------------------------------ sizes and keys

struct Expected {
  const char* name;
  int width, height;
};

TEST(Catalogue, EveryPictureHasItsSize) {
  const std::vector<Expected> bmps{
      {"ImSelect.bmp", 162, 41},   {"ImSelectIt.bmp", 40, 40}, {"ImSelectCt.bmp", 40, 40},
      {"ImSelectSP.bmp", 80, 40},  {"ImCt.bmp", 26, 39},       {"ImScore.bmp", 800, 600},
      {"ImLetters.bmp", 4300, 31}, {"ImageList2.bmp", 260, 39}, {"Unknown.bmp", 36, 36},
  };
  for (const Expected& e : bmps) {
    const Surface s = Bmp(e.name);
    EXPECT_EQ(s.width, e.width) << e.name;
    EXPECT_EQ(s.height, e.height) << e.name;
  }
  for (int code = 0; code <= 13; ++code) {
    const Surface s = Bmp("Im" + std::to_string(code) + ".bmp");
    EXPECT_EQ(s.width, 36) << code;
    EXPECT_EQ(s.height, 36) << code;
  }
  const std::vector<Expected> jpgs{{"ImMenu.jpg", 800, 600},   {"ImMenuShop.jpg", 220, 320},
                                   {"ImShot1.jpg", 280, 210},  {"ImShot2.jpg", 280, 210},
                                   {"ImShot3.jpg", 280, 210}};
  for (const Expected& e : jpgs) {
    const Surface s = Jpg(e.name);
    EXPECT_EQ(s.width, e.width) << e.name;
    EXPECT_EQ(s.height, e.height) << e.name;
  }
}

TEST(Catalogue, TransparentPicturesHaveAWhiteBottomLeftPixel) {
  for (const char* name : {"ImSelect.bmp", "ImSelectIt.bmp", "ImSelectCt.bmp", "ImSelectSP.bmp", "ImCt.bmp",
                           "ImLetters.bmp", "ImageList2.bmp"}) {
    EXPECT_EQ(BottomLeft(Bmp(name)), kWhite) << name;
  }
  const Surface digits = Bmp("ImageList2.bmp");
  for (int i = 0; i < 10; ++i) EXPECT_EQ(digits.At(26 * i, 38), kWhite) << "digit " << i;
}

// ------------------------------------------------------------------ cells

TEST(Catalogue, ClosedExitLooksExactlyLikeAWall) {
  const Surface exit = Bmp("Im6.bmp");
  const Surface wall = Bmp("Im13.bmp");
  EXPECT_EQ(exit.pixels, wall.pixels);
}

TEST(Catalogue, OuterWallIs32LighterPerChannel) {
  const Surface outer = Bmp("Im0.bmp");
  const Surface dark = Bmp("Im13.bmp");
  for (int y = 0; y < 36; ++y)
    for (int x = 0; x < 36; ++x) {
      const std::uint32_t a = outer.At(x, y), b = dark.At(x, y);
      ASSERT_EQ(R(a) - 32, R(b)) << x << "," << y;
      ASSERT_EQ(G(a) - 32, G(b)) << x << "," << y;
      ASSERT_EQ(B(a) - 32, B(b)) << x << "," << y;
    }
}

TEST(Catalogue, CellsAreWhatTheyShow) {
  const Surface empty = Bmp("Im5.bmp");
  for (const std::uint32_t c : empty.pixels) ASSERT_EQ(c, kBlack);
  // Earth: a dither of exactly two colours, brown and black.
  std::vector<std::uint32_t> earth = Bmp("Im3.bmp").pixels;
  std::sort(earth.begin(), earth.end());
  earth.erase(std::unique(earth.begin(), earth.end()), earth.end());
  ASSERT_EQ(earth.size(), 2u);
  EXPECT_EQ(earth[0], kBlack);
  EXPECT_GT(R(earth[1]), G(earth[1]));
  EXPECT_GT(G(earth[1]), B(earth[1]));
  // Slime: exactly three colours, black, dark green, bright green.
  std::vector<std::uint32_t> slime = Bmp("Im12.bmp").pixels;
  std::sort(slime.begin(), slime.end());
  slime.erase(std::unique(slime.begin(), slime.end()), slime.end());
  ASSERT_EQ(slime.size(), 3u);
  EXPECT_EQ(slime[0], kBlack);
  for (std::size_t i = 1; i < 3; ++i) {
    EXPECT_GT(G(slime[i]), R(slime[i]) + 40);
    EXPECT_GT(G(slime[i]), B(slime[i]) + 40);
  }
  EXPECT_GT(G(slime[2]), G(slime[1]) + 60);
  // The four creatures: one shape, four colours that differ clearly.
  std::array<std::array<long, 3>, 4> sums{};
  for (int k = 0; k < 4; ++k) {
    const Surface s = Bmp("Im" + std::to_string(8 + k) + ".bmp");
    for (const std::uint32_t c : s.pixels) {
      sums[k][0] += R(c);
      sums[k][1] += G(c);
      sums[k][2] += B(c);
    }
  }
  for (int a = 0; a < 4; ++a)
    for (int b = a + 1; b < 4; ++b) {
      const long d = std::labs(sums[a][0] - sums[b][0]) + std::labs(sums[a][1] - sums[b][1]) +
                     std::labs(sums[a][2] - sums[b][2]);
      EXPECT_GT(d / (36 * 36), 40) << "creatures " << 8 + a << " and " << 8 + b;
    }
}

TEST(Catalogue, UnknownCodesHaveAWarningPictureUnlikeAnyTile) {
  const Surface unknown = Bmp("Unknown.bmp");
  int magenta = 0;
  for (const std::uint32_t c : unknown.pixels) magenta += c == Rgb(255, 0, 255);
  EXPECT_GT(magenta, 200);
  for (int code = 0; code <= 13; ++code) {
    const Surface tile = Bmp("Im" + std::to_string(code) + ".bmp");
    int differ = 0;
    for (std::size_t i = 0; i < tile.pixels.size(); ++i) differ += tile.pixels[i] != unknown.pixels[i];
    EXPECT_GT(differ, 400) << code;
    int tileMagenta = 0;
    for (const std::uint32_t c : tile.pixels) tileMagenta += c == Rgb(255, 0, 255);
    EXPECT_EQ(tileMagenta, 0) << code;
  }
}

// ------------------------------------------------------------------ letters and digits

bool BlankCell(int c) {
  return c == 127 || c == 129 || c == 141 || c == 143 || c == 144 || c == 157 || c == 160 || c == 175;
}

TEST(Catalogue, LetterStripCells) {
  const Surface strip = Bmp("ImLetters.bmp");
  auto inkInColumns = [&](int x0, int x1) {
    int ink = 0;
    for (int y = 0; y < strip.height; ++y)
      for (int x = x0; x <= x1; ++x) ink += strip.At(x, y) != kWhite;
    return ink;
  };
  EXPECT_EQ(inkInColumns(0, 0), 0);
  EXPECT_EQ(inkInColumns(4237, 4299), 0);
  for (int c = 33; c <= 255; ++c) {
    const int left = 19 * (c - 33) + 1;
    EXPECT_EQ(inkInColumns(left + 17, left + 18), 0) << "gap after code " << c;
    if (BlankCell(c)) {
      EXPECT_EQ(inkInColumns(left, left + 16), 0) << "code " << c;
    } else {
      EXPECT_GE(inkInColumns(left, left + 16), 6) << "code " << c;
    }
  }
  // A few landmarks of the strip: "!" at column 1, "А" at 3022, "Я" at 3611, "я" at 4219.
  EXPECT_GT(inkInColumns(1, 17), 0);
  EXPECT_GT(inkInColumns(3022, 3038), 0);
  EXPECT_GT(inkInColumns(3611, 3627), 0);
  EXPECT_GT(inkInColumns(4219, 4235), 0);
}

TEST(Catalogue, LettersAreOrangeAndGold) {
  const Surface strip = Bmp("ImLetters.bmp");
  int warm = 0, ink = 0;
  for (const std::uint32_t c : strip.pixels) {
    if (c == kWhite) continue;
    ++ink;
    warm += R(c) > 200 && G(c) > 90 && B(c) < 140;
  }
  EXPECT_GT(warm, ink / 3);
}

TEST(Catalogue, DigitImages) {
  const Surface digits = Bmp("ImageList2.bmp");
  std::array<std::vector<bool>, 10> masks;
  for (int i = 0; i < 10; ++i) {
    int ink = 0, orange = 0;
    for (int y = 0; y < 39; ++y)
      for (int x = 0; x < 26; ++x) {
        const std::uint32_t c = digits.At(26 * i + x, y);
        masks[i].push_back(c != kWhite);
        ink += c != kWhite;
        orange += R(c) > 200 && G(c) > 60 && G(c) < 230 && B(c) < 90;
      }
    EXPECT_GT(ink, 120) << "digit " << i;
    EXPECT_GT(orange, 60) << "digit " << i;
  }
  for (int a = 0; a < 10; ++a)
    for (int b = a + 1; b < 10; ++b) {
      int differ = 0;
      for (std::size_t k = 0; k < masks[a].size(); ++k) differ += masks[a][k] != masks[b][k];
      EXPECT_GT(differ, 20) << "digits " << a << " and " << b;
    }
  // The design picture of the money places is the orange "0".
  const Surface zero = Bmp("ImCt.bmp");
  for (int y = 0; y < 39; ++y)
    for (int x = 0; x < 26; ++x) ASSERT_EQ(zero.At(x, y), digits.At(x, y));
}

// ------------------------------------------------------------------ menu

constexpr std::array<int, 6> kPillTops{194, 235, 278, 322, 368, 429};
constexpr std::array<int, 6> kFrameTops{189, 229, 272, 317, 361, 424};

// Inside the pill x 525 … 675 (151 wide), 30 rows from `top`, with round ends (radius 15),
// grown by `grow` pixels.
bool InPill(int x, int y, int top, float grow) {
  const float px = x + 0.5f, py = y + 0.5f;
  const float cy = top + 15.f;
  const float cx = std::clamp(px, 525.f + 15.f, 676.f - 15.f);
  return std::hypot(px - cx, py - cy) < 15.f + grow;
}

TEST(Catalogue, MenuPillsAreBlueWithRedWords) {
  const Surface menu = Jpg("ImMenu.jpg");
  for (const int top : kPillTops) {
    // Blue at both ends of the pill's middle row, red letters in the middle.
    const int mid = top + 15;
    EXPECT_TRUE(IsBlueDominated(menu.At(533, mid))) << top;
    EXPECT_TRUE(IsBlueDominated(menu.At(667, mid))) << top;
    int blue = 0, red = 0, all = 0;
    for (int y = top; y < top + 30; ++y)
      for (int x = 525; x <= 675; ++x) {
        if (!InPill(x, y, top, -1.f)) continue;
        ++all;
        blue += IsBlueDominated(menu.At(x, y));
        red += IsRedDominated(menu.At(x, y));
      }
    EXPECT_GT(blue, all / 2) << top;
    EXPECT_GT(red, 40) << top;
    // Nothing blue just outside the pill's rows (between the pills lies the panel).
    for (int x = 540; x <= 660; x += 10) {
      EXPECT_FALSE(IsBlueDominated(menu.At(x, top - 3)) && B(menu.At(x, top - 3)) > 150) << top;
    }
  }
}

TEST(Catalogue, SelectionFrameSurroundsEachPillWithoutTouchingIt) {
  const Surface frame = Bmp("ImSelect.bmp");
  for (std::size_t i = 0; i < kPillTops.size(); ++i) {
    const int fx = 521, fy = kFrameTops[i];
    int left = 0, right = 0, above = 0, below = 0;
    for (int y = 0; y < frame.height; ++y)
      for (int x = 0; x < frame.width; ++x) {
        const std::uint32_t c = frame.At(x, y);
        if (c == kWhite) continue;
        const int X = fx + x, Y = fy + y;
        // A painted frame pixel never lies on the pill or right beside it.
        ASSERT_FALSE(InPill(X, Y, kPillTops[i], 0.9f)) << "entry " << i + 1 << " at " << X << "," << Y;
        if (X < 525) ++left;
        if (X > 675) ++right;
        if (Y < kPillTops[i]) ++above;
        if (Y >= kPillTops[i] + 30) ++below;
      }
    EXPECT_GT(left, 20) << i;
    EXPECT_GT(right, 20) << i;
    EXPECT_GT(above, 150) << i;
    EXPECT_GT(below, 150) << i;
  }
  // The frame is red at its left end, pink towards its right end, white (see-through) inside.
  EXPECT_TRUE(IsRedDominated(frame.At(1, 20)));
  const std::uint32_t pink = frame.At(160, 20);
  EXPECT_GT(R(pink), 230);
  EXPECT_GT(B(pink), 110);
  EXPECT_EQ(frame.At(81, 20), kWhite);
}

TEST(Catalogue, MenuTitleLiesInItsBox) {
  const Surface menu = Jpg("ImMenu.jpg");
  int inside = 0, outside = 0;
  for (int y = 0; y < 170; ++y)
    for (int x = 200; x < 800; ++x) {
      if (!IsGolden(menu.At(x, y))) continue;
      if (x >= 224 && x <= 717 && y >= 30 && y <= 127) ++inside;
      else ++outside;
    }
  EXPECT_GT(inside, 3000);
  EXPECT_LT(outside, 20);
}

TEST(Catalogue, MenuPreviewWindowIsFramedInGrey) {
  const Surface menu = Jpg("ImMenu.jpg");
  auto grey = [](std::uint32_t c) {
    return std::abs(R(c) - G(c)) < 24 && std::abs(G(c) - B(c)) < 24 && R(c) > 60;
  };
  // The frame at mid-height of each side, the opening black.
  EXPECT_TRUE(grey(menu.At(127, 325)));
  EXPECT_TRUE(grey(menu.At(412, 325)));
  EXPECT_TRUE(grey(menu.At(270, 217)));
  EXPECT_TRUE(grey(menu.At(270, 432)));
  for (const auto& [x, y] : std::array<std::pair<int, int>, 3>{{{135, 225}, {270, 325}, {405, 425}}}) {
    const std::uint32_t c = menu.At(x, y);
    EXPECT_LT(R(c) + G(c) + B(c), 60) << x << "," << y;
  }
}

// ------------------------------------------------------------------ shop

double MeanDifference(const Surface& a, int ax, int ay, const Surface& b) {
  double sum = 0;
  for (int y = 0; y < b.height; ++y)
    for (int x = 0; x < b.width; ++x) {
      const std::uint32_t p = a.At(ax + x, ay + y), q = b.At(x, y);
      sum += std::abs(R(p) - R(q)) + std::abs(G(p) - G(q)) + std::abs(B(p) - B(q));
    }
  return sum / (3.0 * b.width * b.height);
}

TEST(Catalogue, ShopShowsThePricesOfTheShopPriceTable) {
  const Surface shop = Jpg("ImMenuShop.jpg");
  for (std::size_t i = 0; i < 4; ++i) {
    const auto [x, y] = art::kPriceBoxAt[i];
    const double own = MeanDifference(shop, x, y, art::PaintPriceBox(ShopPrices[i + 1]));
    EXPECT_LT(own, 4.0) << "row " << i + 1;
    // The painted price reads as ShopPrices[i + 1] and as no other number.
    for (int other = 0; other < 1000; ++other) {
      if (other == ShopPrices[i + 1]) continue;
      ASSERT_GT(MeanDifference(shop, x, y, art::PaintPriceBox(other)), own + 1.0)
          << "row " << i + 1 << " reads like " << other;
    }
  }
}

TEST(Catalogue, ShopMoneyAreaIsPlainGround) {
  const Surface shop = Jpg("ImMenuShop.jpg");
  const std::uint32_t ground = shop.At(150, 285);
  EXPECT_LT(R(ground), 110);
  EXPECT_GT(R(ground), G(ground));
  EXPECT_GT(G(ground), B(ground));
  for (int y = 264; y <= 307; ++y)
    for (int x = 92; x <= 200; ++x) {
      const std::uint32_t c = shop.At(x, y);
      ASSERT_LE(std::abs(R(c) - R(ground)) + std::abs(G(c) - G(ground)) + std::abs(B(c) - B(ground)), 12)
          << x << "," << y;
    }
}

TEST(Catalogue, ShopFramesAreRedBevelledSquares) {
  const Surface it = Bmp("ImSelectIt.bmp");
  const Surface ct = Bmp("ImSelectCt.bmp");
  EXPECT_EQ(it.pixels, ct.pixels);
  const Surface sp = Bmp("ImSelectSP.bmp");
  for (const Surface* s : {&it, &sp}) {
    // Cut corners are see-through, the edges red, the inside white.
    EXPECT_EQ(s->At(0, 0), kWhite);
    EXPECT_EQ(s->At(s->width - 1, s->height - 1), kWhite);
    EXPECT_TRUE(IsRedDominated(s->At(s->width / 2, 0)));
    EXPECT_TRUE(IsRedDominated(s->At(0, s->height / 2)));
    EXPECT_NE(s->At(s->width / 2, s->height - 1), kWhite);
    EXPECT_EQ(s->At(s->width / 2, s->height / 2), kWhite);
    for (int y = 5; y < s->height - 5; ++y)
      for (int x = 5; x < s->width - 5; ++x) ASSERT_EQ(s->At(x, y), kWhite) << x << "," << y;
  }
}

// ------------------------------------------------------------------ score

TEST(Catalogue, ScoreBoardLayout) {
  const Surface score = Bmp("ImScore.bmp");
  // The band of the table lines is plain board colour where the lines are drawn.
  const std::uint32_t base = score.At(400, 300);
  EXPECT_EQ(base, Rgb(153, 102, 0));
  for (int y = 135; y <= 484; ++y)
    for (int x = 40; x <= 760; ++x) ASSERT_EQ(score.At(x, y), base) << x << "," << y;
  // Light grey title letters only inside the title box.
  int x0 = 800, y0 = 600, x1 = -1, y1 = -1;
  for (int y = 0; y < 135; ++y)
    for (int x = 40; x <= 760; ++x) {
      const std::uint32_t c = score.At(x, y);
      if (R(c) > 190 && G(c) > 190 && B(c) > 190 && std::abs(R(c) - B(c)) < 30) {
        x0 = std::min(x0, x);
        y0 = std::min(y0, y);
        x1 = std::max(x1, x);
        y1 = std::max(y1, y);
      }
    }
  EXPECT_GE(x0, 176);
  EXPECT_LE(x1, 621);
  EXPECT_GE(y0, 44);
  EXPECT_LE(y1, 76);
  EXPECT_GT(x1 - x0, 300);
  // Dark letters of the second line inside their box.
  x0 = 800, y0 = 600, x1 = -1, y1 = -1;
  for (int y = 80; y < 126; ++y)
    for (int x = 100; x <= 700; ++x) {
      const std::uint32_t c = score.At(x, y);
      if (R(c) < 90 && G(c) < 60) {
        x0 = std::min(x0, x);
        y0 = std::min(y0, y);
        x1 = std::max(x1, x);
        y1 = std::max(y1, y);
      }
    }
  EXPECT_GE(x0, 220);
  EXPECT_LE(x1, 579);
  EXPECT_GE(y0, 101);
  EXPECT_LE(y1, 120);
  EXPECT_GT(x1 - x0, 200);
}

}  // namespace

// ------------------------------------------------------------------ decoding

// The game decodes its pictures on another thread while its window opens: what that thread
// decoded, or the picture it could not read, must reach the thread that asked.
TEST(Catalogue, PicturesDecodedOnAnotherThreadReachTheCaller) {
  const std::filesystem::path program = NewTempFolder("quillmere-program-");
  const std::filesystem::path folder = program / "assets";
  std::filesystem::create_directory(folder);
  for (const CatalogueEntry& entry : Catalogue()) {
    if (entry.file != nullptr) {
      std::filesystem::copy_file(kAssets + entry.file, folder / entry.file,
                                 std::filesystem::copy_options::overwrite_existing);
    }
  }
  for (const char* file : {kDigitListFile, kUnknownCodeFile}) {
    std::filesystem::copy_file(kAssets + file, folder / file);
  }
  const std::string assets =
      AssetsFolder(program.string() + static_cast<char>(std::filesystem::path::preferred_separator));
  const GamePictures all = std::async(std::launch::async, DecodeGamePictures, assets, true).get();
  ASSERT_EQ(all.catalogue.size(), Catalogue().size());
  for (std::size_t i = 0; i < all.catalogue.size(); ++i) {
    EXPECT_EQ(all.catalogue[i].Picture.Empty(), Catalogue()[i].file == nullptr) << i;
  }
  EXPECT_FALSE(all.digitList.Empty());
  EXPECT_FALSE(all.unknownCode.Empty());

  std::filesystem::remove(folder / "ImShot2.jpg");
  std::future<GamePictures> missing =
      std::async(std::launch::async, DecodeGamePictures, assets, true);
  try {
    missing.get();
    ADD_FAILURE() << "a missing picture was not reported";
  } catch (const std::runtime_error& error) {
    // Named in full with the system's separators, in the words of the game's other messages.
    EXPECT_EQ(std::string(error.what()), "Файл картинки «" + assets + "ImShot2.jpg»: файл не найден.");
  }
  std::filesystem::remove(folder / "Im4.bmp");
  try {
    LoadAssetPicture(assets, "Im4.bmp");
    ADD_FAILURE() << "a missing picture was not reported";
  } catch (const std::runtime_error& error) {
    EXPECT_EQ(std::string(error.what()), "Файл картинки «" + assets + "Im4.bmp»: файл не найден.");
  }
  const GamePictures some = DecodeGamePictures(assets, false);
  const auto shot = std::find_if(Catalogue().begin(), Catalogue().end(),
                                 [](const CatalogueEntry& e) { return e.id == Element::ImShot2; });
  const PictureElement& empty = some.catalogue[static_cast<std::size_t>(shot - Catalogue().begin())];
  EXPECT_TRUE(empty.Picture.Empty());
  EXPECT_EQ(empty.Width, 275);
  EXPECT_EQ(empty.Height, 210);
  EXPECT_FALSE(some.digitList.Empty());
  std::filesystem::remove_all(program);
}
