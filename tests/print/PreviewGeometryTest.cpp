#include <gtest/gtest.h>

#include <cmath>

#include "print/PreviewGeometry.h"

using namespace preview;

TEST(PreviewGeometry, FontPointsBecomeMillimetresTruncated) {
  EXPECT_EQ(PreviewFontSize(9), 2);   // 9 ÷ 96 × 25.4 = 2.38
  EXPECT_EQ(PreviewFontSize(12), 3);  // 3.175
  EXPECT_EQ(PreviewFontSize(3), 0);
}

TEST(PreviewGeometry, NonsenseArgumentsFallBackToA4AndFiveByFive) {
  PreviewPage page;
  page.numbers.paperWidth = 0;
  page.numbers.paperHeight = 420;
  page.numbers.photoFit = 7;
  page.numbers.rows = 0;
  page.numbers.columns = 3;
  const PreviewPage fixed = WithDefaults(page);
  EXPECT_EQ(fixed.numbers.paperWidth, 210);
  EXPECT_EQ(fixed.numbers.paperHeight, 297);
  EXPECT_EQ(fixed.numbers.photoFit, 0);
  EXPECT_EQ(fixed.numbers.rows, 5);
  EXPECT_EQ(fixed.numbers.columns, 5);

  page = PreviewPage{};
  page.numbers.paperWidth = 297;
  page.numbers.paperHeight = 420;
  page.numbers.photoFit = 4;
  page.numbers.rows = 2;
  page.numbers.columns = 3;
  const PreviewPage kept = WithDefaults(page);
  EXPECT_EQ(kept.numbers.paperWidth, 297);
  EXPECT_EQ(kept.numbers.photoFit, 4);
  EXPECT_EQ(kept.numbers.rows, 2);
  EXPECT_EQ(kept.numbers.columns, 3);
}

TEST(PreviewGeometry, LandscapeIsComposedInTheTurnedSize) {
  PreviewPage page;
  page.numbers.paperWidth = 210;
  page.numbers.paperHeight = 297;
  page.numbers.rows = page.numbers.columns = 5;
  page.numbers.landscape = true;
  const PreviewPage turned = WithDefaults(page);
  EXPECT_EQ(turned.numbers.paperWidth, 297);
  EXPECT_EQ(turned.numbers.paperHeight, 210);
}

TEST(PreviewGeometry, EmptyAreasAreRepairedIntoATextBandUnderAPhoto) {
  CardRect photo;
  CardRect text;
  // 宋体 9, two lines, cell 50.8 mm high: the band is 9/96 × 2 × 25.4 / 50.8 = 0.09375
  RepairLayout(photo, text, 9, 2, 50.8f);
  EXPECT_FLOAT_EQ(text.x, 0.0f);
  EXPECT_FLOAT_EQ(text.width, 1.0f);
  EXPECT_NEAR(text.height, 0.09375f, 1e-6);
  EXPECT_NEAR(text.y, 1.0f - 0.09375f, 1e-6);
  EXPECT_EQ(photo, (CardRect{0.0f, 0.0f, 1.0f, text.y}));
}

TEST(PreviewGeometry, OnlyDegenerateAreasAreTouched) {
  const CardRect userPhoto{0.1f, 0.1f, 0.8f, 0.5f};
  const CardRect userText{0.0f, 0.7f, 1.0f, 0.2f};
  CardRect photo = userPhoto;
  CardRect text = userText;
  RepairLayout(photo, text, 9, 1, 50.0f);
  EXPECT_EQ(photo, userPhoto);
  EXPECT_EQ(text, userText);

  // a photo area of no width is repaired against the user's own text area
  photo = CardRect{0.2f, 0.2f, 0.00005f, 0.5f};
  RepairLayout(photo, text, 9, 1, 50.0f);
  EXPECT_EQ(photo, (CardRect{0.0f, 0.0f, 1.0f, 0.7f}));
}

TEST(PreviewGeometry, ACellOfNoHeightNeverYieldsInfiniteAreas) {
  CardRect photo;
  CardRect text;
  RepairLayout(photo, text, 9, 3, 0.0f);
  EXPECT_TRUE(std::isfinite(text.y));
  EXPECT_TRUE(std::isfinite(photo.height));
  EXPECT_FLOAT_EQ(text.height, 0.0f);
}
