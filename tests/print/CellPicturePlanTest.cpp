#include <gtest/gtest.h>

#include "print/CellPicturePlan.h"
#include "print/PageFiles.h"

namespace {

TEST(CellPicturePlan, LevelZeroAndLevelsAboveFiveLoadDirectly) {
  EXPECT_EQ(PlanBeforeDecoding(50'000'000, 0, PictureFormat::Jpeg, 372, 510),
            CellPictureAction::LoadDirectly);
  EXPECT_EQ(PlanBeforeDecoding(50'000'000, -1, PictureFormat::Jpeg, 372, 510),
            CellPictureAction::LoadDirectly);
  EXPECT_EQ(PlanBeforeDecoding(50'000'000, 6, PictureFormat::Jpeg, 372, 510),
            CellPictureAction::LoadDirectly);
}

TEST(CellPicturePlan, ExcessRatioDecidesAtOnePointOne) {
  EXPECT_NEAR(ExcessRatio(500'000, 2), 4.8828f, 1e-4);
  EXPECT_EQ(PlanBeforeDecoding(500'000, 2, PictureFormat::Jpeg, 372, 510),
            CellPictureAction::Reencode);
  EXPECT_NEAR(ExcessRatio(110'000, 2), 1.0742f, 1e-4);
  EXPECT_EQ(PlanBeforeDecoding(110'000, 2, PictureFormat::Jpeg, 372, 510),
            CellPictureAction::LoadDirectly);
  // exactly 1.1 times the target is reduced
  EXPECT_EQ(PlanBeforeDecoding(56'320, 1, PictureFormat::Jpeg, 372, 510),
            CellPictureAction::Reencode);
  EXPECT_EQ(PlanBeforeDecoding(56'319, 1, PictureFormat::Jpeg, 372, 510),
            CellPictureAction::LoadDirectly);
}

TEST(CellPicturePlan, BmpAndMissingFilesLoadDirectly) {
  EXPECT_EQ(PlanBeforeDecoding(90'000'000, 3, PictureFormat::Bmp, 372, 510),
            CellPictureAction::LoadDirectly);
  EXPECT_EQ(PlanBeforeDecoding(-1, 3, PictureFormat::Jpeg, 372, 510),
            CellPictureAction::LoadDirectly);
}

TEST(CellPicturePlan, CellOfNoAreaSkipsThePhoto) {
  EXPECT_EQ(PlanBeforeDecoding(500'000, 3, PictureFormat::Jpeg, 0, 510), CellPictureAction::Skip);
  EXPECT_EQ(PlanBeforeDecoding(500'000, 3, PictureFormat::Jpeg, 372, -4), CellPictureAction::Skip);
}

TEST(CellPicturePlan, LargePhotoIsResampledToMPixelsPerUnitOnItsTighterSide) {
  // sx = 8, sy = 7.5: s = 7.5 > 2
  const ResamplePlan level1 = PlanResample(4000, 3000, 500, 400, 1);
  EXPECT_EQ(level1.action, CellPictureAction::Resample);
  EXPECT_EQ(level1.width, 1066);
  EXPECT_EQ(level1.height, 800);
  const ResamplePlan level5 = PlanResample(4000, 3000, 500, 400, 5);
  EXPECT_EQ(level5.width, 1600);
  EXPECT_EQ(level5.height, 1200);
  // portrait photo in a tall cell: s = 4000 / 510 held in single precision (7.8431373),
  // so 3000 / s × 2 lands just below 765
  const ResamplePlan portrait = PlanResample(3000, 4000, 372, 510, 3);
  EXPECT_EQ(portrait.action, CellPictureAction::Resample);
  EXPECT_EQ(portrait.width, 764);
  EXPECT_EQ(portrait.height, 1019);
}

TEST(CellPicturePlan, PhotoWithinKPixelsPerUnitIsOnlyReencoded) {
  EXPECT_EQ(PlanResample(1000, 800, 500, 400, 1).action, CellPictureAction::Reencode);   // s = 2
  EXPECT_EQ(PlanResample(1400, 1200, 500, 400, 3).action, CellPictureAction::Resample);  // s = 2.8
  EXPECT_EQ(PlanResample(1400, 1200, 500, 400, 4).action, CellPictureAction::Reencode);  // k = 3
}

TEST(CellPicturePlan, ThinStripIsJudgedByItsLooserSide) {
  // s is the smaller density: a 60000 × 2 strip has 0.2 pixels per unit across
  EXPECT_EQ(PlanResample(60000, 2, 10, 10, 1).action, CellPictureAction::Reencode);
  EXPECT_EQ(PlanResample(0, 0, 10, 10, 1).action, CellPictureAction::Reencode);
}

}  // namespace
