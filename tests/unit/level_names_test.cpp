#include <gtest/gtest.h>

#include "game/level_names.h"
#include "game/runtime_error.h"

namespace {

std::string ErrorOf(const std::string& name) {
  try {
    NextCampaignName(name);
  } catch (const RuntimeError& e) {
    return e.what();
  }
  return "no error";
}

TEST(LevelNames, NumberTextIsTheNameWithoutFirstFiveAndLastFour) {
  EXPECT_EQ(LevelNumberText("Level12.cam"), "12");
  EXPECT_EQ(LevelNumberText("Level.cam"), "");
  EXPECT_EQ(LevelNumberText("Levelx.lvl"), "x");
  EXPECT_EQ(LevelNumberText("my.lvl"), "");
  EXPECT_EQ(LevelNumberText(""), "");
  EXPECT_EQ(LevelNumberText("levels/a.lvl"), "s/a");
}

TEST(LevelNames, CampaignNamesAreLevelDigitsCam) {
  EXPECT_TRUE(IsCampaignName("Level1.cam"));
  EXPECT_TRUE(IsCampaignName("Level007.cam"));
  EXPECT_TRUE(IsCampaignName("Level99999999999999.cam"));

  EXPECT_FALSE(IsCampaignName("Level.cam"));  // no number at all
  EXPECT_FALSE(IsCampaignName("level1.cam"));
  EXPECT_FALSE(IsCampaignName("Level1.CAM"));
  EXPECT_FALSE(IsCampaignName("Level-1.cam"));
  EXPECT_FALSE(IsCampaignName("Level 1.cam"));
  EXPECT_FALSE(IsCampaignName("Level1a.cam"));
  EXPECT_FALSE(IsCampaignName("Level1.lvl"));
  EXPECT_FALSE(IsCampaignName("levels/Level1.cam"));
  EXPECT_FALSE(IsCampaignName("Lvl.cam"));
  EXPECT_FALSE(IsCampaignName(""));
}

TEST(LevelNames, NextNameCountsOnAndDropsLeadingZeros) {
  EXPECT_EQ(NextCampaignName("Level1.cam"), "Level2.cam");
  EXPECT_EQ(NextCampaignName("Level07.cam"), "Level8.cam");
  EXPECT_EQ(NextCampaignName("Level0.cam"), "Level1.cam");
  EXPECT_EQ(NextCampaignName("Level0000000000009.cam"), "Level10.cam");
  EXPECT_EQ(NextCampaignName("Level2147483647.cam"), "Level-2147483648.cam");
  EXPECT_EQ(CampaignLevelName(4), "Level4.cam");
}

TEST(LevelNames, NumbersBeyondThirtyTwoBitsAreNotValidIntegers) {
  EXPECT_EQ(ErrorOf("Level2147483648.cam"), "'2147483648' is not a valid integer value");
  EXPECT_EQ(ErrorOf("Level99999999999999999999.cam"),
            "'99999999999999999999' is not a valid integer value");
  EXPECT_EQ(ErrorOf("Level.cam"), "'' is not a valid integer value");
  EXPECT_EQ(ParseLevelNumber("2147483647"), 2147483647);
  EXPECT_THROW(ParseLevelNumber("1x"), RuntimeError);
}

}  // namespace
