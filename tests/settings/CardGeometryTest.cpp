#include <gtest/gtest.h>

#include "layout/CardGeometry.h"
#include "model/PrintSettings.h"

namespace {

PageSetup BuiltInA4() {
  return {.paperWidth = 210,
          .paperHeight = 297,
          .marginTop = 20,
          .marginBottom = 18,
          .marginLeft = 5,
          .marginRight = 15,
          .rows = 5,
          .columns = 5,
          .rowSpacing = 10,
          .columnSpacing = 10};
}

}  // namespace

TEST(CardGeometry, BuiltInA4CellIs372By510Tenths) {
  const auto cell = CellSizeInTenths(BuiltInA4());
  ASSERT_TRUE(cell.has_value());
  EXPECT_EQ(*cell, QSize(372, 510));
}

TEST(CardGeometry, CellSizeMatchesTheBuiltInSettings) {
  // The window's defaults, read back from the value type, give the same cell.
  const PrintSettings s = PrintSettings::builtInDefaults();
  PageSetup in = PageSetup::of(s);
  for (int* mm : {&in.paperWidth, &in.paperHeight, &in.marginTop, &in.marginBottom, &in.marginLeft,
                  &in.marginRight})
    *mm /= 10;
  EXPECT_EQ(CellSizeInTenths(in), QSize(372, 510));
}

TEST(CardGeometry, NoCellWithoutRowsColumnsOrRoom) {
  PageSetup in = BuiltInA4();
  in.columns = 0;
  EXPECT_FALSE(CellSizeInTenths(in).has_value());
  in = BuiltInA4();
  in.rows = -2;
  EXPECT_FALSE(CellSizeInTenths(in).has_value());
  in = BuiltInA4();
  in.marginLeft = 300;  // margins wider than the paper: the panel holds 0, not a negative width
  EXPECT_FALSE(CellSizeInTenths(in).has_value());
  in = BuiltInA4();
  in.columnSpacing = 1000;
  EXPECT_FALSE(CellSizeInTenths(in).has_value());
}

TEST(CardGeometry, NegativeSpacingWidensTheCell) {
  PageSetup in = BuiltInA4();
  in.columnSpacing = -10;
  EXPECT_EQ(CellSizeInTenths(in)->width(), (1900 + 40) / 5);
}

TEST(CardGeometry, DisplayReductionKeepsTheCellShape) {
  EXPECT_EQ(DisplayCardSize(CardAspect(QSize(372, 510))), QSize(145, 200));
  EXPECT_EQ(DisplayCardSize(CardAspect(QSize(400, 400))), QSize(200, 200));
  EXPECT_EQ(DisplayCardSize(CardAspect(QSize(600, 300))), QSize(168, 84));
  // A very flat cell still shows one pixel of height.
  EXPECT_EQ(DisplayCardSize(CardAspect(QSize(5000, 2))), QSize(168, 1));
}

TEST(CardGeometry, CapturedFractionsPlaceBackOnTheSamePixels) {
  for (const QSize card : {QSize(145, 200), QSize(168, 84), QSize(372, 510), QSize(2000, 2900)}) {
    for (int v = -40; v <= card.width() + 40; ++v) {
      const QRect area(v, v / 2, card.width() - v, card.height() + v);
      ASSERT_EQ(PlaceArea(CaptureArea(area, card), card), area) << v;
    }
  }
}

TEST(CardGeometry, CaptureLayoutMeasuresBothAreasAgainstTheCard) {
  const CardLayout layout =
      CaptureLayout(QRect(24, 8, 120, 156), QRect(32, 165, 104, 24), QSize(168, 200));
  EXPECT_FLOAT_EQ(layout.photoArea.x, 24.0f / 168);
  EXPECT_FLOAT_EQ(layout.photoArea.height, 156.0f / 200);
  EXPECT_FLOAT_EQ(layout.textArea.y, 165.0f / 200);
  EXPECT_FLOAT_EQ(layout.textArea.width, 104.0f / 168);
  // Beyond the card the fractions leave 0..1 untouched.
  const CardRect beyond = CaptureArea(QRect(-20, 150, 300, 100), QSize(168, 200));
  EXPECT_LT(beyond.x, 0.0f);
  EXPECT_GT(beyond.width, 1.0f);
  EXPECT_GT(beyond.y + beyond.height, 1.0f);
}

TEST(CardGeometry, DefaultAreasStackPhotoOverAFullWidthTextBand) {
  const CardAreas areas = DefaultCardAreas(QSize(372, 510), 45);
  EXPECT_EQ(areas.photo, QRect(0, 0, 372, 465));
  EXPECT_EQ(areas.text, QRect(0, 465, 372, 45));
  // A band taller than the cell leaves the photo area empty, not negative.
  const CardAreas squeezed = DefaultCardAreas(QSize(100, 30), 45);
  EXPECT_EQ(squeezed.photo.height(), 0);
  EXPECT_EQ(squeezed.text, QRect(0, -15, 100, 45));
}

TEST(CardGeometry, TextBandAndFontScale) {
  EXPECT_EQ(TextBandHeight(42, 1), 45);
  EXPECT_EQ(TextBandHeight(42, 2), 87);
  EXPECT_EQ(TextBandHeight(42, 0), 3);
  EXPECT_EQ(CardFontSize(9), 31);
  EXPECT_EQ(CardFontSize(12), 42);
}

TEST(CardGeometry, CaptionLinesAndAlignment) {
  EXPECT_EQ(CaptionLines("a\r\nb"), QStringList({"a", "b"}));
  EXPECT_EQ(CaptionLines("a\nb").size(), 1);
  EXPECT_EQ(CaptionLines("").size(), 1);
  EXPECT_EQ(CaptionLineX(CaptionAlign::Left, 100, 40), 2);
  EXPECT_EQ(CaptionLineX(CaptionAlign::Right, 100, 40), 58);
  EXPECT_EQ(CaptionLineX(CaptionAlign::Centre, 100, 41), 29);
  EXPECT_EQ(CaptionLineX(CaptionAlign(7), 100, 40), 30);
  EXPECT_EQ(CaptionLineX(CaptionAlign::Centre, 10, 41), -15);
}
